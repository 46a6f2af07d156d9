#pragma once
// A scene item showing a line whose opacity a QPropertyAnimation can fade.

#include <QGraphicsLineItem>
#include <QObject>

class LineObject : public QObject, public QGraphicsLineItem
{
    Q_OBJECT
    Q_PROPERTY(qreal opacity READ opacity WRITE setOpacity)

public:
    explicit LineObject(QGraphicsItem *parent = nullptr)
        : QGraphicsLineItem(parent)
    {}
};
