#pragma once
// The DPI marker of the simple scene: a ring with four ticks and the
// current DPI beside it.

#include <QColor>
#include <QList>
#include <QObject>
#include <QPoint>

class EllipseObject;
class LineObject;
class QGraphicsScene;
class TextGraphicsItem;

class DpiItem : public QObject
{
    Q_OBJECT

public:
    DpiItem(QPoint position, QColor color, QGraphicsScene *scene, QObject *parent = nullptr);

    TextGraphicsItem *textItem() const { return m_text; }
    void setColor(QColor color);
    // Shows "<dpi> DPI".
    void setDpi(int dpi);
    // The four ticks and the ring (not the text), for fading their opacity.
    QList<QObject *> items() const;

    EllipseObject *ring() const { return m_ring; }
    QList<LineObject *> ticks() const { return m_ticks; }
    QColor color() const { return m_color; }

private:
    TextGraphicsItem *m_text = nullptr;
    QList<LineObject *> m_ticks;
    EllipseObject *m_ring = nullptr;
    QColor m_color;
};
