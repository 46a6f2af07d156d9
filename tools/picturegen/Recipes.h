#pragma once
// The recipes of the manifest: each draws one file from its size and its
// arguments.

#include "PictureManifest.h"

#include <QByteArray>
#include <QString>

class Recipes
{
public:
    // The file's bytes (PNG, or GIF for the animation), or empty with error
    // set when the recipe is unknown or its arguments do not fit it.
    static QByteArray render(const PictureEntry &entry, QString *error);
};
