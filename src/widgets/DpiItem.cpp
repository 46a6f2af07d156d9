#include "DpiItem.h"

#include "EllipseObject.h"
#include "LineObject.h"
#include "TextGraphicsItem.h"

#include <QGraphicsScene>
#include <QPen>

namespace {

QPen markerPen(const QColor &color)
{
    return QPen(QBrush(color), 2, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin);
}

} // namespace

DpiItem::DpiItem(QPoint position, QColor color, QGraphicsScene *scene, QObject *parent)
    : QObject(parent)
    , m_color(color)
{
    const int x = position.x();
    const int y = position.y();
    // Each 16 px tick crosses the ring (centre x + 55, y - 75, radius 15) by 8 px.
    const QLineF ticks[] = {
        QLineF(x + 32, y - 75, x + 48, y - 75),
        QLineF(x + 62, y - 75, x + 78, y - 75),
        QLineF(x + 55, y - 98, x + 55, y - 82),
        QLineF(x + 55, y - 68, x + 55, y - 52),
    };
    for (const QLineF &line : ticks) {
        auto *tick = new LineObject;
        tick->setParent(this);
        tick->setLine(line);
        tick->setPen(markerPen(color));
        scene->addItem(tick);
        m_ticks.append(tick);
    }
    m_ring = new EllipseObject;
    m_ring->setParent(this);
    m_ring->setRect(x + 40, y - 90, 30, 30);
    m_ring->setPen(markerPen(color));
    scene->addItem(m_ring);

    m_text = new TextGraphicsItem(QPointF(x - 20, y - 6), true, false);
    m_text->setParent(this);
    scene->addItem(m_text);
}

void DpiItem::setColor(QColor color)
{
    m_color = color;
    for (LineObject *tick : qAsConst(m_ticks))
        tick->setPen(markerPen(color));
    m_ring->setPen(markerPen(color));
}

void DpiItem::setDpi(int dpi)
{
    m_text->setLines({tr("%1 DPI").arg(dpi)});
}

QList<QObject *> DpiItem::items() const
{
    QList<QObject *> shapes;
    for (LineObject *tick : m_ticks)
        shapes.append(tick);
    shapes.append(m_ring);
    return shapes;
}
