#pragma once
#include <QPixmap>
#include <QSize>

// The source scaled into a canvas of size (keeping its aspect ratio) and cut
// to a rectangle with corners of that radius; what the source leaves free
// stays transparent. A source narrower than the canvas is centred across, a
// lower one from top to bottom. A null source gives a null pixmap.
QPixmap roundedPixmap(const QPixmap &source, const QSize &size, qreal radius);
