#pragma once
// What a profile tile shows in each of its states, for the style sheets and
// the picture: the image button's "button_style", the sizes of a tile and its
// picture per kind, and how a hovered or selected tile draws its picture.

#include <QSize>
#include <QString>

namespace ProfileTileStyle {

// The kinds of tile.
enum Kind { Global = 0, TopLevel = 1, SubProfile = 2 };

// "button_style" of the image button. Only a default profile without a
// picture changes with the pointer (its home mark lights up).
QString buttonStyle(bool isDefault, bool hasImage, bool hovered);

// The whole tile: a sub-profile's is 10 pixels lower.
QSize tileSize(int kind);
// The picture at rest: 58 x 58, a sub-profile's 48 x 48.
QSize imageSize(int kind);
// A hovered or selected tile draws its picture 2 pixels smaller each way
// with square corners, so that the frame's border shows round it; the
// activated state alone changes nothing.
QSize iconSize(int kind, bool hovered, bool selected);
int cornerRadius(bool hovered, bool selected);

} // namespace ProfileTileStyle
