#include "Artwork.h"

#include "MouseOutlines.h"

#include <QPainter>
#include <QPainterPath>

namespace {

// Maps the rectangle from into the middle of to, keeping its shape.
QTransform fitting(const QRectF &from, const QRectF &to)
{
    const qreal scale = qMin(to.width() / from.width(), to.height() / from.height());
    QTransform t;
    t.translate(to.center().x(), to.center().y());
    t.scale(scale, scale);
    t.translate(-from.center().x(), -from.center().y());
    return t;
}

QRectF boundsOf(const QVector<QPolygonF> &polygons)
{
    QRectF bounds;
    for (const QPolygonF &polygon : polygons)
        bounds = bounds.united(polygon.boundingRect());
    return bounds;
}

const QColor yellow(0xff, 0xd4, 0x00);
const QColor red(0xff, 0x2b, 0x2b);

QBrush pelkinGradient(const QRectF &bounds)
{
    QLinearGradient gradient(bounds.topLeft(), bounds.bottomLeft());
    gradient.setColorAt(0, QColor(183, 83, 236));
    gradient.setColorAt(1, QColor(26, 47, 234));
    return gradient;
}

// The tamsel mark: a red hexagon holding a white bar and stem.
QPainterPath tamselMark()
{
    QPainterPath hexagon;
    hexagon.moveTo(0, -10);
    hexagon.lineTo(8.66, -5);
    hexagon.lineTo(8.66, 5);
    hexagon.lineTo(0, 10);
    hexagon.lineTo(-8.66, 5);
    hexagon.lineTo(-8.66, -5);
    hexagon.closeSubpath();
    return hexagon;
}

void drawTamsel(QPainter &p, const QRectF &r)
{
    p.save();
    p.setTransform(fitting(QRectF(-9, -10, 18, 20), r), true);
    p.setPen(Qt::NoPen);
    p.setBrush(red);
    p.drawPath(tamselMark());
    p.setBrush(Qt::white);
    p.drawRect(QRectF(-5, -5, 10, 2.6));
    p.drawRect(QRectF(-1.3, -4, 2.6, 10));
    p.restore();
}

} // namespace

namespace Artwork {

QStringList logoNames()
{
    return {"v", "v2", "pelkin", "tamsel"};
}

bool logo(QPainter &p, const QRectF &r, const QString &model)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    bool known = true;
    if (model == QLatin1String("v")) {
        const QVector<QPolygonF> zones = MouseOutlines::vLogoZones();
        const QRectF bounds = boundsOf(zones).adjusted(-2, -2, 2, 2);
        p.setTransform(fitting(bounds, r), true);
        p.setPen(QPen(QColor("#ececec"), 1));
        p.setBrush(QColor("#ececec"));
        for (const QPolygonF &shape : MouseOutlines::vLogoBack())
            p.drawPolygon(shape);
        p.setPen(QPen(yellow, 4, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin));
        p.setBrush(Qt::NoBrush);
        for (const QPolygonF &zone : zones)
            p.drawPolygon(zone);
    } else if (model == QLatin1String("v2") || model == QLatin1String("pelkin")) {
        const bool v2 = model == QLatin1String("v2");
        const QPainterPath path = v2 ? MouseOutlines::v2LogoPath() : MouseOutlines::pelkinLogoPath();
        const QRectF bounds = path.boundingRect().adjusted(-1, -1, 1, 1);
        p.setTransform(fitting(bounds, r), true);
        p.setPen(Qt::NoPen);
        p.setBrush(v2 ? QBrush(yellow) : pelkinGradient(bounds));
        p.drawPath(path);
    } else if (model == QLatin1String("tamsel")) {
        drawTamsel(p, r);
    } else {
        known = false;
    }
    p.restore();
    return known;
}

bool sideBarLogo(QPainter &p, const QRectF &r, const QString &model)
{
    if (!logoNames().contains(model))
        return false;
    const QRectF top(r.left() + 6, r.top() + 8, r.width() - 12, r.width() - 12);
    logo(p, top, model);
    const QColor accent = model == QLatin1String("tamsel")   ? red
                          : model == QLatin1String("pelkin") ? QColor(183, 83, 236)
                                                             : yellow;
    QLinearGradient fade(QPointF(0, top.bottom() + 10), QPointF(0, r.bottom() - 6));
    QColor end = accent;
    end.setAlpha(0);
    fade.setColorAt(0, accent);
    fade.setColorAt(1, end);
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(fade);
    p.drawRoundedRect(QRectF(r.center().x() - 1, top.bottom() + 10, 2, r.bottom() - top.bottom() - 16), 1, 1);
    p.restore();
    return true;
}

void background(QPainter &p, const QRectF &r, const QColor &light, const QColor &dark)
{
    QRadialGradient glow(QPointF(r.left() + r.width() * 0.4, r.top() + r.height() * 0.45), r.width() * 0.75);
    glow.setColorAt(0, light);
    glow.setColorAt(1, dark);
    p.fillRect(r, glow);
    // Two broad, faint bands across, so the large plain areas are not flat.
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 8));
    for (int band = 0; band < 2; ++band) {
        const qreal x = r.left() + r.width() * (0.55 + 0.2 * band);
        p.drawPolygon(QPolygonF(QVector<QPointF>{QPointF(x, r.top()), QPointF(x + r.width() * 0.12, r.top()),
                                                 QPointF(x - r.width() * 0.18, r.bottom()),
                                                 QPointF(x - r.width() * 0.3, r.bottom())}));
    }
    p.restore();
}

void appIcon(QPainter &p, const QRectF &r)
{
    const QRectF tile = r.adjusted(4, 4, -4, -4);
    QLinearGradient shade(tile.topLeft(), tile.bottomLeft());
    shade.setColorAt(0, QColor("#4a4a4a"));
    shade.setColorAt(1, QColor("#161616"));
    p.setPen(QPen(QColor("#0c0c0c"), 2));
    p.setBrush(shade);
    p.drawRoundedRect(tile, 22, 22);
    logo(p, tile.adjusted(22, 16, -22, -16), QStringLiteral("v"));
}

void editorFrame(QPainter &p, const QRectF &r, const QColor &fill)
{
    // The editor sits 13 pixels in from the left, where the pointer is.
    QPainterPath frame;
    frame.addRoundedRect(QRectF(r.left() + 12, r.top(), r.width() - 12, r.height()), 8, 8);
    QPainterPath pointer;
    pointer.moveTo(r.left(), r.top() + 40);
    pointer.lineTo(r.left() + 13, r.top() + 28);
    pointer.lineTo(r.left() + 13, r.top() + 52);
    pointer.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawPath(frame.united(pointer));
}

Animation typing(QSize size, const QColor &keys, const QColor &lit)
{
    Animation made;
    made.palette = {qRgba(0, 0, 0, 0), keys.rgb(), lit.rgb()};
    // Delays of frames 1 to 15: a steady beat with a pause at frame 8.
    made.delaysMs = {60, 60, 60, 60, 50, 60, 60, 180, 50, 60, 60, 60, 60, 60, 10};
    // The keys, as rectangles on the keyboard; the last one is the space bar.
    QVector<QRect> keyRects;
    const int left = (size.width() - 19) / 2;
    const int top = (size.height() - 11) / 2;
    for (int row = 0; row < 2; ++row)
        for (int column = 0; column < 5; ++column)
            keyRects.append(QRect(left + column * 4, top + row * 4, 3, 3));
    keyRects.append(QRect(left, top + 8, 3, 3));
    keyRects.append(QRect(left + 16, top + 8, 3, 3));
    keyRects.append(QRect(left + 4, top + 8, 11, 3));
    const int order[] = {0, 6, 2, 8, 12, 4, 1, 12, 7, 3, 9, 5, 10, 11, 12};
    for (int frame = 0; frame < made.delaysMs.size(); ++frame) {
        QImage image(size, QImage::Format_Indexed8);
        image.setColorTable(made.palette);
        image.fill(0);
        // The keyboard's edge, one pixel around the keys.
        const QRect edge(left - 2, top - 2, 23, 15);
        for (int x = edge.left(); x <= edge.right(); ++x) {
            image.setPixel(x, edge.top(), 1);
            image.setPixel(x, edge.bottom(), 1);
        }
        for (int y = edge.top(); y <= edge.bottom(); ++y) {
            image.setPixel(edge.left(), y, 1);
            image.setPixel(edge.right(), y, 1);
        }
        for (int key = 0; key < keyRects.size(); ++key) {
            const QRect k = keyRects[key];
            for (int y = k.top(); y <= k.bottom(); ++y)
                for (int x = k.left(); x <= k.right(); ++x)
                    image.setPixel(x, y, key == order[frame] ? 2 : 1);
        }
        made.frames.append(image);
    }
    return made;
}

} // namespace Artwork
