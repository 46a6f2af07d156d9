#pragma once

#include <QString>

// The profile last chosen for one application: its profile index and the
// sub-profile value.
struct LastSelectedEntry
{
    QString path;
    int profileIndex = 255;
    int value = 255;
};
