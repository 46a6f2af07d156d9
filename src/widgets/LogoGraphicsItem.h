#pragma once
// The logo zone of the simple scene (id 20): its outline follows the style
// type; it shows a fill while hovered and an outline while selected.

#include "ButtonGraphicsItem.h"

class LogoGraphicsItem : public ButtonGraphicsItem
{
    Q_OBJECT

public:
    static constexpr int logoId = 20;

    explicit LogoGraphicsItem(int styleType, QGraphicsItem *parent = nullptr);

    void setSelectedState(bool selected) override;
    QPolygon logoOutline() const { return m_logoOutline; }

protected:
    void hoverEnterEvent(QGraphicsSceneHoverEvent *event) override;
    void hoverLeaveEvent(QGraphicsSceneHoverEvent *event) override;

private:
    bool hasLook() const { return m_styleType >= 0 && m_styleType <= 3; }

    QPolygon m_logoOutline;
};
