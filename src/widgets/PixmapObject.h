#pragma once
// A scene item showing a picture whose opacity a QPropertyAnimation can fade.

#include <QGraphicsPixmapItem>
#include <QObject>

class PixmapObject : public QObject, public QGraphicsPixmapItem
{
    Q_OBJECT
    Q_PROPERTY(qreal opacity READ opacity WRITE setOpacity)

public:
    explicit PixmapObject(QGraphicsItem *parent = nullptr)
        : QGraphicsPixmapItem(parent)
    {}
};
