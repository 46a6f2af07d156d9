#include "ConfigItems.h"

#include "AutoReleaseInputsRecord.h"
#include "DpiConfigureRecord.h"
#include "EnumText.h"
#include "GameDeviceSelectRecord.h"
#include "JsonTextWriter.h"
#include "JsonTree.h"
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
#include <cstring>
#include <limits>

namespace {

const EnumText buttonStates[] = {{0, "upOff"}, {1, "tap"}, {2, "downOn"}};
const EnumText selectionTypes[] = {{1, "next"},  {2, "previous"}, {3, "up"},       {4, "down"},
                                   {5, "index"}, {6, "value"},    {7, "increase"}, {8, "decrease"}};
const EnumText stickAxes[] = {{0, "leftRight"}, {1, "forwardBack"}, {2, "rotateLeftRight"}};
const EnumText tiltAxes[] = {{3, "rollAndPitch"}, {4, "yaw"}};
const EnumText hapticOptions[] = {{0, "configured"}, {128, "configuredAndWait"}};
const EnumText ledModes[] = {{0, "off"}, {1, "fixedColour"}, {2, "hueRotation"}};
const EnumText oledModes[] = {{0, "off"},     {1, "customMessage"},    {2, "dpiLevels"},
                              {3, "profile"}, {4, "forcePressForces"}, {5, "tiltAngles"},
                              {6, "cube"},    {7, "firmwareVersion"}};
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

// An item's keys in the order they are written: "$type" (beginItem), the
// kind's keys before "DataType", "DataType", the kind's keys before
// "IsValid", "IsValid" and "ItemType" (validAndType), the kind's keys before
// "TypeId", "TypeId", the kind's keys after it, and endObject.
void beginItem(JsonTextWriter &json, const char *className)
{
    ConfigItems::beginTypedObject(json, "OutputActionItems", className);
}

void validAndType(JsonTextWriter &json)
{
    json.member("IsValid", true);
    json.member("ItemType", "outputAction");
}

// An item of no kind this file knows: the three keys every item has.
void writeCommonKeys(JsonTextWriter &json)
{
    json.beginObject();
    json.member("DataType", "trigger");
    validAndType(json);
    json.endObject();
}

quint8 byteOf(const JsonNode &value)
{
    return quint8(ConfigItems::integerOf(value));
}

// "Range" and its kin of a joystick output: a start and an end.
void writeRange(JsonTextWriter &json, quint16 start, quint16 end)
{
    ConfigItems::writeBounds(json, {{"StartPercentageTenths", start}, {"EndPercentageTenths", end}});
}

void readRange(const JsonNode &range, quint16 &start, quint16 &end)
{
    start = ConfigItems::boundOf(range, "StartPercentageTenths");
    end = ConfigItems::boundOf(range, "EndPercentageTenths");
}

void writeColour(JsonTextWriter &json, const quint8 *rgb)
{
    json.beginObject();
    json.member("B", rgb[2]);
    json.member("G", rgb[1]);
    json.member("R", rgb[0]);
    json.endObject();
}

void readColour(const JsonNode &colour, quint8 *rgb)
{
    rgb[0] = byteOf(colour.value("R"));
    rgb[1] = byteOf(colour.value("G"));
    rgb[2] = byteOf(colour.value("B"));
}

void writeLedParameters(JsonTextWriter &json, int mode, int brightness, int duration, const quint8 *colour1,
                        const quint8 *colour2)
{
    json.key("LedConfigurationParameters");
    json.beginObject();
    json.member("Brightness", brightness);
    json.key("Colour1");
    writeColour(json, colour1);
    json.key("Colour2");
    writeColour(json, colour2);
    json.member("Duration10ms", duration);
    json.member("Mode", wordOf(ledModes, mode));
    json.endObject();
}

// The reader takes only the mode and, for a fixed colour, the first colour:
// brightness, duration and the second colour keep the values set before.
template<typename LedRecord>
void readLedParameters(const JsonNode &item, LedRecord &led, int unknownMode)
{
    const JsonNode parameters = item.value("LedConfigurationParameters").toObject();
    const JsonNode mode = parameters.value("Mode");
    led.ledMode = decltype(led.ledMode)(valueOf(ledModes, mode, unknownMode));
    if (mode == QLatin1String("fixedColour"))
        readColour(parameters.value("Colour1").toObject(), led.colour1);
}

void writeOledParameters(JsonTextWriter &json, int mode, const QByteArray &message, bool alwaysMessage)
{
    json.key("OledConfigurationParameters");
    json.beginObject();
    if (alwaysMessage || mode == OutputAction_Oled::OledMessage) {
        json.key("Message");
        json.latin1(message);
    }
    json.member("Mode", wordOf(oledModes, mode));
    json.endObject();
}

// A custom message without text shows nothing: the mode becomes off.
void readOledParameters(const JsonNode &item, int &mode, QByteArray &message, int unknownMode)
{
    const JsonNode parameters = item.value("OledConfigurationParameters").toObject();
    const JsonNode modeName = parameters.value("Mode");
    mode = valueOf(oledModes, modeName, unknownMode);
    message.clear();
    if (modeName == QLatin1String("customMessage")) {
        message = parameters.value("Message").toString().toLatin1();
        if (message.isEmpty())
            mode = 0;
    }
}

void writeLiftOffItem(JsonTextWriter &json, int level)
{
    beginItem(json, "LiftOffSelectOutputActionItem");
    json.member("DataType", "trigger");
    validAndType(json);
    json.member("Level", wordOf(liftOffLevels, level));
    json.member("TypeId", "liftOffSelect");
    json.endObject();
}

void writeLedItem(JsonTextWriter &json, int mode, int brightness, int duration, const quint8 *colour1,
                  const quint8 *colour2)
{
    beginItem(json, "LedSetOutputActionItem");
    json.member("DataType", "trigger");
    validAndType(json);
    writeLedParameters(json, mode, brightness, duration, colour1, colour2);
    json.member("TypeId", "ledSet");
    json.endObject();
}

void writeOledItem(JsonTextWriter &json, int mode, const QByteArray &message, bool alwaysMessage)
{
    beginItem(json, "OledSetOutputActionItem");
    json.member("DataType", "trigger");
    validAndType(json);
    writeOledParameters(json, mode, message, alwaysMessage);
    json.member("TypeId", "oledSet");
    json.endObject();
}

void writeStateItem(JsonTextWriter &json, const char *className, const char *typeId, int state)
{
    beginItem(json, className);
    json.member("DataType", "trigger");
    validAndType(json);
    json.member("State", wordOf(states, state));
    json.member("TypeId", typeId);
    json.endObject();
}

} // namespace

namespace {

qint64 integerOfNumber(bool isNumber, double value)
{
    if (!isNumber)
        return 0;
    const double number = std::trunc(value);
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

} // namespace

qint64 ConfigItems::integerOf(const JsonNode &value)
{
    return integerOfNumber(value.isDouble(), value.toDouble());
}

qint64 ConfigItems::integerOf(const QJsonValue &value)
{
    return integerOfNumber(value.isDouble(), value.toDouble());
}

quint16 ConfigItems::word16Of(const JsonNode &value)
{
    return quint16(integerOf(value));
}

quint16 ConfigItems::word16Of(const QJsonValue &value)
{
    return quint16(integerOf(value));
}

void ConfigItems::beginTypedObject(JsonTextWriter &json, const char *family, const char *className)
{
    json.beginObject();
    json.key("$type");
    json.joinedWord({"VMouseConfig.", family, ".", className, ", VMouseConfig"});
}

void ConfigItems::writeBounds(JsonTextWriter &json, std::initializer_list<Bound> bounds)
{
    // In key order, "IsValid" among them.
    constexpr int most = 8;
    Q_ASSERT(bounds.size() < most);
    Bound sorted[most];
    int count = 0;
    for (const Bound &bound : bounds) {
        int at = count++;
        for (; at > 0 && std::strcmp(sorted[at - 1].first, bound.first) > 0; --at)
            sorted[at] = sorted[at - 1];
        sorted[at] = bound;
    }
    json.beginObject();
    bool validWritten = false;
    for (int i = 0; i < count; ++i) {
        if (!validWritten && std::strcmp(sorted[i].first, "IsValid") > 0) {
            json.member("IsValid", true);
            validWritten = true;
        }
        json.key(sorted[i].first, int(std::strlen(sorted[i].first)));
        json.number(sorted[i].second);
    }
    if (!validWritten)
        json.member("IsValid", true);
    json.endObject();
}

QJsonObject ConfigItems::boundsObject(std::initializer_list<Bound> bounds)
{
    return JsonTextWriter::object([bounds](JsonTextWriter &json) { writeBounds(json, bounds); });
}

quint16 ConfigItems::boundOf(const JsonNode &range, const char *key)
{
    return word16Of(range.value(QLatin1String(key)));
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

void ConfigItems::buttonWords(int button, const char **keyName, const char **id)
{
    if (button >= 0 && button < noButton) {
        *keyName = buttonTable[button].keyName;
        *id = buttonTable[button].id;
        return;
    }
    *keyName = *id = "";
    if (button == noButton)
        qWarning() << "ConfigFile: None button!";
}

void ConfigItems::buttonNames(int button, QString &keyName, QString &id)
{
    const char *keyWord = nullptr;
    const char *idWord = nullptr;
    buttonWords(button, &keyWord, &idWord);
    keyName = QLatin1String(keyWord);
    id = QLatin1String(idWord);
}

namespace {

template<class Text>
int buttonOfId(const Text &id)
{
    for (int button = 0; button < noButton; ++button) {
        if (id == QLatin1String(buttonTable[button].id))
            return button;
    }
    return noButton;
}

} // namespace

int ConfigItems::buttonFromId(const QString &id)
{
    return buttonOfId(id);
}

int ConfigItems::buttonFromId(const JsonNode &id)
{
    return buttonOfId(id);
}

// ---------------------------------------------------------------- writers

void ConfigItems::writeDoNothingItem(JsonTextWriter &json)
{
    beginItem(json, "DoNothingOutputActionItem");
    json.member("DataType", "trigger");
    json.member("IsSelected", false);
    validAndType(json);
    json.member("TypeId", "doNothing");
    json.endObject();
}

void ConfigItems::writeOutputActionItem(JsonTextWriter &json, const OutputActionConfig &output)
{
    const int code = output.typeCode;
    // Each kind: "$type", then its keys and the common ones in key order.
    if (const auto *mouse = dynamic_cast<const OutputAction_Mouse *>(&output)) {
        switch (code) {
        case OutputType::MousePointer:
            beginItem(json, "MousePointerOutputActionItem");
            json.member("DataType", "trigger");
            validAndType(json);
            json.member("TypeId", "mousePointer");
            json.member("xCount", mouse->xCount.signedValue());
            json.member("yCount", mouse->yCount.signedValue());
            json.endObject();
            return;
        case OutputType::MouseButton:
            beginItem(json, "MouseButtonOutputActionItem");
            json.member("ButtonId", mouse->buttonId);
            json.member("ButtonState", wordOf(buttonStates, mouse->buttonState));
            json.member("DataType", "trigger");
            validAndType(json);
            json.member("TypeId", "mouseButton");
            json.endObject();
            return;
        case OutputType::MouseScroll: {
            const qint16 count = mouse->scrollCount.signedValue();
            const char *direction = "";
            if (mouse->scrollAxis == 0)
                direction = count < 0 ? "down" : "up";
            else if (mouse->scrollAxis == 1)
                direction = count < 0 ? "left" : "right";
            beginItem(json, "MouseScrollOutputActionItem");
            json.member("Count", count);
            json.member("DataType", "trigger");
            validAndType(json);
            json.member("ScrollDirection", direction);
            json.member("TypeId", "mouseScroll");
            json.endObject();
            return;
        }
        }
    } else if (const auto *key = dynamic_cast<const OutputAction_Keyboard *>(&output)) {
        switch (code) {
        case OutputType::Key:
        case OutputType::MediaKey: {
            const bool media = code == OutputType::MediaKey;
            beginItem(json, media ? "KeyboardMediaOutputActionItem" : "KeyboardKeyOutputActionItem");
            json.member("ButtonState", wordOf(buttonStates, key->buttonState));
            json.member("DataType", "trigger");
            validAndType(json);
            if (!media)
                json.key("KeyCode");
            else
                json.key("MediaKeyCode");
            json.beginObject();
            json.member("HidPageValue", media ? key->mediaUsage.low() : key->keyUsage);
            json.endObject();
            json.member("TypeId", media ? "keyboardMedia" : "keyboardKey");
            json.endObject();
            return;
        }
        case OutputType::KeyString:
            beginItem(json, "KeyboardKeyStringOutputActionItem");
            json.member("DataType", "trigger");
            validAndType(json);
            json.key("KeyString");
            json.latin1(key->keyString);
            json.member("TypeId", "keyboardKeyString");
            json.endObject();
            return;
        }
    } else if (const auto *joystick = dynamic_cast<const OutputAction_Joystick *>(&output)) {
        switch (code) {
        case OutputType::JoystickStick:
            beginItem(json, "JoystickStickOutputActionItem");
            json.member("Axis", wordOf(stickAxes, joystick->stickAxis));
            json.member("DataType", "oneRangeAndRangeInstance");
            validAndType(json);
            json.key("LeftRange");
            writeRange(json, joystick->firstRangeStart, joystick->firstRangeEnd);
            json.member("Mirrored", (joystick->rangeMode & 1) != 0);
            json.key("RightRange");
            writeRange(json, joystick->secondRangeStart, joystick->secondRangeEnd);
            json.member("TypeId", "joystickStick");
            json.endObject();
            return;
        case OutputType::JoystickButton:
            beginItem(json, "JoystickButtonOutputActionItem");
            json.member("ButtonId", joystick->buttonId);
            json.member("ButtonState", wordOf(buttonStates, joystick->buttonState));
            json.member("DataType", "trigger");
            validAndType(json);
            json.member("TypeId", "joystickButton");
            json.endObject();
            return;
        case OutputType::JoystickSlider: {
            beginItem(json, "JoystickSliderOutputActionItem");
            json.member("DataType", "trigger");
            validAndType(json);
            json.member("Mirrored", (joystick->rangeMode & 1) != 0);
            json.key("Range");
            JsonTextWriter::Span range = json.beginSpan();
            writeRange(json, joystick->firstRangeStart, joystick->firstRangeEnd);
            json.endSpan(range);
            json.key("Ranges");
            json.beginArray();
            json.copy(range);
            json.endArray();
            json.member("TypeId", "joystickSlider");
            json.endObject();
            return;
        }
        }
    } else if (const auto *haptic = dynamic_cast<const OutputAction_Haptic *>(&output)) {
        if (code == OutputType::Haptic) {
            beginItem(json, "HapticFeedbackOutputActionItem");
            json.member("DataType", "trigger");
            json.member("HapticFeedbackOption", wordOf(hapticOptions, haptic->hapticOption));
            validAndType(json);
            json.member("StrengthPercentage", haptic->strength);
            json.member("Time10ms", haptic->duration.value());
            json.member("TypeId", "hapticFeedback");
            json.endObject();
            return;
        }
    } else if (const auto *profile = dynamic_cast<const OutputAction_Profile *>(&output)) {
        switch (code) {
        case OutputType::ProfileSelect:
            beginItem(json, "ProfileSelectOutputActionItem");
            json.member("DataType", "trigger");
            validAndType(json);
            json.member("Level", "currentLevel");
            json.member("SelectionType", wordOf(selectionTypes, profile->profileSelection));
            json.member("TypeId", "profileSelect");
            json.endObject();
            return;
        case OutputType::ProfileJump:
            beginItem(json, "ProfileJumpOutputActionItem");
            json.member("DataType", "trigger");
            json.member("IsAuto", false);
            validAndType(json);
            json.key("LastSelected");
            json.beginArray();
            json.endArray();
            json.key("ProfileJumpId");
            writeProfileTarget(json, profile->profileName, profile->profileIndex, profile->subProfileIndex);
            json.member("TypeId", "profileJump");
            json.endObject();
            return;
        }
    } else if (const auto *tracking = dynamic_cast<const OutputAction_Tracking *>(&output)) {
        switch (code) {
        case OutputType::DpiSelect:
            beginItem(json, "DpiSelectOutputActionItem");
            json.member("DataType", "trigger");
            validAndType(json);
            json.member("SelectionType", wordOf(selectionTypes, tracking->dpiSelectionType));
            json.member("TypeId", "dpiSelect");
            json.member("Value", tracking->dpiValue);
            json.endObject();
            return;
        case OutputType::LiftOff:
            writeLiftOffItem(json, tracking->liftOffLevel);
            return;
        }
    } else if (const auto *led = dynamic_cast<const OutputAction_Led *>(&output)) {
        if (code == OutputType::Led) {
            writeLedItem(json, led->ledMode, led->brightness, led->ledDuration.value(), led->colour1, led->colour2);
            return;
        }
    } else if (const auto *oled = dynamic_cast<const OutputAction_Oled *>(&output)) {
        switch (code) {
        case OutputType::OledShow:
            writeOledItem(json, oled->oledMode, oled->message, false);
            return;
        case OutputType::OledPrevious:
            beginItem(json, "OledSetOutputActionItem");
            json.member("DataType", "trigger");
            validAndType(json);
            json.member("TypeId", "oledPrevious");
            json.endObject();
            return;
        case OutputType::OledFlash:
            beginItem(json, "OledSetOutputActionItem");
            json.member("DataType", "trigger");
            json.member("Duration10ms", oled->flashDuration.value());
            validAndType(json);
            writeOledParameters(json, oled->oledMode, oled->message, false);
            json.member("Options", wordOf(flashOptions, oled->flashOption));
            json.member("TypeId", "oledFlash");
            json.endObject();
            return;
        }
    } else if (const auto *act = dynamic_cast<const OutputAction_Act *>(&output)) {
        switch (code) {
        case OutputType::RepeatFrom:
            beginItem(json, "GotoOutputActionOutputActionItem");
            json.member("DataType", "trigger");
            json.member("Index", act->repeatTarget);
            validAndType(json);
            json.member("LoopCount", act->countOrTime.value());
            json.member("TypeId", "gotoOutputAction");
            json.endObject();
            return;
        case OutputType::Alternate:
            beginItem(json, "AlternateOutputActionsOutputActionItem");
            json.member("ActionCount", act->alternateCount);
            json.member("DataType", "trigger");
            validAndType(json);
            json.member("TypeId", "alternateOutputActions");
            json.endObject();
            return;
        case OutputType::StopLooping:
            beginItem(json, "StopLoopingOutputActionItem");
            json.member("DataType", "trigger");
            validAndType(json);
            json.member("SkipWaitActions", act->skipWaits == 1);
            json.member("TypeId", "stopLooping");
            json.endObject();
            return;
        case OutputType::Wait:
            beginItem(json, "WaitOutputActionItem");
            json.member("DataType", "trigger");
            validAndType(json);
            json.member("TimeToWaitms", act->countOrTime.value());
            json.member("TypeId", "wait");
            json.endObject();
            return;
        }
    } else if (const auto *tilts = dynamic_cast<const OutputAction_Tilts *>(&output)) {
        if (code == OutputType::TiltReset) {
            beginItem(json, "ImuAnglesZeroOutputActionItem");
            json.member("Axis", wordOf(tiltAxes, tilts->tiltAxis));
            json.member("DataType", "trigger");
            validAndType(json);
            json.member("TypeId", "imuAnglesZero");
            json.endObject();
            return;
        }
    }
    writeCommonKeys(json);
}

void ConfigItems::writeSettingsItem(JsonTextWriter &json, const SettingsRecord &record)
{
    switch (record.tag) {
    case SettingsTag::Dpi:
        if (const auto *dpi = dynamic_cast<const DpiConfigureRecord *>(&record)) {
            const bool separate = dpi->separateXY == 1;
            beginItem(json, "DpiConfigureOutputActionItem");
            json.member("DataType", "trigger");
            json.member("DefaultLevelIndex", dpi->currentLevel);
            validAndType(json);
            json.key("Levels");
            json.beginArray();
            for (int i = 0; i < dpi->dpiValues.size(); i += separate ? 2 : 1) {
                const quint16 x = dpi->dpiValues.at(i);
                const quint16 y = separate && i + 1 < dpi->dpiValues.size() ? dpi->dpiValues.at(i + 1) : x;
                json.beginObject();
                json.member("XDpiRaw", x);
                json.member("YDpiRaw", y);
                json.member("isValid", true);
                json.endObject();
            }
            json.endArray();
            json.member("SeparateXAndY", separate);
            json.member("TypeId", "dpiConfigure");
            json.endObject();
            return;
        }
        break;
    case SettingsTag::ReportInterval:
        if (const auto *interval = dynamic_cast<const ReportIntervalRecord *>(&record)) {
            beginItem(json, "ReportIntervalOutputActionItem");
            json.member("DataType", "trigger");
            validAndType(json);
            json.member("ReportInterval", wordOf(reportIntervals, interval->reportInterval));
            json.member("TypeId", "reportInterval");
            json.endObject();
            return;
        }
        break;
    case SettingsTag::LiftOff:
        if (const auto *liftOff = dynamic_cast<const LiftOffSelectRecord *>(&record)) {
            writeLiftOffItem(json, liftOff->liftOffLevel);
            return;
        }
        break;
    case SettingsTag::GameDevice:
        if (const auto *device = dynamic_cast<const GameDeviceSelectRecord *>(&record)) {
            beginItem(json, "GameDeviceSelectOutputActionItem");
            json.member("DataType", "trigger");
            json.member("GameDevice", wordOf(gameDevices, device->gameDevice));
            validAndType(json);
            json.member("TypeId", "gameDeviceSelect");
            json.endObject();
            return;
        }
        break;
    case SettingsTag::Led:
        if (const auto *led = dynamic_cast<const LedSetRecord *>(&record)) {
            writeLedItem(json, led->ledMode, led->brightness, led->ledDuration.value(), led->colour1, led->colour2);
            return;
        }
        break;
    case SettingsTag::Oled:
        if (const auto *oled = dynamic_cast<const OledSetRecord *>(&record)) {
            writeOledItem(json, oled->oledMode, oled->message, true);
            return;
        }
        break;
    case SettingsTag::TiltAutoZeroing:
        if (const auto *tilt = dynamic_cast<const TiltAutoZeroingRecord *>(&record)) {
            writeStateItem(json, "TiltAutoZeroingOutputActionItem", "tiltAutoZeroing", tilt->tiltAutoZeroing);
            return;
        }
        break;
    case SettingsTag::AutoRelease:
        if (const auto *release = dynamic_cast<const AutoReleaseInputsRecord *>(&record)) {
            writeStateItem(json, "AutoReleaseInputsOutputActionItem", "autoReleaseInputs", release->autoRelease);
            return;
        }
        break;
    }
    writeCommonKeys(json);
}

void ConfigItems::writeProfileTarget(JsonTextWriter &json, const QString &name, int index, int subIndex)
{
    json.beginObject();
    json.member("ProfileIndex", index);
    json.member("ProfileName", name);
    json.member("SubProfileIndex", subIndex);
    json.endObject();
}

QJsonObject ConfigItems::writeDoNothingItem()
{
    return JsonTextWriter::object([](JsonTextWriter &json) { writeDoNothingItem(json); });
}

QJsonObject ConfigItems::writeOutputActionItem(const OutputActionConfig &output)
{
    return JsonTextWriter::object([&output](JsonTextWriter &json) { writeOutputActionItem(json, output); });
}

QJsonObject ConfigItems::writeSettingsItem(const SettingsRecord &record)
{
    return JsonTextWriter::object([&record](JsonTextWriter &json) { writeSettingsItem(json, record); });
}

// ---------------------------------------------------------------- readers

OutputPtr ConfigItems::readOutputActionItem(const QJsonObject &item, int fileVersion)
{
    const JsonTree tree = JsonTree::fromJson(item);
    return readOutputActionItem(tree.root(), fileVersion);
}

std::unique_ptr<SettingsRecord> ConfigItems::readSettingsItem(const QJsonObject &item, int fileVersion)
{
    const JsonTree tree = JsonTree::fromJson(item);
    return readSettingsItem(tree.root(), fileVersion);
}

OutputPtr ConfigItems::readOutputActionItem(const JsonNode &item, int fileVersion)
{
    const JsonNode typeId = item.value("TypeId");
    auto is = [&typeId](const char *name) { return typeId == QLatin1String(name); };
    auto buttonState = [&item]() { return valueOf(buttonStates, item.value("ButtonState"), 1); };

    if (is("mousePointer")) {
        auto mouse = std::make_shared<OutputAction_Mouse>(OutputType::MousePointer);
        mouse->pointerMode = 2;
        mouse->pointerOption = 0;
        mouse->xCount.setValue(word16Of(item.value("xCount")));
        mouse->yCount.setValue(word16Of(item.value("yCount")));
        return mouse;
    }
    if (is("mouseButton")) {
        auto mouse = std::make_shared<OutputAction_Mouse>(OutputType::MouseButton);
        mouse->buttonId = byteOf(item.value("ButtonId"));
        mouse->buttonState = buttonState();
        return mouse;
    }
    if (is("mouseScroll")) {
        auto mouse = std::make_shared<OutputAction_Mouse>(OutputType::MouseScroll);
        const JsonNode direction = item.value("ScrollDirection");
        if (direction == QLatin1String("down") || direction == QLatin1String("up"))
            mouse->scrollAxis = 0;
        else if (direction == QLatin1String("left") || direction == QLatin1String("right"))
            mouse->scrollAxis = 1;
        mouse->scrollCount.setValue(word16Of(item.value("Count")));
        return mouse;
    }
    if (is("keyboardKey")) {
        auto key = std::make_shared<OutputAction_Keyboard>(OutputType::Key);
        key->keyUsage = byteOf(item.value("KeyCode").toObject().value("HidPageValue"));
        key->updateKeyGroup();
        key->buttonState = buttonState();
        return key;
    }
    if (is("keyboardMedia")) {
        auto key = std::make_shared<OutputAction_Keyboard>(OutputType::MediaKey);
        key->mediaUsage.setValue(word16Of(item.value("MediaKeyCode").toObject().value("HidPageValue")));
        key->buttonState = buttonState();
        return key;
    }
    if (is("keyboardKeyString")) {
        auto key = std::make_shared<OutputAction_Keyboard>(OutputType::KeyString);
        key->keyString = item.value("KeyString").toString().toLatin1();
        return key;
    }
    if (is("joystickStick")) {
        auto stick = std::make_shared<OutputAction_Joystick>(OutputType::JoystickStick);
        stick->stickAxis = valueOf(stickAxes, item.value("Axis"), stick->stickAxis);
        stick->rangeMode = item.value("Mirrored").toBool() ? 3 : 4;
        readRange(item.value("LeftRange").toObject(), stick->firstRangeStart, stick->firstRangeEnd);
        readRange(item.value("RightRange").toObject(), stick->secondRangeStart, stick->secondRangeEnd);
        return stick;
    }
    if (is("joystickButton")) {
        auto button = std::make_shared<OutputAction_Joystick>(OutputType::JoystickButton);
        button->buttonId = byteOf(item.value("ButtonId"));
        button->buttonState = buttonState();
        return button;
    }
    if (is("joystickSlider")) {
        auto slider = std::make_shared<OutputAction_Joystick>(OutputType::JoystickSlider);
        slider->rangeMode = item.value("Mirrored").toBool() ? 3 : 2;
        readRange(item.value("Range").toObject(), slider->firstRangeStart, slider->firstRangeEnd);
        return slider;
    }
    if (is("hapticFeedback")) {
        auto haptic = std::make_shared<OutputAction_Haptic>(OutputType::Haptic);
        haptic->strength = byteOf(item.value("StrengthPercentage"));
        haptic->duration.setValue(word16Of(item.value("Time10ms")));
        haptic->hapticOption =
            valueOf(hapticOptions, item.value("HapticFeedbackOption").toString(), haptic->hapticOption);
        return haptic;
    }
    if (is("profileSelect")) {
        auto profile = std::make_shared<OutputAction_Profile>(OutputType::ProfileSelect);
        profile->profileSelection = valueOf(selectionTypes, item.value("SelectionType"), 0);
        return profile;
    }
    if (is("profileJump")) {
        auto profile = std::make_shared<OutputAction_Profile>(OutputType::ProfileJump);
        const JsonNode target = item.value("ProfileJumpId").toObject();
        profile->profileName = target.value("ProfileName").toString();
        profile->profileIndex = byteOf(target.value("ProfileIndex"));
        profile->subProfileIndex = byteOf(target.value("SubProfileIndex"));
        return profile;
    }
    if (is("dpiSelect")) {
        auto dpi = std::make_shared<OutputAction_Tracking>(OutputType::DpiSelect);
        dpi->dpiSelectionType = valueOf(selectionTypes, item.value("SelectionType"), 0);
        qint64 value = integerOf(item.value("Value"));
        // Files before version 2 kept DPI values in hundreds; a level
        // number was never scaled.
        if (fileVersion <= 1 && dpi->dpiSelectionType != OutputAction_Tracking::DpiGoToLevel)
            value = qint64(quint64(value) * 100u);
        dpi->dpiValue = quint16(value);
        return dpi;
    }
    if (is("liftOffSelect")) {
        auto liftOff = std::make_shared<OutputAction_Tracking>(OutputType::LiftOff);
        liftOff->liftOffLevel = valueOf(liftOffLevels, item.value("Level"), liftOff->liftOffLevel);
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
            oled->flashDuration.setValue(word16Of(item.value("Duration10ms")));
            oled->flashOption = valueOf(flashOptions, item.value("Options"), oled->flashOption);
        }
        return oled;
    }
    if (is("oledPrevious"))
        return std::make_shared<OutputAction_Oled>(OutputType::OledPrevious);
    if (is("gotoOutputAction")) {
        auto act = std::make_shared<OutputAction_Act>(OutputType::RepeatFrom);
        act->repeatTarget = byteOf(item.value("Index"));
        act->countOrTime.setValue(word16Of(item.value("LoopCount")));
        return act;
    }
    if (is("alternateOutputActions")) {
        auto act = std::make_shared<OutputAction_Act>(OutputType::Alternate);
        act->alternateCount = byteOf(item.value("ActionCount"));
        return act;
    }
    if (is("stopLooping")) {
        auto act = std::make_shared<OutputAction_Act>(OutputType::StopLooping);
        act->skipWaits = item.value("SkipWaitActions").toBool() ? 1 : 0;
        return act;
    }
    if (is("wait")) {
        auto act = std::make_shared<OutputAction_Act>(OutputType::Wait);
        act->countOrTime.setValue(word16Of(item.value("TimeToWaitms")));
        return act;
    }
    if (is("imuAnglesZero")) {
        auto tilts = std::make_shared<OutputAction_Tilts>(OutputType::TiltReset);
        tilts->tiltAxis = valueOf(tiltAxes, item.value("Axis"), tilts->tiltAxis);
        return tilts;
    }
    return OutputPtr();
}

std::unique_ptr<SettingsRecord> ConfigItems::readSettingsItem(const JsonNode &item, int fileVersion)
{
    const JsonNode typeId = item.value("TypeId");
    auto is = [&typeId](const char *name) { return typeId == QLatin1String(name); };

    if (is("dpiConfigure")) {
        auto dpi = std::make_unique<DpiConfigureRecord>();
        dpi->currentLevel = byteOf(item.value("DefaultLevelIndex"));
        const bool separate = item.value("SeparateXAndY").toBool();
        dpi->separateXY = separate ? 1 : 0;
        const JsonNode levels = item.value("Levels").toArray();
        dpi->levelCount = quint8(levels.size());
        // Files before version 2 kept DPI values in hundreds under other keys.
        const bool raw = fileVersion > 1;
        const QLatin1String xKey(raw ? "XDpiRaw" : "XDpi");
        const QLatin1String yKey(raw ? "YDpiRaw" : "YDpi");
        auto dpiValue = [raw](const JsonNode &value) {
            const qint64 number = integerOf(value);
            return quint16(raw ? number : qint64(quint64(number) * 100u));
        };
        for (const JsonNode &entry : levels) {
            const JsonNode level = entry.toObject();
            dpi->dpiValues.append(dpiValue(level.value(xKey)));
            if (separate)
                dpi->dpiValues.append(dpiValue(level.value(yKey)));
        }
        return dpi;
    }
    if (is("reportInterval")) {
        auto interval = std::make_unique<ReportIntervalRecord>();
        interval->reportInterval = valueOf(reportIntervals, item.value("ReportInterval"), 1);
        return interval;
    }
    if (is("liftOffSelect")) {
        auto liftOff = std::make_unique<LiftOffSelectRecord>();
        liftOff->liftOffLevel = valueOf(liftOffLevels, item.value("Level"), 3);
        return liftOff;
    }
    if (is("gameDeviceSelect")) {
        auto device = std::make_unique<GameDeviceSelectRecord>();
        device->gameDevice = valueOf(gameDevices, item.value("GameDevice"), 0);
        return device;
    }
    if (is("tiltAutoZeroing")) {
        auto tilt = std::make_unique<TiltAutoZeroingRecord>();
        tilt->tiltAutoZeroing = valueOf(states, item.value("State"), 0);
        return tilt;
    }
    if (is("autoReleaseInputs")) {
        auto release = std::make_unique<AutoReleaseInputsRecord>();
        release->autoRelease = valueOf(states, item.value("State"), 0);
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
