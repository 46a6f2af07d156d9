#pragma once
// A scene item showing a rectangle whose opacity a QPropertyAnimation can fade.

#include <QGraphicsRectItem>
#include <QObject>

class RectObject : public QObject, public QGraphicsRectItem
{
    Q_OBJECT
    Q_PROPERTY(qreal opacity READ opacity WRITE setOpacity)

public:
    explicit RectObject(QGraphicsItem *parent = nullptr)
        : QGraphicsRectItem(parent)
    {}
};
