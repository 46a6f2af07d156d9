#include "ItemLabelClickable.h"

#include <QMouseEvent>

ItemLabelClickable::ItemLabelClickable(QWidget *parent)
    : QLabel(parent)
{
    setProperty("label_type", QStringLiteral("popup_clickable"));
}

void ItemLabelClickable::mouseReleaseEvent(QMouseEvent *event)
{
    QLabel::mouseReleaseEvent(event);
    if (rect().contains(event->pos()))
        emit clicked();
}
