#include "ScrollWidget.h"

#include "OutputAction_Mouse.h"
#include "OutputAction_Oled.h"
#include "OutputAction_Tracking.h"

namespace {

enum WheelDirection : int { Push = 0, Pull = 1, Both = 2 };
constexpr int dpiFlashTime = 100; // hundredths of a second

} // namespace

ScrollWidget::ScrollWidget(int direction, bool topLevel, bool isGlobal, QWidget *parent)
    : MapWidget(topLevel, isGlobal, parent)
{
    finish(newMapping(direction));
}

ScrollWidget::ScrollWidget(std::shared_ptr<InputMapAction_Scroll> mapping, bool isGlobal, MapWidget *parentCard,
                           QWidget *parent)
    : MapWidget(isGlobal, parentCard, parent)
{
    finish(mapping);
}

std::shared_ptr<InputMapAction_Scroll> ScrollWidget::newMapping(int direction)
{
    auto mapping = std::make_shared<InputMapAction_Scroll>(InputType::Scroll);
    mapping->wheelDirection = direction;
    return mapping;
}

void ScrollWidget::finish(const std::shared_ptr<InputMapAction_Scroll> &mapping)
{
    hideReleaseRow();
    if (isTopLevel())
        setCaptionsEnabled(false);
    setConfig(mapping);
    syncMapping();
}

QString ScrollWidget::inputName() const
{
    switch (mapping()->wheelDirection) {
    case Push:
        return tr("Scroll Wheel") + QLatin1Char(' ') + tr("Push");
    case Pull:
        return tr("Scroll Wheel") + QLatin1Char(' ') + tr("Pull");
    case Both:
        return tr("Scroll Wheel");
    default:
        return QString();
    }
}

QString ScrollWidget::pressText() const
{
    return inputName();
}

QString ScrollWidget::releaseText() const
{
    return inputName();
}

QStringList ScrollWidget::buildMenu()
{
    return menuOf({tr("Save"), tr("Copy"), tr("Paste"), tr("Clear Outputs")});
}

void ScrollWidget::menuHandler(int item)
{
    menuHandlerWithoutAdd(item);
}

MapWidget *ScrollWidget::createEmptyCopy() const
{
    return new ScrollWidget(mapping()->wheelDirection, false, isGlobal(), nullptr);
}

void ScrollWidget::applyDefaults()
{
    auto step = std::make_shared<OutputAction_Mouse>(OutputType::MouseScroll);
    step->scrollAxis = 0;
    step->scrollCount.setValue(mapping()->wheelDirection == Pull ? -1 : 1);
    storeOutputs({step}, true);
}

// A nested wheel of the global profile changes the DPI and shows it.
void ScrollWidget::applyRestrictions()
{
    const int direction = mapping()->wheelDirection;
    if (isTopLevel() || (direction != Pull && direction != Push))
        return;
    auto dpi = std::make_shared<OutputAction_Tracking>(OutputType::DpiSelect);
    dpi->dpiSelectionType = direction == Pull ? OutputAction_Tracking::DpiIncrease : OutputAction_Tracking::DpiDecrease;
    dpi->dpiValue = 1;
    auto flash = std::make_shared<OutputAction_Oled>(OutputType::OledFlash);
    flash->oledMode = OutputAction_Oled::OledDpiLevels;
    flash->flashDuration.setValue(dpiFlashTime);
    flash->flashOption = 0;
    storeOutputs({dpi, flash}, true);
}
