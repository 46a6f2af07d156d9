#pragma once
// The models the shipped configuration files are written from: the starter
// configuration "Starter Mappings.kvlf" and the predefined "Desktop"
// profile. The shipped-files test writes them with the program's writer and
// compares the result with the files shipped, so the files stay what the
// writer makes of these models; change a model here and copy the test's
// fresh output over the shipped file.

#include "InputMapAction_Button.h"
#include "OutputAction_Keyboard.h"
#include "PackageCreator.h"
#include "ProfileData.h"
#include "SharedConstants.h"

namespace ShippedModels {

namespace Usage {
constexpr quint8 rightArrow = 0x4F;
constexpr quint8 leftArrow = 0x50;
constexpr quint8 leftAlt = 0xE2;
} // namespace Usage

namespace Button {
constexpr int bottomThumb = 3;
constexpr int topThumb = 4;
} // namespace Button

inline OutputPtr keyOutput(quint8 usage, int buttonState)
{
    auto key = std::make_shared<OutputAction_Keyboard>(30);
    key->keyUsage = usage;
    key->updateKeyGroup();
    key->buttonState = buttonState;
    return key;
}

// A button that holds Alt and an arrow key while it is held: back and
// forward in browsers and file managers.
inline InputMapPtr altArrow(int buttonId, const QString &name, quint8 arrow)
{
    auto mapping = std::make_shared<InputMapAction_Button>(10);
    mapping->buttonId = buttonId;
    mapping->name = name;
    mapping->activationOutputs = {keyOutput(Usage::leftAlt, OutputActionConfig::ButtonPress),
                                  keyOutput(arrow, OutputActionConfig::ButtonPress)};
    mapping->deactivationOutputs = {keyOutput(arrow, OutputActionConfig::ButtonRelease),
                                    keyOutput(Usage::leftAlt, OutputActionConfig::ButtonRelease)};
    return mapping;
}

inline InputMapList desktopMappings()
{
    return {altArrow(Button::bottomThumb, QStringLiteral("Back"), Usage::leftArrow),
            altArrow(Button::topThumb, QStringLiteral("Forward"), Usage::rightArrow)};
}

// The global profile with three DPI levels; "Desktop" (the default) with back
// and forward on the thumb buttons; "Games" with DPI levels of its own.
inline void buildStarterModel()
{
    PackageCreator *model = PackageCreator::instance();
    model->reset();
    ProfileData *global = model->addProfile(255, 255, globalProfileName);
    model->setOwnSettings(true, false);
    global->dpiRecord.levelCount = 3;
    global->dpiRecord.currentLevel = 1;
    global->dpiRecord.dpiValues = {800, 1600, 3200};

    ProfileData *desktop = model->addProfile(0, 255, QStringLiteral("Desktop"));
    desktop->isDefault = true;
    desktop->inputMaps = desktopMappings();

    ProfileData *games = model->addProfile(1, 255, QStringLiteral("Games"));
    model->setOwnSettings(true, false);
    games->dpiRecord.levelCount = 2;
    games->dpiRecord.currentLevel = 0;
    games->dpiRecord.dpiValues = {1600, 3200};
    model->setCurrentProfile(global);
}

// The predefined "Desktop" profile: a file of that one profile, without a
// global profile (written with the flags below).
inline void buildDesktopModel()
{
    PackageCreator *model = PackageCreator::instance();
    model->reset();
    ProfileData *global = model->addProfile(255, 255, globalProfileName);
    ProfileData *desktop = model->addProfile(0, 255, QStringLiteral("Desktop"));
    desktop->inputMaps = desktopMappings();
    model->setCurrentProfile(global);
}
inline const QList<quint8> desktopFlags = {0, 1};

} // namespace ShippedModels
