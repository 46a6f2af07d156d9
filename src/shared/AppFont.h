#pragma once

#include <QFont>

// The one application-wide font: the program's resource font at 14 pixels.
// Widgets copy it and change the size on their copy.
QFont &appFont();

// The resource path of the program's font.
extern const char *const appFontResource;
