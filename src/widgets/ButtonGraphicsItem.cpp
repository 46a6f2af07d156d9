#include "ButtonGraphicsItem.h"

#include "MouseOutlines.h"

#include <QGraphicsSceneMouseEvent>
#include <QLinearGradient>
#include <QtDebug>

ButtonGraphicsItem::ButtonGraphicsItem(int buttonId, int styleType, QGraphicsItem *parent)
    : ButtonGraphicsItem(buttonId, getPolygon(buttonId), styleType, parent)
{}

ButtonGraphicsItem::ButtonGraphicsItem(int buttonId, const QPolygon &outline, int styleType, QGraphicsItem *parent)
    : QGraphicsPolygonItem(parent)
    , m_buttonId(buttonId)
    , m_styleType(styleType)
    , m_outline(outline)
{
    setPolygon(QPolygonF(m_outline));
    setAcceptHoverEvents(true);
    setPen(Qt::NoPen);
    setBrush(Qt::NoBrush);
    applyStyle(styleType);
}

QPolygon ButtonGraphicsItem::getPolygon(int buttonId)
{
    const QPolygon outline = MouseOutlines::simpleOutline(buttonId);
    if (outline.isEmpty() && buttonId != 20)
        qWarning().noquote() << "ButtonGraphicsItem: getPolygon no id!";
    return outline;
}

QBrush ButtonGraphicsItem::gradientBrush(const QRectF &bounds)
{
    QLinearGradient gradient(bounds.topLeft(), bounds.bottomLeft());
    gradient.setColorAt(0, QColor(183, 83, 236, 178));
    gradient.setColorAt(1, QColor(26, 47, 234, 179));
    return QBrush(gradient);
}

void ButtonGraphicsItem::applyStyle(int styleType)
{
    m_styleType = styleType;
    switch (styleType) {
    case 0:
    case 3:
        m_fillBrush = QBrush(QColor(255, 212, 0, 100));
        m_hoverPen.setColor(QColor(255, 212, 0, 255));
        m_selectedPen.setColor(QColor(255, 212, 0, 255));
        break;
    case 1:
        m_fillBrush = gradientBrush(QPolygonF(m_outline).boundingRect());
        m_hoverPen.setColor(QColor(211, 127, 255));
        m_selectedPen.setColor(QColor(211, 127, 255));
        break;
    case 2:
        m_fillBrush = QBrush(QColor(255, 0, 0, 178));
        m_hoverPen.setColor(QColor(Qt::red));
        m_selectedPen.setColor(QColor(Qt::red));
        break;
    default:
        break;
    }
    m_hoverPen.setWidth(3);
    m_selectedPen.setWidth(3);
}

void ButtonGraphicsItem::setSelectedState(bool selected)
{
    if (selected == m_selected)
        return;
    m_selected = selected;
    setBrush(selected ? m_fillBrush : QBrush(Qt::NoBrush));
    setPen(selected ? m_selectedPen : QPen(Qt::NoPen));
}

void ButtonGraphicsItem::setOutlineVisible(bool visible)
{
    setPen(visible ? m_hoverPen : QPen(Qt::NoPen));
}

void ButtonGraphicsItem::hoverEnterEvent(QGraphicsSceneHoverEvent *)
{
    setPen(m_hoverPen);
    if (!m_selected)
        emit hovered(true);
}

void ButtonGraphicsItem::hoverLeaveEvent(QGraphicsSceneHoverEvent *)
{
    setPen(m_selected ? m_selectedPen : QPen(Qt::NoPen));
    if (!m_selected)
        emit hovered(false);
}

void ButtonGraphicsItem::mousePressEvent(QGraphicsSceneMouseEvent *event)
{
    // The press stays accepted either way, so an area below never gets it.
    if (event->button() == Qt::LeftButton && !m_selected)
        emit clicked();
}
