#include "ForcePressWidget.h"

#include "OutputAction_Haptic.h"
#include "OutputActions.h"

namespace {

constexpr int fullForce = 1000; // tenths of a percent
// How far below the threshold a region ends, in tenths of a percent.
constexpr int regionHysteresis = 100;
constexpr int defaultHapticTime = 7; // hundredths of a second

} // namespace

ForcePressWidget::ForcePressWidget(int buttonId, int percent, int rangeEnd, bool isGlobal, QWidget *parent)
    : MapWidget(false, isGlobal, parent)
{
    finish(newMapping(buttonId, percent, rangeEnd));
}

ForcePressWidget::ForcePressWidget(std::shared_ptr<InputMapAction_Force> mapping, bool isGlobal, MapWidget *parentCard,
                                   QWidget *parent)
    : MapWidget(isGlobal, parentCard, parent)
{
    finish(mapping);
}

std::shared_ptr<InputMapAction_Force> ForcePressWidget::newMapping(int buttonId, int percent, int rangeEnd)
{
    const bool range = rangeEnd != -1;
    auto mapping = std::make_shared<InputMapAction_Force>(range ? InputType::ForceRange : InputType::ForceRegion);
    mapping->buttonId = buttonId;
    mapping->entryStart = quint16(percent * 10);
    mapping->entryEnd = fullForce;
    mapping->exitEnd = fullForce;
    mapping->forceDirection = 0;
    if (range) {
        mapping->entryEnd = quint16(rangeEnd * 10);
        mapping->rangeMode = 3;
    } else {
        // Below 10 % the region would end below zero force, which wraps
        // around in the record's unsigned field.
        mapping->exitStart = quint16(qMax(0, percent * 10 - regionHysteresis));
    }
    return mapping;
}

void ForcePressWidget::finish(const std::shared_ptr<InputMapAction_Force> &mapping)
{
    if (mapping->inputType == InputType::ForceRange)
        hideReleaseRow();
    setConfig(mapping);
    syncMapping();
}

QString ForcePressWidget::inputName() const
{
    const InputMapAction_Force *force = mapping();
    if (isRange())
        return tr("Force Press") + QLatin1Char(' ')
               + tr("%1% to %2%").arg(force->entryStart / 10).arg(force->entryEnd / 10);
    return tr("Force Press") + QLatin1Char(' ') + tr("%1%").arg(force->entryStart / 10);
}

QString ForcePressWidget::pressText() const
{
    return isRange() ? inputName() : inputName() + QLatin1Char(' ') + tr("Press");
}

QString ForcePressWidget::releaseText() const
{
    return inputName() + QLatin1Char(' ') + tr("Release");
}

QStringList ForcePressWidget::buildMenu()
{
    if (isRange())
        return menuOf({tr("Save"), tr("Clear Outputs")});
    return MapWidget::buildMenu();
}

void ForcePressWidget::menuHandler(int item)
{
    if (isRange())
        menuHandlerForRange(item);
    else
        MapWidget::menuHandler(item);
}

MapWidget *ForcePressWidget::createEmptyCopy() const
{
    const InputMapAction_Force *force = mapping();
    return new ForcePressWidget(force->buttonId, force->entryStart / 10, isRange() ? force->entryEnd / 10 : -1,
                                isGlobal(), nullptr);
}

OutputActions *ForcePressWidget::createOutputActions()
{
    return isRange() ? new OutputActions(3, 0) : MapWidget::createOutputActions();
}

void ForcePressWidget::applyDefaults()
{
    if (isRange())
        return;
    auto haptic = std::make_shared<OutputAction_Haptic>(OutputType::Haptic);
    haptic->strength = 0;
    haptic->duration.setValue(defaultHapticTime);
    haptic->hapticOption = 0;
    storeOutputs({haptic}, true);
}
