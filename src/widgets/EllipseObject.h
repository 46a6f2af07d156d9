#pragma once
// A scene item showing an ellipse whose opacity a QPropertyAnimation can fade.

#include <QGraphicsEllipseItem>
#include <QObject>

class EllipseObject : public QObject, public QGraphicsEllipseItem
{
    Q_OBJECT
    Q_PROPERTY(qreal opacity READ opacity WRITE setOpacity)

public:
    explicit EllipseObject(QGraphicsItem *parent = nullptr)
        : QGraphicsEllipseItem(parent)
    {}
};
