#pragma once

#include "InputMapAction_Angle.h"
#include "InputMapAction_Button.h"
#include "InputMapAction_Force.h"
#include "InputMapAction_Movement.h"
#include "InputMapAction_Scroll.h"
#include "OutputAction_Act.h"
#include "OutputAction_Haptic.h"
#include "OutputAction_Joystick.h"
#include "OutputAction_Keyboard.h"
#include "OutputAction_Led.h"
#include "OutputAction_Mouse.h"
#include "OutputAction_Oled.h"
#include "OutputAction_Profile.h"
#include "OutputAction_Tilts.h"
#include "OutputAction_Tracking.h"
#include "PackageCreator.h"
#include "ProfileData.h"

// Records and models for the configuration-file tests. Every output is given
// values that the file keeps (a file does not keep, for instance, the
// brightness of a logo LED output), so a model survives a write and a read.
namespace SampleModel {


inline InputMapPtr button(int id, const QString &name = QString())
{
    auto mapping = std::make_shared<InputMapAction_Button>(10);
    mapping->buttonId = id;
    mapping->name = name;
    return mapping;
}

// One output of every kind, in type-code order.
inline OutputList everyOutput()
{
    OutputList list;
    auto pointer = std::make_shared<OutputAction_Mouse>(10);
    pointer->pointerMode = 2;
    pointer->xCount.setValue(300);
    pointer->yCount.setValue(-1);
    list << pointer;

    auto click = std::make_shared<OutputAction_Mouse>(12);
    click->buttonId = 3;
    click->buttonState = 2;
    list << click;

    auto scrollDown = std::make_shared<OutputAction_Mouse>(13);
    scrollDown->scrollCount.setValue(-3);
    list << scrollDown;

    auto scrollRight = std::make_shared<OutputAction_Mouse>(13);
    scrollRight->scrollAxis = 1;
    scrollRight->scrollCount.setValue(7);
    list << scrollRight;

    auto key = std::make_shared<OutputAction_Keyboard>(30);
    key->keyUsage = 0x28; // Enter
    key->updateKeyGroup();
    key->buttonState = 2;
    list << key;

    auto media = std::make_shared<OutputAction_Keyboard>(31);
    media->mediaUsage.setValue(0xCD);
    media->buttonState = 1;
    list << media;

    auto text = std::make_shared<OutputAction_Keyboard>(32);
    text->keyString = QByteArray("Gr\xfc\xdf" "e \"1\"");
    list << text;

    auto stick = std::make_shared<OutputAction_Joystick>(50);
    stick->stickAxis = 1;
    stick->rangeMode = 4;
    stick->firstRangeStart = 100;
    stick->firstRangeEnd = 400;
    stick->secondRangeStart = 600;
    stick->secondRangeEnd = 1000;
    list << stick;

    auto joystickButton = std::make_shared<OutputAction_Joystick>(51);
    joystickButton->buttonId = 7;
    joystickButton->buttonState = 0;
    list << joystickButton;

    auto slider = std::make_shared<OutputAction_Joystick>(52);
    slider->rangeMode = 3;
    slider->firstRangeStart = 50;
    slider->firstRangeEnd = 950;
    list << slider;

    auto haptic = std::make_shared<OutputAction_Haptic>(80);
    haptic->strength = 42;
    haptic->duration.setValue(350);
    haptic->hapticOption = 128;
    list << haptic;

    auto next = std::make_shared<OutputAction_Profile>(90);
    next->profileSelection = 4;
    list << next;

    auto jump = std::make_shared<OutputAction_Profile>(91);
    jump->profileIndex = 1;
    jump->subProfileIndex = 255;
    jump->profileName = QStringLiteral("Play");
    list << jump;

    auto dpi = std::make_shared<OutputAction_Tracking>(92);
    dpi->dpiSelectionType = 6;
    dpi->dpiValue = 1600;
    list << dpi;

    auto liftOff = std::make_shared<OutputAction_Tracking>(93);
    liftOff->liftOffLevel = 2;
    list << liftOff;

    auto led = std::make_shared<OutputAction_Led>(95);
    led->ledMode = 1;
    led->colour1[0] = 255;
    led->colour1[2] = 128;
    list << led;

    auto oled = std::make_shared<OutputAction_Oled>(97);
    oled->oledMode = 1;
    oled->message = "Hi there";
    list << oled;

    list << std::make_shared<OutputAction_Oled>(98);

    auto flash = std::make_shared<OutputAction_Oled>(103);
    flash->oledMode = 3;
    flash->flashDuration.setValue(300);
    flash->flashOption = 1;
    list << flash;

    auto repeat = std::make_shared<OutputAction_Act>(110);
    repeat->repeatTarget = 1;
    repeat->countOrTime.setValue(3);
    list << repeat;

    auto alternate = std::make_shared<OutputAction_Act>(111);
    alternate->alternateCount = 2;
    list << alternate;

    auto stop = std::make_shared<OutputAction_Act>(112);
    stop->skipWaits = 1;
    list << stop;

    auto wait = std::make_shared<OutputAction_Act>(113);
    wait->countOrTime.setValue(60000);
    list << wait;

    auto tilts = std::make_shared<OutputAction_Tilts>(114);
    tilts->tiltAxis = 4;
    list << tilts;
    return list;
}

// The store reset to what the program has before a configuration is read:
// a global profile and nothing else.
inline ProfileData *emptyModel()
{
    PackageCreator *model = PackageCreator::instance();
    model->reset();
    return model->addProfile(255, 255, QStringLiteral("Global"));
}

// The store's profile of that name (not the global one); null when none.
inline ProfileData *profileNamed(const QString &name)
{
    for (ProfileData *profile : PackageCreator::instance()->profiles()) {
        if (profile->name == name)
            return profile;
    }
    return nullptr;
}

// The global profile with settings of its own (DPI levels with separate X
// and Y, logo LED, OLED message), two profiles, one of them with two
// sub-profiles, a three-level mapping tree and every kind of output.
inline void buildFullModel()
{
    PackageCreator *model = PackageCreator::instance();
    ProfileData *global = emptyModel();
    model->setOwnSettings(true, false);
    global->dpiRecord.levelCount = 3;
    global->dpiRecord.currentLevel = 1;
    global->dpiRecord.separateXY = 1;
    global->dpiRecord.dpiValues = {800, 400, 1600, 800, 3200, 1600};
    global->reportIntervalRecord.reportInterval = 2;
    global->liftOffRecord.liftOffLevel = 2;
    global->gameDeviceRecord.gameDevice = 1;
    global->ledRecord.ledMode = 1;
    global->ledRecord.colour1[0] = 10;
    global->ledRecord.colour1[1] = 20;
    global->ledRecord.colour1[2] = 30;
    global->oledRecord.oledMode = 1;
    global->oledRecord.message = "R7 ready";
    global->autoReleaseRecord.autoRelease = 1;
    global->tiltAutoZeroingRecord.tiltAutoZeroing = 1;
    const OutputList outputs = everyOutput();
    global->profileOutputs = {outputs.at(10)->clone(), outputs.at(17)->clone()};

    // Three levels: a button, a force region inside it, a tilt region inside that.
    InputMapPtr left = button(0, QStringLiteral("Left"));
    left->activationOutputs = outputs.mid(0, 8);
    left->deactivationOutputs = outputs.mid(8, 4);
    auto force = std::make_shared<InputMapAction_Force>(50);
    force->buttonId = 0;
    force->entryStart = 300;
    force->entryEnd = 1000;
    force->exitStart = 0;
    force->exitEnd = 250;
    force->forceDirection = 1;
    force->activeState = 0;
    force->name = QStringLiteral("Hard press");
    force->activationOutputs = outputs.mid(12, 6);
    left->addChild(force);
    auto tilt = std::make_shared<InputMapAction_Angle>(60);
    tilt->axis = 2;
    tilt->entryStart = 1900;
    tilt->entryEnd = 3600;
    tilt->exitStart = 1850;
    tilt->exitEnd = 3600;
    tilt->angleDirection = 0;
    tilt->activationOutputs = outputs.mid(18);
    tilt->blockOnDeactivation = 1;
    force->addChild(tilt);
    InputMapPtr right = button(1);
    auto nestedMovement = std::make_shared<InputMapAction_Movement>(20);
    nestedMovement->direction = 2;
    nestedMovement->countDivisor.setValue(0x1234);
    nestedMovement->repeat = 1;
    right->addChild(nestedMovement);
    global->inputMaps = {left, right, button(12)};

    ProfileData *work = model->addProfile(0, 255, QStringLiteral("Work"));
    work->isDefault = true;
    work->linkedAppPaths = QStringList{QStringLiteral("/usr/bin/gimp"), QStringLiteral("C:\\Tools\\cad.exe")};
    work->linkedAppNames = QStringList{QStringLiteral("GIMP"), QStringLiteral("CAD \"Pro\"")};
    model->setOwnSettings(true, false);
    work->dpiRecord.levelCount = 2;
    work->dpiRecord.dpiValues = {400, 1200};
    work->ledRecord.ledMode = 2;
    work->oledRecord.oledMode = 3;
    auto scroll = std::make_shared<InputMapAction_Scroll>(30);
    scroll->wheelDirection = 1;
    scroll->activationOutputs = {outputs.at(2)->clone()};
    auto forceRange = std::make_shared<InputMapAction_Force>(52);
    forceRange->buttonId = 8;
    forceRange->rangeMode = 3;
    forceRange->entryStart = 200;
    forceRange->entryEnd = 800;
    InputMapPtr fingertip = button(8);
    fingertip->addChild(forceRange);
    auto angleRange = std::make_shared<InputMapAction_Angle>(62);
    angleRange->axis = 1;
    angleRange->rangeMode = 4;
    angleRange->entryStart = 0xFFF6; // a bound below zero, as its unsigned 16-bit value
    angleRange->entryEnd = 400;
    angleRange->exitStart = 1;
    angleRange->exitEnd = 65535;
    work->inputMaps = {scroll, fingertip, angleRange};

    ProfileData *workA = model->addProfile(0, 0, QStringLiteral("Work A"));
    workA->inputMaps = {button(4, QStringLiteral("Thumb"))};
    model->addProfile(0, 1, QStringLiteral("Work B"));
    model->setOwnSettings(true, false);
    model->currentProfile()->dpiRecord.levelCount = 1;
    model->currentProfile()->dpiRecord.dpiValues = {5000};

    model->addProfile(1, 255, QStringLiteral("Play"));

    model->setAutoSwitching(true);
    LastSelectedEntry gimp{QStringLiteral("/usr/bin/gimp"), 0, 1};
    LastSelectedEntry cad{QStringLiteral("C:\\Tools\\cad.exe"), 1, 255};
    model->lastSelected(gimp);
    model->lastSelected(cad);
    model->setCurrentProfile(global);
}

} // namespace SampleModel
