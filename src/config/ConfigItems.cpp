#include "ConfigItems.h"

#include "AutoReleaseInputsRecord.h"
#include "DpiConfigureRecord.h"
#include "EnumText.h"
#include "GameDeviceSelectRecord.h"
#include "LedSetRecord.h"
#include "LiftOffSelectRecord.h"
#include "OledSetRecord.h"
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
#include "ReportIntervalRecord.h"
#include "TiltAutoZeroingRecord.h"

#include <QDebug>
#include <QJsonArray>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>

namespace {

const EnumText buttonStates[] = {{0, "upOff"}, {1, "tap"}, {2, "downOn"}};
const EnumText selectionTypes[] = {{1, "next"},  {2, "previous"}, {3, "up"},       {4, "down"},
                                   {5, "index"}, {6, "value"},    {7, "increase"}, {8, "decrease"}};
const EnumText stickAxes[] = {{0, "leftRight"}, {1, "forwardBack"}, {2, "rotateLeftRight"}};
const EnumText tiltAxes[] = {{3, "rollAndPitch"}, {4, "yaw"}};
const EnumText hapticOptions[] = {{0, "configured"}, {128, "configuredAndWait"}};
const EnumText ledModes[] = {{0, "off"}, {1, "fixedColour"}, {2, "hueRotation"}};
const EnumText oledModes[] = {{0, "off"},     {1, "customMessage"},    {2, "dpiLevels"}, {3, "profile"},
                              {4, "forcePressForces"}, {5, "tiltAngles"}, {6, "cube"}, {7, "firmwareVersion"}};
const EnumText flashOptions[] = {{0, "none"}, {1, "wait"}};
const EnumText liftOffLevels[] = {{2, "two"}, {3, "three"}};
const EnumText reportIntervals[] = {{1, "rI_1000_Hz"}, {2, "rI_500_Hz"}, {4, "rI_250_Hz"}, {8, "rI_125_Hz"}};
const EnumText gameDevices[] = {{0, "none"}, {1, "joystick"}};
const EnumText states[] = {{0, "disabled"}, {1, "enabled"}};

struct ButtonName
{
    const char *keyName;
    const char *id;
};

const ButtonName buttonTable[] = {
    {"MouseButtonLeft", "left"},
    {"MouseButtonRight", "right"},
    {"MouseButtonMiddle", "middle"},
    {"MouseButtonThumbBottom", "thumbBottom"},
    {"MouseButtonThumbTop", "thumbTop"},
    {"MouseButtonEdgeFront", "edgeFront"},
    {"MouseButtonEdgeRear", "edgeRear"},
    {"MouseButtonFingertipLeft", "fingertipLeft"},
    {"MouseButtonFingertipRight", "fingertipRight"},
    {"MouseButtonTriggerLeftPush", "triggerLeftPush"},
    {"MouseButtonTriggerLeftPull", "triggerLeftPull"},
    {"MouseButtonTriggerRightPush", "triggerRightPush"},
    // The format has no id of its own for the last button.
    {"MouseButtonTriggerRightPull", "maxButtonValue"},
};
constexpr int noButton = 13;

const QString typePrefix = QStringLiteral("VMouseConfig.OutputActionItems.");
const QString typeSuffix = QStringLiteral(", VMouseConfig");

QJsonObject commonKeys()
{
    QJsonObject item;
    item.insert(QStringLiteral("DataType"), QStringLiteral("trigger"));
    item.insert(QStringLiteral("ItemType"), QStringLiteral("outputAction"));
    item.insert(QStringLiteral("IsValid"), true);
    return item;
}

void setKind(QJsonObject &item, const char *className, const char *typeId)
{
    item.insert(QStringLiteral("$type"), typePrefix + QLatin1String(className) + typeSuffix);
    item.insert(QStringLiteral("TypeId"), QLatin1String(typeId));
}

quint8 byteOf(const QJsonValue &value)
{
    return quint8(ConfigItems::integerOf(value));
}

QJsonObject rangeObject(quint16 start, quint16 end)
{
    return ConfigItems::boundsObject({{"StartPercentageTenths", start}, {"EndPercentageTenths", end}});
}

void readRange(const QJsonObject &range, quint16 &start, quint16 &end)
{
    start = ConfigItems::boundOf(range, "StartPercentageTenths");
    end = ConfigItems::boundOf(range, "EndPercentageTenths");
}

QJsonObject colourObject(const quint8 *rgb)
{
    QJsonObject colour;
    colour.insert(QStringLiteral("R"), rgb[0]);
    colour.insert(QStringLiteral("G"), rgb[1]);
    colour.insert(QStringLiteral("B"), rgb[2]);
    return colour;
}

void readColour(const QJsonObject &colour, quint8 *rgb)
{
    rgb[0] = byteOf(colour.value(QStringLiteral("R")));
    rgb[1] = byteOf(colour.value(QStringLiteral("G")));
    rgb[2] = byteOf(colour.value(QStringLiteral("B")));
}

QJsonObject ledParameters(int mode, int brightness, int duration, const quint8 *colour1, const quint8 *colour2)
{
    QJsonObject parameters;
    parameters.insert(QStringLiteral("Brightness"), brightness);
    parameters.insert(QStringLiteral("Duration10ms"), duration);
    parameters.insert(QStringLiteral("Mode"), nameOf(ledModes, mode));
    parameters.insert(QStringLiteral("Colour1"), colourObject(colour1));
    parameters.insert(QStringLiteral("Colour2"), colourObject(colour2));
    return parameters;
}

// The reader takes only the mode and, for a fixed colour, the first colour:
// brightness, duration and the second colour keep the values set before.
template<typename LedRecord>
void readLedParameters(const QJsonObject &item, LedRecord &led, int unknownMode)
{
    const QJsonObject parameters = item.value(QStringLiteral("LedConfigurationParameters")).toObject();
    const QString mode = parameters.value(QStringLiteral("Mode")).toString();
    led.ledMode = decltype(led.ledMode)(valueOf(ledModes, mode, unknownMode));
    if (mode == QLatin1String("fixedColour"))
        readColour(parameters.value(QStringLiteral("Colour1")).toObject(), led.colour1);
}

QJsonObject oledParameters(int mode, const QByteArray &message, bool alwaysMessage)
{
    QJsonObject parameters;
    parameters.insert(QStringLiteral("Mode"), nameOf(oledModes, mode));
    if (alwaysMessage || mode == OutputAction_Oled::OledMessage)
        parameters.insert(QStringLiteral("Message"), QString::fromLatin1(message));
    return parameters;
}

// A custom message without text shows nothing: the mode becomes off.
void readOledParameters(const QJsonObject &item, int &mode, QByteArray &message, int unknownMode)
{
    const QJsonObject parameters = item.value(QStringLiteral("OledConfigurationParameters")).toObject();
    const QString modeName = parameters.value(QStringLiteral("Mode")).toString();
    mode = valueOf(oledModes, modeName, unknownMode);
    message.clear();
    if (modeName == QLatin1String("customMessage")) {
        message = parameters.value(QStringLiteral("Message")).toString().toLatin1();
        if (message.isEmpty())
            mode = 0;
    }
}

} // namespace

qint64 ConfigItems::integerOf(const QJsonValue &value)
{
    if (!value.isDouble())
        return 0;
    const double number = std::trunc(value.toDouble());
    if (std::isnan(number))
        return 0;
    // 2^63 is exactly representable; anything at or beyond it is clamped.
    constexpr double limit = 9223372036854775808.0;
    if (number >= limit)
        return std::numeric_limits<qint64>::max();
    if (number < -limit)
        return std::numeric_limits<qint64>::min();
    return qint64(number);
}

quint16 ConfigItems::word16Of(const QJsonValue &value)
{
    return quint16(integerOf(value));
}

QJsonObject ConfigItems::boundsObject(std::initializer_list<Bound> bounds)
{
    QJsonObject object;
    for (const Bound &bound : bounds)
        object.insert(QLatin1String(bound.first), bound.second);
    object.insert(QStringLiteral("IsValid"), true);
    return object;
}

quint16 ConfigItems::boundOf(const QJsonObject &range, const char *key)
{
    return word16Of(range.value(QLatin1String(key)));
}

// ---------------------------------------------------------------- enumerations

QString ConfigItems::buttonStateName(int state)
{
    return nameOf(buttonStates, state);
}

int ConfigItems::buttonStateFromName(const QString &name)
{
    return valueOf(buttonStates, name, 1);
}

QString ConfigItems::selectionTypeName(int type)
{
    return nameOf(selectionTypes, type);
}

int ConfigItems::selectionTypeFromName(const QString &name)
{
    return valueOf(selectionTypes, name, 0);
}

void ConfigItems::buttonNames(int button, QString &keyName, QString &id)
{
    if (button >= 0 && button < noButton) {
        keyName = QLatin1String(buttonTable[button].keyName);
        id = QLatin1String(buttonTable[button].id);
        return;
    }
    keyName.clear();
    id.clear();
    if (button == noButton)
        qWarning() << "ConfigFile: None button!";
}

int ConfigItems::buttonFromId(const QString &id)
{
    for (int button = 0; button < noButton; ++button) {
        if (id == QLatin1String(buttonTable[button].id))
            return button;
    }
    return noButton;
}

// ---------------------------------------------------------------- writers

QJsonObject ConfigItems::writeDoNothingItem()
{
    QJsonObject item = commonKeys();
    setKind(item, "DoNothingOutputActionItem", "doNothing");
    item.insert(QStringLiteral("IsSelected"), false);
    return item;
}

QJsonObject ConfigItems::writeOutputActionItem(const OutputActionConfig &output)
{
    QJsonObject item = commonKeys();
    const int code = output.typeCode;

    if (const auto *mouse = dynamic_cast<const OutputAction_Mouse *>(&output)) {
        switch (code) {
        case OutputType::MousePointer:
            setKind(item, "MousePointerOutputActionItem", "mousePointer");
            item.insert(QStringLiteral("xCount"), mouse->xCount.signedValue());
            item.insert(QStringLiteral("yCount"), mouse->yCount.signedValue());
            return item;
        case OutputType::MouseButton:
            setKind(item, "MouseButtonOutputActionItem", "mouseButton");
            item.insert(QStringLiteral("ButtonId"), mouse->buttonId);
            item.insert(QStringLiteral("ButtonState"), buttonStateName(mouse->buttonState));
            return item;
        case OutputType::MouseScroll: {
            setKind(item, "MouseScrollOutputActionItem", "mouseScroll");
            const qint16 count = mouse->scrollCount.signedValue();
            QString direction;
            if (mouse->scrollAxis == 0)
                direction = count < 0 ? QStringLiteral("down") : QStringLiteral("up");
            else if (mouse->scrollAxis == 1)
                direction = count < 0 ? QStringLiteral("left") : QStringLiteral("right");
            item.insert(QStringLiteral("ScrollDirection"), direction);
            item.insert(QStringLiteral("Count"), count);
            return item;
        }
        }
    } else if (const auto *key = dynamic_cast<const OutputAction_Keyboard *>(&output)) {
        switch (code) {
        case OutputType::Key:
            setKind(item, "KeyboardKeyOutputActionItem", "keyboardKey");
            item.insert(QStringLiteral("KeyCode"), QJsonObject{{QStringLiteral("HidPageValue"), key->keyUsage}});
            item.insert(QStringLiteral("ButtonState"), buttonStateName(key->buttonState));
            return item;
        case OutputType::MediaKey:
            setKind(item, "KeyboardMediaOutputActionItem", "keyboardMedia");
            item.insert(QStringLiteral("MediaKeyCode"),
                        QJsonObject{{QStringLiteral("HidPageValue"), key->mediaUsage.low()}});
            item.insert(QStringLiteral("ButtonState"), buttonStateName(key->buttonState));
            return item;
        case OutputType::KeyString:
            setKind(item, "KeyboardKeyStringOutputActionItem", "keyboardKeyString");
            item.insert(QStringLiteral("KeyString"), QString::fromLatin1(key->keyString));
            return item;
        }
    } else if (const auto *joystick = dynamic_cast<const OutputAction_Joystick *>(&output)) {
        switch (code) {
        case OutputType::JoystickStick:
            setKind(item, "JoystickStickOutputActionItem", "joystickStick");
            item.insert(QStringLiteral("DataType"), QStringLiteral("oneRangeAndRangeInstance"));
            item.insert(QStringLiteral("Axis"), nameOf(stickAxes, joystick->stickAxis));
            item.insert(QStringLiteral("LeftRange"), rangeObject(joystick->firstRangeStart, joystick->firstRangeEnd));
            item.insert(QStringLiteral("Mirrored"), (joystick->rangeMode & 1) != 0);
            item.insert(QStringLiteral("RightRange"),
                        rangeObject(joystick->secondRangeStart, joystick->secondRangeEnd));
            return item;
        case OutputType::JoystickButton:
            setKind(item, "JoystickButtonOutputActionItem", "joystickButton");
            item.insert(QStringLiteral("ButtonId"), joystick->buttonId);
            item.insert(QStringLiteral("ButtonState"), buttonStateName(joystick->buttonState));
            return item;
        case OutputType::JoystickSlider: {
            setKind(item, "JoystickSliderOutputActionItem", "joystickSlider");
            const QJsonObject range = rangeObject(joystick->firstRangeStart, joystick->firstRangeEnd);
            item.insert(QStringLiteral("Mirrored"), (joystick->rangeMode & 1) != 0);
            item.insert(QStringLiteral("Range"), range);
            item.insert(QStringLiteral("Ranges"), QJsonArray{range});
            return item;
        }
        }
    } else if (const auto *haptic = dynamic_cast<const OutputAction_Haptic *>(&output)) {
        if (code == OutputType::Haptic) {
            setKind(item, "HapticFeedbackOutputActionItem", "hapticFeedback");
            item.insert(QStringLiteral("StrengthPercentage"), haptic->strength);
            item.insert(QStringLiteral("Time10ms"), haptic->duration.value());
            item.insert(QStringLiteral("HapticFeedbackOption"), nameOf(hapticOptions, haptic->hapticOption));
            return item;
        }
    } else if (const auto *profile = dynamic_cast<const OutputAction_Profile *>(&output)) {
        switch (code) {
        case OutputType::ProfileSelect:
            setKind(item, "ProfileSelectOutputActionItem", "profileSelect");
            item.insert(QStringLiteral("Level"), QStringLiteral("currentLevel"));
            item.insert(QStringLiteral("SelectionType"), selectionTypeName(profile->profileSelection));
            return item;
        case OutputType::ProfileJump: {
            setKind(item, "ProfileJumpOutputActionItem", "profileJump");
            QJsonObject target;
            target.insert(QStringLiteral("ProfileName"), profile->profileName);
            target.insert(QStringLiteral("ProfileIndex"), profile->profileIndex);
            target.insert(QStringLiteral("SubProfileIndex"), profile->subProfileIndex);
            item.insert(QStringLiteral("ProfileJumpId"), target);
            item.insert(QStringLiteral("IsAuto"), false);
            item.insert(QStringLiteral("LastSelected"), QJsonArray());
            return item;
        }
        }
    } else if (const auto *tracking = dynamic_cast<const OutputAction_Tracking *>(&output)) {
        switch (code) {
        case OutputType::DpiSelect:
            setKind(item, "DpiSelectOutputActionItem", "dpiSelect");
            item.insert(QStringLiteral("SelectionType"), selectionTypeName(tracking->dpiSelectionType));
            item.insert(QStringLiteral("Value"), tracking->dpiValue);
            return item;
        case OutputType::LiftOff:
            setKind(item, "LiftOffSelectOutputActionItem", "liftOffSelect");
            item.insert(QStringLiteral("Level"), nameOf(liftOffLevels, tracking->liftOffLevel));
            return item;
        }
    } else if (const auto *led = dynamic_cast<const OutputAction_Led *>(&output)) {
        if (code == OutputType::Led) {
            setKind(item, "LedSetOutputActionItem", "ledSet");
            item.insert(QStringLiteral("LedConfigurationParameters"),
                        ledParameters(led->ledMode, led->brightness, led->ledDuration.value(), led->colour1,
                                      led->colour2));
            return item;
        }
    } else if (const auto *oled = dynamic_cast<const OutputAction_Oled *>(&output)) {
        switch (code) {
        case OutputType::OledShow:
            setKind(item, "OledSetOutputActionItem", "oledSet");
            item.insert(QStringLiteral("OledConfigurationParameters"),
                        oledParameters(oled->oledMode, oled->message, false));
            return item;
        case OutputType::OledPrevious:
            setKind(item, "OledSetOutputActionItem", "oledPrevious");
            return item;
        case OutputType::OledFlash:
            setKind(item, "OledSetOutputActionItem", "oledFlash");
            item.insert(QStringLiteral("OledConfigurationParameters"),
                        oledParameters(oled->oledMode, oled->message, false));
            item.insert(QStringLiteral("Duration10ms"), oled->flashDuration.value());
            item.insert(QStringLiteral("Options"), nameOf(flashOptions, oled->flashOption));
            return item;
        }
    } else if (const auto *act = dynamic_cast<const OutputAction_Act *>(&output)) {
        switch (code) {
        case OutputType::RepeatFrom:
            setKind(item, "GotoOutputActionOutputActionItem", "gotoOutputAction");
            item.insert(QStringLiteral("Index"), act->repeatTarget);
            item.insert(QStringLiteral("LoopCount"), act->countOrTime.value());
            return item;
        case OutputType::Alternate:
            setKind(item, "AlternateOutputActionsOutputActionItem", "alternateOutputActions");
            item.insert(QStringLiteral("ActionCount"), act->alternateCount);
            return item;
        case OutputType::StopLooping:
            setKind(item, "StopLoopingOutputActionItem", "stopLooping");
            item.insert(QStringLiteral("SkipWaitActions"), act->skipWaits == 1);
            return item;
        case OutputType::Wait:
            setKind(item, "WaitOutputActionItem", "wait");
            item.insert(QStringLiteral("TimeToWaitms"), act->countOrTime.value());
            return item;
        }
    } else if (const auto *tilts = dynamic_cast<const OutputAction_Tilts *>(&output)) {
        if (code == OutputType::TiltReset) {
            setKind(item, "ImuAnglesZeroOutputActionItem", "imuAnglesZero");
            item.insert(QStringLiteral("Axis"), nameOf(tiltAxes, tilts->tiltAxis));
            return item;
        }
    }
    return item;
}

QJsonObject ConfigItems::writeSettingsItem(const SettingsRecord &record)
{
    QJsonObject item = commonKeys();
    switch (record.tag) {
    case SettingsTag::Dpi:
        if (const auto *dpi = dynamic_cast<const DpiConfigureRecord *>(&record)) {
            setKind(item, "DpiConfigureOutputActionItem", "dpiConfigure");
            const bool separate = dpi->separateXY == 1;
            QJsonArray levels;
            for (int i = 0; i < dpi->dpiValues.size(); i += separate ? 2 : 1) {
                const quint16 x = dpi->dpiValues.at(i);
                const quint16 y = separate && i + 1 < dpi->dpiValues.size() ? dpi->dpiValues.at(i + 1) : x;
                QJsonObject level;
                level.insert(QStringLiteral("XDpiRaw"), x);
                level.insert(QStringLiteral("YDpiRaw"), y);
                level.insert(QStringLiteral("isValid"), true);
                levels.append(level);
            }
            item.insert(QStringLiteral("Levels"), levels);
            item.insert(QStringLiteral("DefaultLevelIndex"), dpi->currentLevel);
            item.insert(QStringLiteral("SeparateXAndY"), separate);
        }
        break;
    case SettingsTag::ReportInterval:
        if (const auto *interval = dynamic_cast<const ReportIntervalRecord *>(&record)) {
            setKind(item, "ReportIntervalOutputActionItem", "reportInterval");
            item.insert(QStringLiteral("ReportInterval"), nameOf(reportIntervals, interval->reportInterval));
        }
        break;
    case SettingsTag::LiftOff:
        if (const auto *liftOff = dynamic_cast<const LiftOffSelectRecord *>(&record)) {
            setKind(item, "LiftOffSelectOutputActionItem", "liftOffSelect");
            item.insert(QStringLiteral("Level"), nameOf(liftOffLevels, liftOff->liftOffLevel));
        }
        break;
    case SettingsTag::GameDevice:
        if (const auto *device = dynamic_cast<const GameDeviceSelectRecord *>(&record)) {
            setKind(item, "GameDeviceSelectOutputActionItem", "gameDeviceSelect");
            item.insert(QStringLiteral("GameDevice"), nameOf(gameDevices, device->gameDevice));
        }
        break;
    case SettingsTag::Led:
        if (const auto *led = dynamic_cast<const LedSetRecord *>(&record)) {
            setKind(item, "LedSetOutputActionItem", "ledSet");
            item.insert(QStringLiteral("LedConfigurationParameters"),
                        ledParameters(led->ledMode, led->brightness, led->ledDuration.value(), led->colour1,
                                      led->colour2));
        }
        break;
    case SettingsTag::Oled:
        if (const auto *oled = dynamic_cast<const OledSetRecord *>(&record)) {
            setKind(item, "OledSetOutputActionItem", "oledSet");
            item.insert(QStringLiteral("OledConfigurationParameters"),
                        oledParameters(oled->oledMode, oled->message, true));
        }
        break;
    case SettingsTag::TiltAutoZeroing:
        if (const auto *tilt = dynamic_cast<const TiltAutoZeroingRecord *>(&record)) {
            setKind(item, "TiltAutoZeroingOutputActionItem", "tiltAutoZeroing");
            item.insert(QStringLiteral("State"), nameOf(states, tilt->tiltAutoZeroing));
        }
        break;
    case SettingsTag::AutoRelease:
        if (const auto *release = dynamic_cast<const AutoReleaseInputsRecord *>(&record)) {
            setKind(item, "AutoReleaseInputsOutputActionItem", "autoReleaseInputs");
            item.insert(QStringLiteral("State"), nameOf(states, release->autoRelease));
        }
        break;
    }
    return item;
}

// ---------------------------------------------------------------- readers

OutputPtr ConfigItems::readOutputActionItem(const QJsonObject &item, int fileVersion)
{
    const QString typeId = item.value(QStringLiteral("TypeId")).toString();
    auto is = [&typeId](const char *name) { return typeId == QLatin1String(name); };
    auto buttonState = [&item]() {
        return buttonStateFromName(item.value(QStringLiteral("ButtonState")).toString());
    };

    if (is("mousePointer")) {
        auto mouse = std::make_shared<OutputAction_Mouse>(OutputType::MousePointer);
        mouse->pointerMode = 2;
        mouse->pointerOption = 0;
        mouse->xCount.setValue(word16Of(item.value(QStringLiteral("xCount"))));
        mouse->yCount.setValue(word16Of(item.value(QStringLiteral("yCount"))));
        return mouse;
    }
    if (is("mouseButton")) {
        auto mouse = std::make_shared<OutputAction_Mouse>(OutputType::MouseButton);
        mouse->buttonId = byteOf(item.value(QStringLiteral("ButtonId")));
        mouse->buttonState = buttonState();
        return mouse;
    }
    if (is("mouseScroll")) {
        auto mouse = std::make_shared<OutputAction_Mouse>(OutputType::MouseScroll);
        const QString direction = item.value(QStringLiteral("ScrollDirection")).toString();
        if (direction == QLatin1String("down") || direction == QLatin1String("up"))
            mouse->scrollAxis = 0;
        else if (direction == QLatin1String("left") || direction == QLatin1String("right"))
            mouse->scrollAxis = 1;
        mouse->scrollCount.setValue(word16Of(item.value(QStringLiteral("Count"))));
        return mouse;
    }
    if (is("keyboardKey")) {
        auto key = std::make_shared<OutputAction_Keyboard>(OutputType::Key);
        key->keyUsage = byteOf(item.value(QStringLiteral("KeyCode")).toObject().value(QStringLiteral("HidPageValue")));
        key->updateKeyGroup();
        key->buttonState = buttonState();
        return key;
    }
    if (is("keyboardMedia")) {
        auto key = std::make_shared<OutputAction_Keyboard>(OutputType::MediaKey);
        key->mediaUsage.setValue(
            word16Of(item.value(QStringLiteral("MediaKeyCode")).toObject().value(QStringLiteral("HidPageValue"))));
        key->buttonState = buttonState();
        return key;
    }
    if (is("keyboardKeyString")) {
        auto key = std::make_shared<OutputAction_Keyboard>(OutputType::KeyString);
        key->keyString = item.value(QStringLiteral("KeyString")).toString().toLatin1();
        return key;
    }
    if (is("joystickStick")) {
        auto stick = std::make_shared<OutputAction_Joystick>(OutputType::JoystickStick);
        stick->stickAxis = valueOf(stickAxes, item.value(QStringLiteral("Axis")).toString(), stick->stickAxis);
        stick->rangeMode = item.value(QStringLiteral("Mirrored")).toBool() ? 3 : 4;
        readRange(item.value(QStringLiteral("LeftRange")).toObject(), stick->firstRangeStart, stick->firstRangeEnd);
        readRange(item.value(QStringLiteral("RightRange")).toObject(), stick->secondRangeStart, stick->secondRangeEnd);
        return stick;
    }
    if (is("joystickButton")) {
        auto button = std::make_shared<OutputAction_Joystick>(OutputType::JoystickButton);
        button->buttonId = byteOf(item.value(QStringLiteral("ButtonId")));
        button->buttonState = buttonState();
        return button;
    }
    if (is("joystickSlider")) {
        auto slider = std::make_shared<OutputAction_Joystick>(OutputType::JoystickSlider);
        slider->rangeMode = item.value(QStringLiteral("Mirrored")).toBool() ? 3 : 2;
        readRange(item.value(QStringLiteral("Range")).toObject(), slider->firstRangeStart, slider->firstRangeEnd);
        return slider;
    }
    if (is("hapticFeedback")) {
        auto haptic = std::make_shared<OutputAction_Haptic>(OutputType::Haptic);
        haptic->strength = byteOf(item.value(QStringLiteral("StrengthPercentage")));
        haptic->duration.setValue(word16Of(item.value(QStringLiteral("Time10ms"))));
        haptic->hapticOption = valueOf(hapticOptions, item.value(QStringLiteral("HapticFeedbackOption")).toString(),
                                       haptic->hapticOption);
        return haptic;
    }
    if (is("profileSelect")) {
        auto profile = std::make_shared<OutputAction_Profile>(OutputType::ProfileSelect);
        profile->profileSelection = selectionTypeFromName(item.value(QStringLiteral("SelectionType")).toString());
        return profile;
    }
    if (is("profileJump")) {
        auto profile = std::make_shared<OutputAction_Profile>(OutputType::ProfileJump);
        const QJsonObject target = item.value(QStringLiteral("ProfileJumpId")).toObject();
        profile->profileName = target.value(QStringLiteral("ProfileName")).toString();
        profile->profileIndex = byteOf(target.value(QStringLiteral("ProfileIndex")));
        profile->subProfileIndex = byteOf(target.value(QStringLiteral("SubProfileIndex")));
        return profile;
    }
    if (is("dpiSelect")) {
        auto dpi = std::make_shared<OutputAction_Tracking>(OutputType::DpiSelect);
        dpi->dpiSelectionType = selectionTypeFromName(item.value(QStringLiteral("SelectionType")).toString());
        qint64 value = integerOf(item.value(QStringLiteral("Value")));
        // Files before version 2 kept DPI values in hundreds; a level
        // number was never scaled.
        if (fileVersion <= 1 && dpi->dpiSelectionType != OutputAction_Tracking::DpiGoToLevel)
            value = qint64(quint64(value) * 100u);
        dpi->dpiValue = quint16(value);
        return dpi;
    }
    if (is("liftOffSelect")) {
        auto liftOff = std::make_shared<OutputAction_Tracking>(OutputType::LiftOff);
        liftOff->liftOffLevel =
            valueOf(liftOffLevels, item.value(QStringLiteral("Level")).toString(), liftOff->liftOffLevel);
        return liftOff;
    }
    if (is("ledSet")) {
        auto led = std::make_shared<OutputAction_Led>(OutputType::Led);
        led->brightness = 100;
        led->ledDuration.setValue(500);
        std::fill(led->colour1, led->colour1 + 3, 0);
        std::fill(led->colour2, led->colour2 + 3, 0);
        readLedParameters(item, *led, led->ledMode);
        return led;
    }
    if (is("oledSet") || is("oledFlash")) {
        auto oled = std::make_shared<OutputAction_Oled>(is("oledSet") ? OutputType::OledShow : OutputType::OledFlash);
        readOledParameters(item, oled->oledMode, oled->message, oled->oledMode);
        if (oled->typeCode == OutputType::OledFlash) {
            oled->flashDuration.setValue(word16Of(item.value(QStringLiteral("Duration10ms"))));
            oled->flashOption =
                valueOf(flashOptions, item.value(QStringLiteral("Options")).toString(), oled->flashOption);
        }
        return oled;
    }
    if (is("oledPrevious"))
        return std::make_shared<OutputAction_Oled>(OutputType::OledPrevious);
    if (is("gotoOutputAction")) {
        auto act = std::make_shared<OutputAction_Act>(OutputType::RepeatFrom);
        act->repeatTarget = byteOf(item.value(QStringLiteral("Index")));
        act->countOrTime.setValue(word16Of(item.value(QStringLiteral("LoopCount"))));
        return act;
    }
    if (is("alternateOutputActions")) {
        auto act = std::make_shared<OutputAction_Act>(OutputType::Alternate);
        act->alternateCount = byteOf(item.value(QStringLiteral("ActionCount")));
        return act;
    }
    if (is("stopLooping")) {
        auto act = std::make_shared<OutputAction_Act>(OutputType::StopLooping);
        act->skipWaits = item.value(QStringLiteral("SkipWaitActions")).toBool() ? 1 : 0;
        return act;
    }
    if (is("wait")) {
        auto act = std::make_shared<OutputAction_Act>(OutputType::Wait);
        act->countOrTime.setValue(word16Of(item.value(QStringLiteral("TimeToWaitms"))));
        return act;
    }
    if (is("imuAnglesZero")) {
        auto tilts = std::make_shared<OutputAction_Tilts>(OutputType::TiltReset);
        tilts->tiltAxis = valueOf(tiltAxes, item.value(QStringLiteral("Axis")).toString(), tilts->tiltAxis);
        return tilts;
    }
    return OutputPtr();
}

std::unique_ptr<SettingsRecord> ConfigItems::readSettingsItem(const QJsonObject &item, int fileVersion)
{
    const QString typeId = item.value(QStringLiteral("TypeId")).toString();
    auto is = [&typeId](const char *name) { return typeId == QLatin1String(name); };

    if (is("dpiConfigure")) {
        auto dpi = std::make_unique<DpiConfigureRecord>();
        dpi->currentLevel = byteOf(item.value(QStringLiteral("DefaultLevelIndex")));
        const bool separate = item.value(QStringLiteral("SeparateXAndY")).toBool();
        dpi->separateXY = separate ? 1 : 0;
        const QJsonArray levels = item.value(QStringLiteral("Levels")).toArray();
        dpi->levelCount = quint8(levels.size());
        // Files before version 2 kept DPI values in hundreds under other keys.
        const bool raw = fileVersion > 1;
        const QString xKey = raw ? QStringLiteral("XDpiRaw") : QStringLiteral("XDpi");
        const QString yKey = raw ? QStringLiteral("YDpiRaw") : QStringLiteral("YDpi");
        auto dpiValue = [raw](const QJsonValue &value) {
            const qint64 number = integerOf(value);
            return quint16(raw ? number : qint64(quint64(number) * 100u));
        };
        for (const QJsonValue &entry : levels) {
            const QJsonObject level = entry.toObject();
            dpi->dpiValues.append(dpiValue(level.value(xKey)));
            if (separate)
                dpi->dpiValues.append(dpiValue(level.value(yKey)));
        }
        return dpi;
    }
    if (is("reportInterval")) {
        auto interval = std::make_unique<ReportIntervalRecord>();
        interval->reportInterval =
            valueOf(reportIntervals, item.value(QStringLiteral("ReportInterval")).toString(), 1);
        return interval;
    }
    if (is("liftOffSelect")) {
        auto liftOff = std::make_unique<LiftOffSelectRecord>();
        liftOff->liftOffLevel = valueOf(liftOffLevels, item.value(QStringLiteral("Level")).toString(), 3);
        return liftOff;
    }
    if (is("gameDeviceSelect")) {
        auto device = std::make_unique<GameDeviceSelectRecord>();
        device->gameDevice = valueOf(gameDevices, item.value(QStringLiteral("GameDevice")).toString(), 0);
        return device;
    }
    if (is("tiltAutoZeroing")) {
        auto tilt = std::make_unique<TiltAutoZeroingRecord>();
        tilt->tiltAutoZeroing = valueOf(states, item.value(QStringLiteral("State")).toString(), 0);
        return tilt;
    }
    if (is("autoReleaseInputs")) {
        auto release = std::make_unique<AutoReleaseInputsRecord>();
        release->autoRelease = valueOf(states, item.value(QStringLiteral("State")).toString(), 0);
        return release;
    }
    if (is("ledSet")) {
        auto led = std::make_unique<LedSetRecord>();
        led->ledMode = 0;
        led->brightness = 100;
        led->ledDuration.setValue(500);
        std::fill(led->colour1, led->colour1 + 3, 0);
        std::fill(led->colour2, led->colour2 + 3, 0);
        readLedParameters(item, *led, 0);
        return led;
    }
    if (is("oledSet")) {
        auto oled = std::make_unique<OledSetRecord>();
        oled->oledMode = 0;
        readOledParameters(item, oled->oledMode, oled->message, 0);
        return oled;
    }
    return nullptr;
}
