#pragma once
// The larger drawings of the tree: model logos, side-bar logos, the simple
// view's backgrounds, the application icon, the colour editor's frame and
// the frames of the typing animation.

#include <QColor>
#include <QImage>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <QVector>

class QPainter;

namespace Artwork {

QStringList logoNames(); // "v", "v2", "pelkin", "tamsel"
// The model's logo fitted into r, centred; false for an unknown model.
bool logo(QPainter &p, const QRectF &r, const QString &model);
// The tall strip of the simple view's side bar: the logo above a fading line.
bool sideBarLogo(QPainter &p, const QRectF &r, const QString &model);
void background(QPainter &p, const QRectF &r, const QColor &light, const QColor &dark);
void appIcon(QPainter &p, const QRectF &r);
// A rounded panel with a pointer on its left; its alpha is the pop-up's mask.
void editorFrame(QPainter &p, const QRectF &r, const QColor &fill);

// The typing animation: a small keyboard whose keys light up in turn.
struct Animation
{
    QVector<QRgb> palette;  // index 0 transparent
    QVector<QImage> frames; // QImage::Format_Indexed8 over the palette
    QVector<int> delaysMs;
};
Animation typing(QSize size, const QColor &keys, const QColor &lit);

} // namespace Artwork
