#pragma once
// One clickable area of a mouse picture: invisible while idle, its outline
// while the pointer is over it, its fill and outline while selected. The
// colours follow the connected model's style type (0 and 3 yellow, 1 a
// violet-to-blue gradient, 2 red).

#include <QBrush>
#include <QGraphicsPolygonItem>
#include <QObject>
#include <QPen>
#include <QPolygon>

class ButtonGraphicsItem : public QObject, public QGraphicsPolygonItem
{
    Q_OBJECT

public:
    // The built-in outline of the simple scene for buttonId.
    ButtonGraphicsItem(int buttonId, int styleType, QGraphicsItem *parent = nullptr);
    // The caller's outline (the expert view's mouse image).
    ButtonGraphicsItem(int buttonId, const QPolygon &outline, int styleType, QGraphicsItem *parent = nullptr);

    // Shows the fill and the selected outline, or nothing. Nothing when the
    // state is unchanged.
    virtual void setSelectedState(bool selected);
    // Takes the colours of a style type; what the item shows now stays until
    // the next hover or selection change. An unknown style keeps the colours.
    void applyStyle(int styleType);
    // The hover outline on or off, whatever the state.
    void setOutlineVisible(bool visible);

    int buttonId() const { return m_buttonId; }
    int styleType() const { return m_styleType; }
    bool isSelectedState() const { return m_selected; }
    QBrush fillBrush() const { return m_fillBrush; }
    QPen hoverPen() const { return m_hoverPen; }
    QPen selectedPen() const { return m_selectedPen; }
    QPolygon outline() const { return m_outline; }

    // The simple scene's outline of an id; empty (with a warning) for an id
    // without one. The logo (20) brings its own and gives no warning.
    static QPolygon getPolygon(int buttonId);

signals:
    // A left press on an area that is not selected.
    void clicked();
    // The pointer entered or left an area that is not selected.
    void hovered(bool isHovered);

protected:
    void hoverEnterEvent(QGraphicsSceneHoverEvent *event) override;
    void hoverLeaveEvent(QGraphicsSceneHoverEvent *event) override;
    void mousePressEvent(QGraphicsSceneMouseEvent *event) override;

    // The violet-to-blue gradient of style 1 over a rectangle.
    static QBrush gradientBrush(const QRectF &bounds);

    bool m_selected = false;
    int m_buttonId;
    int m_styleType;
    QBrush m_fillBrush;
    QPen m_hoverPen; // default pens: solid, square cap, bevel join
    QPen m_selectedPen;
    QPolygon m_outline;
};
