#include "StyleProperties.h"

#include <QStyle>
#include <QWidget>

namespace StyleProperties {

void set(std::initializer_list<QWidget *> widgets, const char *name, const QVariant &value)
{
    for (QWidget *widget : widgets)
        widget->setProperty(name, value);
}

void repolish(QWidget *widget)
{
    widget->style()->unpolish(widget);
    widget->style()->polish(widget);
}

void restyle(QWidget *widget)
{
    if (widget->testAttribute(Qt::WA_WState_Polished))
        repolish(widget);
}

} // namespace StyleProperties
