#pragma once
// How the simple view dresses itself for the connected model, by product id:
// the model key its styled widgets carry as "m", the colour scheme of the
// mouse picture and the side-bar logo. Ids without a model of their own (0,
// no mouse, included) look like the V and show no logo.
#include <QString>

struct SimpleViewLook
{
    QString modelKey;
    int colourScheme = 0;
    QString logo; // resource path; empty: the logo label is hidden

    static SimpleViewLook forProductId(int productId);
};
