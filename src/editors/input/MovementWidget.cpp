#include "MovementWidget.h"

MovementWidget::MovementWidget(int direction, int countDivisor, int repeat, bool isGlobal, QWidget *parent)
    : MapWidget(false, isGlobal, parent)
{
    finish(newMapping(direction, countDivisor, repeat));
}

MovementWidget::MovementWidget(std::shared_ptr<InputMapAction_Movement> mapping, bool isGlobal, MapWidget *parentCard,
                               QWidget *parent)
    : MapWidget(isGlobal, parentCard, parent)
{
    finish(mapping);
}

std::shared_ptr<InputMapAction_Movement> MovementWidget::newMapping(int direction, int countDivisor, int repeat)
{
    auto mapping = std::make_shared<InputMapAction_Movement>(InputType::Movement);
    mapping->direction = direction;
    mapping->countDivisor.setValue(countDivisor);
    mapping->repeat = repeat;
    return mapping;
}

void MovementWidget::finish(const std::shared_ptr<InputMapAction_Movement> &mapping)
{
    hideReleaseRow();
    setConfig(mapping);
    syncMapping();
}

QString MovementWidget::inputName() const
{
    const InputMapAction_Movement *movement = mapping();
    QString name = tr("Mouse Movement");
    const QString directions[] = {tr("Left"), tr("Right"), tr("Up"), tr("Down")};
    if (movement->direction >= 0 && movement->direction < 4)
        name += QLatin1Char(' ') + directions[movement->direction];
    const int count = movement->countDivisor.value();
    const QString unit = count == 1 ? tr("unit") : tr("units");
    if (movement->repeat == 0 || movement->repeat == 1) {
        const QString when = movement->repeat == 0 ? tr("after") : tr("every");
        name += QStringLiteral(", ") + when + QLatin1Char(' ') + QString::number(count) + QLatin1Char(' ') + unit;
    }
    return name;
}

QString MovementWidget::pressText() const
{
    return inputName();
}

QString MovementWidget::releaseText() const
{
    return inputName();
}

QStringList MovementWidget::buildMenu()
{
    return menuOf({tr("Save"), tr("Copy"), tr("Paste"), tr("Clear Outputs")});
}

void MovementWidget::menuHandler(int item)
{
    menuHandlerWithoutAdd(item);
}

MapWidget *MovementWidget::createEmptyCopy() const
{
    const InputMapAction_Movement *movement = mapping();
    return new MovementWidget(movement->direction, movement->countDivisor.value(), movement->repeat, isGlobal(),
                              nullptr);
}
