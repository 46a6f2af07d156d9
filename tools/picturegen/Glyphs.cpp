#include "Glyphs.h"

#include <QPainter>
#include <QPainterPath>
#include <QtMath>

namespace {

// Gestures are designed on a 24 x 24 grid.
constexpr qreal grid = 24;

QPen strokePen(const QColor &colour, qreal width)
{
    return QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

// A filled arrow head with its tip at tip, pointing along angle (degrees,
// 0 = right, 90 = down).
void arrowHead(QPainter &p, QPointF tip, qreal angle, qreal length, qreal halfWidth)
{
    const qreal a = qDegreesToRadians(angle);
    const QPointF along(qCos(a), qSin(a));
    const QPointF across(-along.y(), along.x());
    const QPointF base = tip - along * length;
    const QPolygonF head(QVector<QPointF>{tip, base + across * halfWidth, base - across * halfWidth});
    p.save();
    p.setPen(Qt::NoPen);
    p.drawPolygon(head);
    p.restore();
}

// A straight arrow from tail to tip.
void arrow(QPainter &p, QPointF tail, QPointF tip, qreal head = 6)
{
    const QPointF d = tip - tail;
    const qreal angle = qRadiansToDegrees(qAtan2(d.y(), d.x()));
    const qreal length = qSqrt(d.x() * d.x() + d.y() * d.y());
    const QPointF shaftEnd = tail + d * ((length - head * 0.8) / length);
    p.drawLine(tail, shaftEnd);
    arrowHead(p, tip, angle, head, head * 0.65);
}

// An arc around centre from start over span degrees (counter-clockwise for a
// positive span, as QPainterPath counts), with a head at its end.
void arcArrow(QPainter &p, QPointF centre, qreal radius, qreal start, qreal span, qreal head = 6)
{
    const QRectF box(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius);
    QPainterPath path;
    path.arcMoveTo(box, start);
    // The line stops inside the head, so its round cap does not show past it.
    const qreal headAngle = qRadiansToDegrees(head * 0.7 / radius);
    path.arcTo(box, start, span - (span > 0 ? headAngle : -headAngle));
    p.save();
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
    p.restore();
    // The end point and the tangent there, in screen coordinates (y down).
    const qreal end = qDegreesToRadians(start + span);
    const QPointF tip(centre.x() + radius * qCos(end), centre.y() - radius * qSin(end));
    // Moving counter-clockwise on screen the point heads along (-sin, -cos).
    const qreal way = span > 0 ? 1 : -1;
    const qreal tangent = qRadiansToDegrees(qAtan2(-way * qCos(end), -way * qSin(end)));
    arrowHead(p, tip, tangent, head, head * 0.65);
}

void forcePress(QPainter &p, const QColor &c)
{
    p.setBrush(c);
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(12, 12), 3.5, 3.5);
    p.setBrush(Qt::NoBrush);
    p.setPen(strokePen(c, 2));
    p.drawEllipse(QPointF(12, 12), 7, 7);
    QPen thin = strokePen(c, 1.6);
    p.setPen(thin);
    const QRectF outer(1.5, 1.5, 21, 21);
    for (int quarter = 0; quarter < 4; ++quarter)
        p.drawArc(outer, (quarter * 90 + 20) * 16, 50 * 16);
}

void move(QPainter &p, const QColor &c, qreal angle)
{
    p.setPen(strokePen(c, 2.6));
    p.setBrush(c);
    const qreal a = qDegreesToRadians(angle);
    const QPointF along(qCos(a), qSin(a));
    arrow(p, QPointF(12, 12) - along * 9, QPointF(12, 12) + along * 10, 9);
}

void moveAny(QPainter &p, const QColor &c)
{
    p.setPen(strokePen(c, 2.2));
    p.setBrush(c);
    for (int angle = 0; angle < 360; angle += 90) {
        const qreal a = qDegreesToRadians(qreal(angle));
        arrow(p, QPointF(12, 12), QPointF(12 + 11 * qCos(a), 12 + 11 * qSin(a)), 6);
    }
}

// A trigger: the bar of the trigger and an arrow towards it (push) or away
// from it (pull).
void trigger(QPainter &p, const QColor &c, bool push)
{
    p.setPen(strokePen(c, 3));
    p.drawLine(QPointF(5, 3.5), QPointF(19, 3.5));
    p.setPen(strokePen(c, 2.6));
    p.setBrush(c);
    if (push)
        arrow(p, QPointF(12, 22), QPointF(12, 7.5), 8);
    else
        arrow(p, QPointF(12, 8), QPointF(12, 22.5), 8);
}

void scroll(QPainter &p, const QColor &c, bool forward, bool back)
{
    p.setBrush(Qt::NoBrush);
    p.setPen(strokePen(c, 2));
    p.drawRoundedRect(QRectF(8, 6, 8, 12), 4, 4);
    p.drawLine(QPointF(12, 9), QPointF(12, 12));
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    if (forward)
        p.drawPolygon(QPolygonF(QVector<QPointF>{QPointF(12, 0.5), QPointF(16.5, 4.5), QPointF(7.5, 4.5)}));
    if (back)
        p.drawPolygon(QPolygonF(QVector<QPointF>{QPointF(12, 23.5), QPointF(16.5, 19.5), QPointF(7.5, 19.5)}));
}

// The mouse seen from the front (left and right) or from the side (forward
// and back), tilted the gesture's way, with an arrow of the motion.
void tilt(QPainter &p, const QColor &c, bool sideView, int direction)
{
    p.setPen(strokePen(c, 1.6));
    p.drawLine(QPointF(2, 21.5), QPointF(22, 21.5));
    QPainterPath shape;
    if (sideView) {
        // A wedge: low front, high back.
        shape.moveTo(-9, 4);
        shape.cubicTo(-8, -4, 3, -6, 9, 0);
        shape.lineTo(9, 4);
        shape.closeSubpath();
    } else {
        shape.moveTo(-8, 4);
        shape.cubicTo(-8, -6, 8, -6, 8, 4);
        shape.closeSubpath();
    }
    p.save();
    p.translate(12, 16);
    p.rotate(direction < 0 ? -15 : 15);
    p.setBrush(c);
    p.setPen(Qt::NoPen);
    p.drawPath(shape);
    p.restore();
    p.setPen(strokePen(c, 1.8));
    p.setBrush(c);
    // Left and forward point left, right and back point right.
    if (direction < 0)
        arcArrow(p, QPointF(12, 17), 13, 55, 70, 5);
    else
        arcArrow(p, QPointF(12, 17), 13, 125, -70, 5);
}

void pivot(QPainter &p, const QColor &c, bool left)
{
    p.setPen(strokePen(c, 2.2));
    p.setBrush(c);
    if (left)
        arcArrow(p, QPointF(12, 12), 8.5, -60, 280);
    else
        arcArrow(p, QPointF(12, 12), 8.5, 240, -280);
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(12, 12), 2.2, 2.2);
}

// Fits a design of the given size into area, centred, keeping its shape.
void fit(QPainter &p, const QRectF &area, QSizeF design)
{
    const qreal scale = qMin(area.width() / design.width(), area.height() / design.height());
    p.translate(area.center());
    p.scale(scale, scale);
    p.translate(-design.width() / 2, -design.height() / 2);
}

} // namespace

namespace Glyphs {

QStringList gestureNames()
{
    return {"force_press",    "move_any",    "move_down",    "move_left", "move_right", "move_up",
            "pivot_left",     "pivot_right", "pull",         "push",      "scroll_all", "scroll_back",
            "scroll_forward", "tilt_back",   "tilt_forward", "tilt_left", "tilt_right"};
}

bool gesture(QPainter &p, const QRectF &area, const QString &name, const QColor &c)
{
    if (!gestureNames().contains(name))
        return false;
    p.save();
    fit(p, area, QSizeF(grid, grid));
    if (name == QLatin1String("force_press"))
        forcePress(p, c);
    else if (name == QLatin1String("move_any"))
        moveAny(p, c);
    else if (name == QLatin1String("move_right"))
        move(p, c, 0);
    else if (name == QLatin1String("move_down"))
        move(p, c, 90);
    else if (name == QLatin1String("move_left"))
        move(p, c, 180);
    else if (name == QLatin1String("move_up"))
        move(p, c, 270);
    else if (name == QLatin1String("pivot_left"))
        pivot(p, c, true);
    else if (name == QLatin1String("pivot_right"))
        pivot(p, c, false);
    else if (name == QLatin1String("pull"))
        trigger(p, c, false);
    else if (name == QLatin1String("push"))
        trigger(p, c, true);
    else if (name == QLatin1String("scroll_all"))
        scroll(p, c, true, true);
    else if (name == QLatin1String("scroll_back"))
        scroll(p, c, false, true);
    else if (name == QLatin1String("scroll_forward"))
        scroll(p, c, true, false);
    else if (name == QLatin1String("tilt_back"))
        tilt(p, c, true, 1);
    else if (name == QLatin1String("tilt_forward"))
        tilt(p, c, true, -1);
    else if (name == QLatin1String("tilt_left"))
        tilt(p, c, false, -1);
    else
        tilt(p, c, false, 1);
    p.restore();
    return true;
}

QStringList tabNames()
{
    return {"mappings", "settings", "tilt_forward_back", "tilt_left_right"};
}

bool tab(QPainter &p, const QRectF &area, const QString &name, const QColor &c)
{
    if (!tabNames().contains(name))
        return false;
    p.save();
    if (name == QLatin1String("mappings")) {
        // A list: three rows of a mark and a line.
        fit(p, area, QSizeF(24, 15));
        p.setPen(Qt::NoPen);
        p.setBrush(c);
        for (int row = 0; row < 3; ++row) {
            p.drawRoundedRect(QRectF(1, 1 + row * 5.2, 3.5, 3.2), 0.8, 0.8);
            p.drawRoundedRect(QRectF(7, 1.2 + row * 5.2, 16, 2.8), 1.2, 1.2);
        }
    } else if (name == QLatin1String("settings")) {
        // A gear of eight teeth.
        fit(p, area, QSizeF(20, 21));
        p.translate(10, 10.5);
        QPainterPath gear;
        gear.addEllipse(QPointF(0, 0), 7, 7);
        for (int tooth = 0; tooth < 8; ++tooth) {
            QPainterPath one;
            one.addRoundedRect(QRectF(-1.8, -9.8, 3.6, 5), 0.8, 0.8);
            gear = gear.united(QTransform().rotate(tooth * 45).map(one));
        }
        QPainterPath hole;
        hole.addEllipse(QPointF(0, 0), 2.8, 2.8);
        p.setPen(Qt::NoPen);
        p.setBrush(c);
        p.drawPath(gear.subtracted(hole));
    } else {
        // The mouse tilting, with a double arrow of the two ways.
        const bool sideView = name == QLatin1String("tilt_forward_back");
        const QSizeF design = sideView ? QSizeF(48, 28) : QSizeF(42, 28);
        fit(p, area, design);
        const qreal cx = design.width() / 2;
        QPainterPath shape;
        if (sideView) {
            shape.moveTo(-12, 5);
            shape.cubicTo(-11, -5, 4, -8, 12, 0);
            shape.lineTo(12, 5);
        } else {
            shape.moveTo(-9, 5);
            shape.cubicTo(-9, -7, 9, -7, 9, 5);
        }
        shape.closeSubpath();
        p.setPen(Qt::NoPen);
        p.setBrush(c);
        p.drawPath(shape.translated(cx, 19));
        p.setPen(strokePen(c, 1.6));
        p.drawLine(QPointF(cx - 16, 25.5), QPointF(cx + 16, 25.5));
        p.setPen(strokePen(c, 1.8));
        arcArrow(p, QPointF(cx, 22), 18, 95, 45);
        arcArrow(p, QPointF(cx, 22), 18, 85, -45);
    }
    p.restore();
    return true;
}

} // namespace Glyphs
