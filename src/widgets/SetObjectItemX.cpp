#include "SetObjectItemX.h"

#include <QGraphicsItem>
#include <QObject>

void setObjectItemX(QObject *object, int x)
{
    if (auto *item = dynamic_cast<QGraphicsItem *>(object))
        item->setX(x);
}
