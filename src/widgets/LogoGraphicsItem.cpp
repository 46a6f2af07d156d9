#include "LogoGraphicsItem.h"

#include "MouseOutlines.h"

LogoGraphicsItem::LogoGraphicsItem(int styleType, QGraphicsItem *parent)
    : ButtonGraphicsItem(logoId, styleType, parent)
    , m_logoOutline(MouseOutlines::simpleLogoOutline(styleType))
{
    setPolygon(QPolygonF(m_logoOutline));
    switch (styleType) {
    case 0:
    case 3: {
        const QColor yellow(255, 212, 0, 100);
        m_fillBrush = QBrush(yellow);
        m_hoverPen.setColor(yellow);
        m_hoverPen.setWidth(4);
        m_selectedPen.setColor(yellow);
        m_selectedPen.setWidth(2);
        break;
    }
    case 1:
    case 2: {
        const QColor violet(211, 127, 255);
        m_fillBrush = gradientBrush(QPolygonF(m_logoOutline).boundingRect());
        m_hoverPen.setColor(violet);
        m_hoverPen.setWidth(3);
        m_selectedPen.setColor(violet);
        m_selectedPen.setWidth(1);
        break;
    }
    default:
        break;
    }
}

void LogoGraphicsItem::setSelectedState(bool selected)
{
    if (selected == m_selected)
        return;
    m_selected = selected;
    if (!hasLook())
        return;
    if (selected) {
        setPen(m_selectedPen);
    } else {
        setPen(Qt::NoPen);
        setBrush(Qt::NoBrush);
    }
}

void LogoGraphicsItem::hoverEnterEvent(QGraphicsSceneHoverEvent *)
{
    if (m_selected)
        return;
    if (hasLook())
        setBrush(m_fillBrush);
    emit hovered(true);
}

void LogoGraphicsItem::hoverLeaveEvent(QGraphicsSceneHoverEvent *)
{
    if (m_selected)
        return;
    if (hasLook())
        setBrush(Qt::NoBrush);
    emit hovered(false);
}
