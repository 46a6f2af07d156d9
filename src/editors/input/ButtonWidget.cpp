#include "ButtonWidget.h"

#include "ForcePressWidget.h"
#include "MouseFunctions.h"
#include "OutputAction_Act.h"
#include "OutputAction_Mouse.h"
#include "OutputAction_Oled.h"
#include "OutputAction_Profile.h"

namespace {

constexpr int alternateShows = 5;

OutputPtr mouseButton(int buttonId, int state)
{
    auto output = std::make_shared<OutputAction_Mouse>(OutputType::MouseButton);
    output->buttonId = quint8(buttonId);
    output->buttonState = state;
    return output;
}

OutputPtr profileStep(int selection)
{
    auto output = std::make_shared<OutputAction_Profile>(OutputType::ProfileSelect);
    output->profileSelection = selection;
    return output;
}

// An Alternate that steps through five OLED shows, one per press.
OutputList oledCycle()
{
    auto alternate = std::make_shared<OutputAction_Act>(OutputType::Alternate);
    alternate->alternateCount = alternateShows;
    OutputList list{alternate};
    for (int content : {OutputAction_Oled::OledDpiLevels, OutputAction_Oled::OledProfile, OutputAction_Oled::OledForces,
                        OutputAction_Oled::OledAngles, OutputAction_Oled::OledCube}) {
        auto show = std::make_shared<OutputAction_Oled>(OutputType::OledShow);
        show->oledMode = content;
        list << show;
    }
    return list;
}

// The buttons that carry a force sensor on the connected model.
bool senseForce(int buttonId)
{
    switch (buttonId) {
    case ButtonIds::LeftButton:
    case ButtonIds::LeftFingertip:
        return true;
    case ButtonIds::RightButton:
    case ButtonIds::MiddleButton:
    case ButtonIds::RightFingertip:
        return MouseFunctions::instance()->isVModel();
    default:
        return false;
    }
}

} // namespace

ButtonWidget::ButtonWidget(int buttonId, bool topLevel, bool isGlobal, QWidget *parent)
    : MapWidget(topLevel, isGlobal, parent)
{
    finish(newMapping(buttonId));
}

ButtonWidget::ButtonWidget(std::shared_ptr<InputMapAction_Button> mapping, bool isGlobal, MapWidget *parentCard,
                           QWidget *parent)
    : MapWidget(isGlobal, parentCard, parent)
{
    finish(mapping);
}

std::shared_ptr<InputMapAction_Button> ButtonWidget::newMapping(int buttonId)
{
    auto mapping = std::make_shared<InputMapAction_Button>(InputType::Button);
    mapping->buttonId = buttonId;
    return mapping;
}

void ButtonWidget::finish(const std::shared_ptr<InputMapAction_Button> &mapping)
{
    if (isTopLevel())
        setCaptionsEnabled(false);
    if (isTopLevel() && isGlobal() && mapping->buttonId == ButtonIds::LeftButton)
        setSummariesEnabled(false);
    setConfig(mapping);
    syncMapping();
}

bool ButtonWidget::isGlobalLeftButton() const
{
    return isTopLevel() && isGlobal() && mapping()->buttonId == ButtonIds::LeftButton;
}

QString ButtonWidget::inputName() const
{
    return ButtonIds::name(mapping()->buttonId, false);
}

QString ButtonWidget::pressText() const
{
    const int id = mapping()->buttonId;
    if (id >= ButtonIds::LeftButton && id <= ButtonIds::RightFingertip)
        return inputName() + QLatin1Char(' ') + tr("Press");
    return inputName();
}

QString ButtonWidget::releaseText() const
{
    return inputName() + QLatin1Char(' ') + tr("Release");
}

QStringList ButtonWidget::buildMenu()
{
    if (isGlobalLeftButton())
        return {tr("Add"), tr("Save"), tr("Copy"), tr("Paste")};
    return menuOf({tr("Add"), tr("Save"), tr("Copy"), tr("Paste"), tr("Clear Outputs")});
}

void ButtonWidget::menuHandler(int item)
{
    MapWidget::menuHandler(item);
}

MapWidget *ButtonWidget::createEmptyCopy() const
{
    return new ButtonWidget(mapping()->buttonId, false, isGlobal(), nullptr);
}

void ButtonWidget::applyDefaults()
{
    const int id = mapping()->buttonId;
    if (id >= ButtonIds::LeftButton && id <= ButtonIds::TopThumb) {
        storeOutputs({mouseButton(id, OutputActionConfig::ButtonPress)}, true);
        storeOutputs({mouseButton(id, OutputActionConfig::ButtonRelease)}, false);
    }
    if (senseForce(id)) {
        const int percent = id == ButtonIds::MiddleButton ? 80 : 50;
        auto *force = new ForcePressWidget(id, percent, -1, false, nullptr);
        addChildWidget(force);
        emit inputAdded(force);
        force->applyDefaults();
    }
    if (isTopLevel())
        return;
    switch (id) {
    case ButtonIds::LeftTriggerPull:
        storeOutputs(oledCycle(), true);
        break;
    case ButtonIds::RearEdge:
        storeOutputs({profileStep(OutputAction_Profile::NextProfile)}, true);
        break;
    case ButtonIds::FrontEdge:
        storeOutputs({profileStep(OutputAction_Profile::PreviousProfile)}, true);
        break;
    default:
        break;
    }
}

void ButtonWidget::applyRestrictions()
{
    if (mapping()->buttonId == ButtonIds::LeftButton)
        setSummariesEnabled(false);
}
