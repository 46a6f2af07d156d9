#include "PointingLine.h"

#include "EllipseObject.h"
#include "LineObject.h"
#include "RectObject.h"

#include <QGraphicsScene>
#include <QLinearGradient>
#include <QPen>

namespace {

QColor withAlpha(QColor color, int alpha)
{
    color.setAlpha(alpha);
    return color;
}

QPen linePen(const QColor &color)
{
    return QPen(QBrush(color), PointingLine::lineWidth, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin);
}

constexpr int faintAlpha = 20;
constexpr int halfAlpha = 128;

} // namespace

PointingLine::PointingLine(const Points &points, QColor color, bool withDot, QGraphicsScene *scene, QObject *parent)
    : QObject(parent)
    , m_color(color)
    , m_points(points)
{
    m_bar = new RectObject;
    m_bar->setParent(this);
    m_bar->setPen(QPen(QColor(0, 0, 0, 0)));
    m_bar->setZValue(1);
    styleBar(withAlpha(color, faintAlpha), withAlpha(color, halfAlpha));
    scene->addItem(m_bar);

    if (points.end != points.elbow) {
        m_line = new LineObject;
        m_line->setParent(this);
        m_line->setLine(QLineF(points.elbow, points.end));
        m_line->setPen(linePen(withAlpha(color, halfAlpha)));
        m_line->setZValue(1);
        scene->addItem(m_line);
    }
    if (withDot) {
        m_dot = new EllipseObject;
        m_dot->setParent(this);
        const qreal radius = dotSize / 2.0;
        m_dot->setRect(points.end.x() - radius, points.end.y() - radius, dotSize, dotSize);
        m_dot->setPen(linePen(withAlpha(color, halfAlpha)));
        m_dot->setBrush(color);
        m_dot->setZValue(1);
        scene->addItem(m_dot);
    }
}

PointingLine::PointingLine(QPoint from, QPoint to, QColor color, QGraphicsScene *scene, QObject *parent)
    : QObject(parent)
    , m_color(color)
{
    m_line = new LineObject;
    m_line->setParent(this);
    m_line->setLine(QLineF(from, to));
    m_line->setPen(linePen(withAlpha(color, halfAlpha)));
    m_line->setZValue(1);
    scene->addItem(m_line);
}

void PointingLine::styleBar(const QColor &faint, const QColor &strong)
{
    // One pixel short of the elbow, faint at the label and strong at the elbow.
    const QPoint start = m_points.start;
    const QPoint elbow = m_points.elbow;
    int d = elbow.x() - start.x();
    d += d >= 0 ? -1 : 1;
    if (d > 0) {
        m_bar->setRect(start.x(), start.y() - 1, d, 2);
        QLinearGradient gradient(start, elbow);
        gradient.setColorAt(0, faint);
        gradient.setColorAt(1, strong);
        m_bar->setBrush(gradient);
    } else {
        m_bar->setRect(elbow.x(), elbow.y() - 1, -d, 2);
        QLinearGradient gradient(elbow, start);
        gradient.setColorAt(0, strong);
        gradient.setColorAt(1, faint);
        m_bar->setBrush(gradient);
    }
}

void PointingLine::updateStyle(bool highlighted, int styleType)
{
    const bool yellowStyle = styleType == 0 || styleType == 3;
    const QColor highlight = yellowStyle ? QColor(255, 212, 0) : QColor(Qt::white);
    const int strongAlpha = yellowStyle ? 255 : halfAlpha;
    const QColor c = highlighted ? highlight : m_color;
    if (m_bar)
        styleBar(withAlpha(c, faintAlpha), withAlpha(c, strongAlpha));
    if (m_line)
        m_line->setPen(linePen(withAlpha(c, strongAlpha)));
    if (m_dot) {
        m_dot->setBrush(c);
        m_dot->setPen(linePen(m_color));
    }
}

void PointingLine::setColor(QColor color)
{
    m_color = color;
    updateStyle(false, 1);
}

void PointingLine::setVisible(bool visible)
{
    for (QObject *item : items())
        dynamic_cast<QGraphicsItem *>(item)->setVisible(visible);
}

QList<QObject *> PointingLine::items() const
{
    QList<QObject *> present;
    if (m_bar)
        present.append(m_bar);
    if (m_line)
        present.append(m_line);
    if (m_dot)
        present.append(m_dot);
    return present;
}
