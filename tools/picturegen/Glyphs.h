#pragma once
// The input glyphs (gestures of buttons, movement, scroll, tilt and pivot)
// and the expert page tabs, as vector drawings that scale to any size.

#include <QColor>
#include <QRectF>
#include <QString>
#include <QStringList>

class QPainter;

namespace Glyphs {

// The gesture names, as the pictures' file names spell them.
QStringList gestureNames();
// Draws the gesture into the square centred in area; false for an unknown name.
bool gesture(QPainter &painter, const QRectF &area, const QString &name, const QColor &colour);

QStringList tabNames();
bool tab(QPainter &painter, const QRectF &area, const QString &name, const QColor &colour);

} // namespace Glyphs
