#include "Controls.h"

#include <QPainter>
#include <QPainterPath>
#include <QtMath>

namespace {

QPen stroke(const QColor &c, qreal width, Qt::PenCapStyle cap = Qt::RoundCap)
{
    return QPen(c, width, Qt::SolidLine, cap, Qt::RoundJoin);
}

// A point at fractions (fx, fy) of r.
QPointF at(const QRectF &r, qreal fx, qreal fy)
{
    return QPointF(r.left() + fx * r.width(), r.top() + fy * r.height());
}

qreal shortSide(const QRectF &r)
{
    return qMin(r.width(), r.height());
}

// The points of a shape given for the up direction, turned to the others
// (in fractions of the rectangle, so the shape stretches with it).
QPointF turned(const QRectF &r, Controls::Direction way, qreal fx, qreal fy)
{
    switch (way) {
    case Controls::Direction::Up:
        return at(r, fx, fy);
    case Controls::Direction::Down:
        return at(r, fx, 1 - fy);
    case Controls::Direction::Left:
        return at(r, fy, fx);
    case Controls::Direction::Right:
        return at(r, 1 - fy, fx);
    }
    return at(r, fx, fy);
}

} // namespace

namespace Controls {

void chevron(QPainter &p, const QRectF &r, Direction way, const QColor &c)
{
    const bool across = way == Direction::Up || way == Direction::Down;
    const qreal width = qBound(1.2, (across ? r.height() : r.width()) * 0.28, 2.4);
    const qreal inset = width / 2 / (across ? r.height() : r.width());
    const qreal side = width / 2 / (across ? r.width() : r.height());
    p.setPen(stroke(c, width));
    p.setBrush(Qt::NoBrush);
    const QPolygonF line(QVector<QPointF>{turned(r, way, side, 1 - inset), turned(r, way, 0.5, inset),
                                          turned(r, way, 1 - side, 1 - inset)});
    p.drawPolyline(line);
}

void triangle(QPainter &p, const QRectF &r, Direction way, const QColor &c)
{
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawPolygon(
        QPolygonF(QVector<QPointF>{turned(r, way, 0, 0.85), turned(r, way, 0.5, 0.15), turned(r, way, 1, 0.85)}));
}

void check(QPainter &p, const QRectF &r, const QColor &c)
{
    const qreal width = qMax(1.4, shortSide(r) * 0.16);
    p.setPen(stroke(c, width));
    p.setBrush(Qt::NoBrush);
    const QRectF box = r.adjusted(width / 2, width / 2, -width / 2, -width / 2);
    p.drawPolyline(QPolygonF(QVector<QPointF>{at(box, 0.08, 0.55), at(box, 0.38, 0.88), at(box, 0.92, 0.14)}));
}

void checkbox(QPainter &p, const QRectF &r, bool checked, const QColor &box, const QColor &mark, const QColor &fill)
{
    const qreal width = qMax(1.0, shortSide(r) * 0.08);
    const QRectF frame = r.adjusted(width / 2, width / 2, -width / 2, -width / 2);
    p.setPen(stroke(box, width));
    p.setBrush(fill);
    p.drawRoundedRect(frame, shortSide(r) * 0.18, shortSide(r) * 0.18);
    if (checked)
        check(p, r.adjusted(r.width() * 0.2, r.height() * 0.22, -r.width() * 0.2, -r.height() * 0.22), mark);
}

void cross(QPainter &p, const QRectF &r, const QColor &c)
{
    const qreal width = qMax(1.3, shortSide(r) * 0.18);
    const QRectF box = r.adjusted(width / 2, width / 2, -width / 2, -width / 2);
    p.setPen(stroke(c, width));
    p.drawLine(box.topLeft(), box.bottomRight());
    p.drawLine(box.topRight(), box.bottomLeft());
}

void plus(QPainter &p, const QRectF &r, const QColor &c)
{
    const qreal width = qMax(1.4, shortSide(r) * 0.16);
    const QRectF box = r.adjusted(width / 2, width / 2, -width / 2, -width / 2);
    const qreal half = shortSide(box) / 2;
    const QPointF mid = box.center();
    p.setPen(stroke(c, width, Qt::FlatCap));
    p.drawLine(mid - QPointF(half, 0), mid + QPointF(half, 0));
    p.drawLine(mid - QPointF(0, half), mid + QPointF(0, half));
}

void dots(QPainter &p, const QRectF &r, bool vertical, const QColor &c)
{
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    const qreal radius = shortSide(r) * 0.11;
    for (int i = 0; i < 3; ++i) {
        const qreal f = 0.2 + 0.3 * i;
        p.drawEllipse(vertical ? at(r, 0.5, f) : at(r, f, 0.5), radius, radius);
    }
}

void bars(QPainter &p, const QRectF &r, const QColor &c)
{
    // Wide pictures are all bars; square ones keep a margin above and below.
    const qreal height = qMin(r.height(), r.width() * 0.8);
    const QRectF area(r.left(), r.center().y() - height / 2, r.width(), height);
    const qreal thick = qMax(1.5, height * 0.2);
    const qreal gap = (height - 3 * thick) / 2;
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    for (int i = 0; i < 3; ++i)
        p.drawRoundedRect(QRectF(area.left(), area.top() + i * (thick + gap), area.width(), thick), thick / 2,
                          thick / 2);
}

void grip(QPainter &p, const QRectF &r, const QColor &c)
{
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    const qreal radius = shortSide(r) * 0.11;
    for (int row = 0; row < 3; ++row)
        for (int column = 0; column < 2; ++column)
            p.drawEllipse(at(r, 0.32 + 0.36 * column, 0.18 + 0.32 * row), radius, radius);
}

void duplicate(QPainter &p, const QRectF &r, const QColor &c)
{
    const qreal width = qMax(1.0, shortSide(r) * 0.12);
    p.setPen(stroke(c, width));
    p.setBrush(Qt::NoBrush);
    const qreal s = shortSide(r) * 0.62;
    p.drawRoundedRect(QRectF(r.left() + width / 2, r.top() + width / 2, s, s), 1, 1);
    p.setBrush(c);
    p.drawRoundedRect(QRectF(r.right() - s - width / 2, r.bottom() - s - width / 2, s, s), 1, 1);
}

void disc(QPainter &p, const QRectF &r, const QColor &c)
{
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawEllipse(r.adjusted(0.5, 0.5, -0.5, -0.5));
}

void ring(QPainter &p, const QRectF &r, const QColor &c, const QColor &shadow)
{
    const qreal width = shortSide(r) * 0.14;
    p.setBrush(Qt::NoBrush);
    p.setPen(stroke(shadow, width + 2));
    const QRectF circle = r.adjusted(width / 2 + 1.5, width / 2 + 1.5, -width / 2 - 1.5, -width / 2 - 1.5);
    p.drawEllipse(circle.translated(0, 0.8));
    p.setPen(stroke(c, width));
    p.drawEllipse(circle);
}

void bar(QPainter &p, const QRectF &r, const QColor &c)
{
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), shortSide(r) / 2 - 0.5, shortSide(r) / 2 - 0.5);
}

void toggle(QPainter &p, const QRectF &r, bool on, const QColor &track, const QColor &knob)
{
    const qreal trackHeight = r.height() * 0.6;
    const QRectF trackRect(r.left() + 1, r.center().y() - trackHeight / 2, r.width() - 2, trackHeight);
    p.setPen(Qt::NoPen);
    p.setBrush(track);
    p.drawRoundedRect(trackRect, trackHeight / 2, trackHeight / 2);
    const qreal radius = r.height() * 0.26;
    const qreal inset = (trackHeight / 2 - radius) + 1;
    const QPointF centre(on ? r.right() - radius - inset : r.left() + radius + inset, r.center().y());
    p.setBrush(QColor(0, 0, 0, 70));
    p.drawEllipse(centre + QPointF(0, 1), radius, radius);
    p.setBrush(knob);
    p.drawEllipse(centre, radius, radius);
}

void question(QPainter &p, const QRectF &r, const QColor &c)
{
    const qreal width = qMax(1.5, r.width() * 0.26);
    p.setPen(stroke(c, width));
    p.setBrush(Qt::NoBrush);
    const qreal radius = r.width() / 2 - width / 2;
    QPainterPath hook;
    const QRectF top(r.center().x() - radius, r.top() + width / 2, 2 * radius, 2 * radius);
    hook.arcMoveTo(top, 160);
    hook.arcTo(top, 160, -250);
    hook.lineTo(at(r, 0.5, 0.66));
    p.drawPath(hook);
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawEllipse(at(r, 0.5, 1) - QPointF(0, width * 0.6), width * 0.6, width * 0.6);
}

void refresh(QPainter &p, const QRectF &r, const QColor &c)
{
    const qreal width = qMax(1.5, shortSide(r) * 0.13);
    const qreal radius = shortSide(r) / 2 - width - 1;
    const QPointF centre = r.center();
    const QRectF box(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius);
    p.setPen(stroke(c, width));
    p.setBrush(Qt::NoBrush);
    p.setBrush(c);
    for (int half = 0; half < 2; ++half) {
        const qreal start = 200 + half * 180;
        QPainterPath arc;
        arc.arcMoveTo(box, start);
        arc.arcTo(box, start, -140);
        p.save();
        p.setBrush(Qt::NoBrush);
        p.drawPath(arc);
        p.restore();
        const qreal end = qDegreesToRadians(start - 140);
        const QPointF tip(centre.x() + radius * qCos(end), centre.y() - radius * qSin(end));
        // Clockwise on screen: heading (sin, cos).
        const QPointF along(qSin(end), qCos(end));
        const QPointF across(-along.y(), along.x());
        const qreal head = width * 1.6;
        p.save();
        p.setPen(Qt::NoPen);
        p.drawPolygon(QPolygonF(QVector<QPointF>{tip + along * head, tip + across * head, tip - across * head}));
        p.restore();
    }
}

void pipette(QPainter &p, const QRectF &r, const QColor &c)
{
    p.save();
    p.translate(r.center());
    p.rotate(45);
    const qreal s = shortSide(r) / 14;
    p.scale(s, s);
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawRoundedRect(QRectF(-2.5, -8.5, 5, 4), 1.5, 1.5); // bulb
    p.drawRect(QRectF(-3.5, -4.5, 7, 1.6));                // collar
    p.drawPolygon(QPolygonF(
        QVector<QPointF>{QPointF(-1.5, -3), QPointF(1.5, -3), QPointF(1.2, 6), QPointF(0, 8.5), QPointF(-1.2, 6)}));
    p.restore();
}

void record(QPainter &p, const QRectF &r, const QColor &c)
{
    const qreal width = 1.2;
    p.setPen(stroke(c, width));
    p.setBrush(Qt::NoBrush);
    const QRectF frame = r.adjusted(width / 2, width / 2, -width / 2, -width / 2);
    p.drawRoundedRect(frame, frame.height() / 2, frame.height() / 2);
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    const qreal radius = r.height() * 0.22;
    p.drawEllipse(QPointF(r.left() + r.height() / 2 + 0.5, r.center().y()), radius, radius);
    p.drawRoundedRect(QRectF(r.left() + r.height() + 0.5, r.center().y() - 1, r.width() - r.height() * 1.5, 2), 1, 1);
}

void pen(QPainter &p, const QRectF &r, const QColor &c)
{
    p.save();
    p.translate(r.center());
    p.rotate(-45);
    const qreal s = shortSide(r) / 15;
    p.scale(s, s);
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawRoundedRect(QRectF(-2.2, -9, 4.4, 2.6), 0.8, 0.8); // the end
    p.drawRect(QRectF(-2.2, -5.6, 4.4, 9));                  // the barrel
    p.drawPolygon(QPolygonF(QVector<QPointF>{QPointF(-2.2, 4.4), QPointF(2.2, 4.4), QPointF(0, 9)}));
    p.restore();
}

void create(QPainter &p, const QRectF &r, const QColor &page, const QColor &badge)
{
    const qreal width = 1.3;
    const QRectF sheet(r.left() + width / 2, r.top() + width / 2, r.width() * 0.72, r.height() * 0.8);
    const qreal fold = sheet.width() * 0.35;
    p.setPen(stroke(page, width));
    p.setBrush(Qt::NoBrush);
    p.drawPolygon(QPolygonF(QVector<QPointF>{sheet.topLeft(), QPointF(sheet.right() - fold, sheet.top()),
                                             QPointF(sheet.right(), sheet.top() + fold), sheet.bottomRight(),
                                             sheet.bottomLeft()}));
    const qreal radius = r.width() * 0.27;
    const QPointF centre(r.right() - radius - 0.5, r.bottom() - radius - 0.5);
    p.setPen(Qt::NoPen);
    p.setBrush(badge);
    p.drawEllipse(centre, radius, radius);
    p.setPen(stroke(Qt::black, 1.3, Qt::FlatCap));
    p.drawLine(centre - QPointF(radius * 0.55, 0), centre + QPointF(radius * 0.55, 0));
    p.drawLine(centre - QPointF(0, radius * 0.55), centre + QPointF(0, radius * 0.55));
}

void picture(QPainter &p, const QRectF &r, const QColor &c)
{
    const qreal width = qMax(1.0, shortSide(r) * 0.08);
    const QRectF frame = r.adjusted(width / 2 + 1, width / 2 + 2, -width / 2 - 1, -width / 2 - 2);
    p.setPen(stroke(c, width));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(frame, 1.5, 1.5);
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawPolygon(QPolygonF(QVector<QPointF>{at(frame, 0.1, 0.85), at(frame, 0.4, 0.4), at(frame, 0.6, 0.7),
                                             at(frame, 0.72, 0.55), at(frame, 0.9, 0.85)}));
    p.drawEllipse(at(frame, 0.72, 0.28), shortSide(frame) * 0.1, shortSide(frame) * 0.1);
}

void holder(QPainter &p, const QRectF &r, const QColor &c)
{
    QPen dashed = stroke(c, 1.5, Qt::FlatCap);
    dashed.setDashPattern({3, 2.5});
    p.setPen(dashed);
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(r.adjusted(1, 1, -1, -1), 5, 5);
    picture(p, r.adjusted(r.width() * 0.28, r.height() * 0.28, -r.width() * 0.28, -r.height() * 0.28), c);
}

void bin(QPainter &p, const QRectF &r, const QColor &c)
{
    const qreal width = 1.3;
    p.setPen(stroke(c, width));
    p.setBrush(Qt::NoBrush);
    p.drawLine(at(r, 0.05, 0.2), at(r, 0.95, 0.2));
    p.drawLine(at(r, 0.35, 0.05), at(r, 0.65, 0.05));
    p.drawPolygon(
        QPolygonF(QVector<QPointF>{at(r, 0.15, 0.28), at(r, 0.85, 0.28), at(r, 0.78, 0.95), at(r, 0.22, 0.95)}));
    p.drawLine(at(r, 0.4, 0.42), at(r, 0.4, 0.8));
    p.drawLine(at(r, 0.6, 0.42), at(r, 0.6, 0.8));
}

void home(QPainter &p, const QRectF &r, const QColor &c)
{
    const qreal width = 1.6;
    p.setPen(stroke(c, width));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(QPolygonF(QVector<QPointF>{at(r, 0.06, 0.5), at(r, 0.5, 0.06), at(r, 0.94, 0.5)}));
    p.drawPolyline(QPolygonF(QVector<QPointF>{at(r, 0.2, 0.42), at(r, 0.2, 0.94), at(r, 0.8, 0.94), at(r, 0.8, 0.42)}));
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawRect(QRectF(at(r, 0.42, 0.62), at(r, 0.58, 0.94)));
}

void sliders(QPainter &p, const QRectF &r, const QColor &c)
{
    p.setPen(stroke(c, 1.3));
    p.setBrush(c);
    const qreal knobs[] = {0.3, 0.7, 0.45};
    for (int i = 0; i < 3; ++i) {
        const qreal fx = 0.18 + 0.32 * i;
        p.drawLine(at(r, fx, 0.05), at(r, fx, 0.95));
        p.drawEllipse(at(r, fx, knobs[i]), r.width() * 0.12, r.width() * 0.12);
    }
}

void magnifier(QPainter &p, const QRectF &r, const QColor &c)
{
    const qreal width = shortSide(r) * 0.09;
    p.setPen(stroke(c, width));
    p.setBrush(Qt::NoBrush);
    const qreal radius = shortSide(r) * 0.3;
    const QPointF centre = at(r, 0.42, 0.42);
    p.drawEllipse(centre, radius, radius);
    p.setPen(stroke(c, width * 1.6));
    p.drawLine(centre + QPointF(radius, radius) * 0.75, at(r, 0.9, 0.9));
}

void vibration(QPainter &p, const QRectF &r, const QColor &c)
{
    const qreal width = 1.3;
    p.setPen(stroke(c, width));
    p.setBrush(Qt::NoBrush);
    const QRectF body(r.center().x() - r.width() * 0.17, r.top() + 1, r.width() * 0.34, r.height() - 2);
    p.drawRoundedRect(body, 2, 2);
    for (int side = -1; side <= 1; side += 2) {
        for (int wave = 1; wave <= 2; ++wave) {
            const qreal x = r.center().x() + side * (body.width() / 2 + wave * r.width() * 0.11);
            QPainterPath zig;
            zig.moveTo(x, r.top() + r.height() * 0.25);
            zig.lineTo(x + side * 1.5, r.top() + r.height() * 0.42);
            zig.lineTo(x - side * 1.5, r.top() + r.height() * 0.58);
            zig.lineTo(x, r.top() + r.height() * 0.75);
            p.drawPath(zig);
        }
    }
}

void info(QPainter &p, const QRectF &r, const QColor &c)
{
    const qreal width = 1.6;
    const qreal radius = shortSide(r) / 2 - width / 2 - 0.5;
    p.setPen(stroke(c, width));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(r.center(), radius, radius);
    p.setPen(stroke(c, 2.2));
    p.drawLine(r.center() + QPointF(0, -radius * 0.05), r.center() + QPointF(0, radius * 0.5));
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawEllipse(r.center() + QPointF(0, -radius * 0.45), 1.4, 1.4);
}

void mouseIcon(QPainter &p, const QRectF &r, const QColor &c)
{
    const qreal width = 1.6;
    const QRectF body(r.left() + r.width() * 0.14, r.top() + width / 2, r.width() * 0.72, r.height() - width);
    p.setPen(stroke(c, width));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(body, body.width() / 2, body.width() / 2);
    p.drawLine(QPointF(body.left(), body.top() + body.height() * 0.42),
               QPointF(body.right(), body.top() + body.height() * 0.42));
    p.drawLine(QPointF(body.center().x(), body.top()), QPointF(body.center().x(), body.top() + body.height() * 0.42));
    p.setPen(stroke(c, 2.2));
    p.drawLine(QPointF(body.center().x(), body.top() + body.height() * 0.14),
               QPointF(body.center().x(), body.top() + body.height() * 0.26));
}

} // namespace Controls
