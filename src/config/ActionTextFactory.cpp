#include "ActionTextFactory.h"

#include "EnumText.h"
#include "InputMapAction_Button.h"
#include "InputMapAction_Force.h"
#include "InputMapAction_Movement.h"
#include "InputMapAction_Scroll.h"
#include "Markers.h"
#include "OutputAction_Act.h"
#include "OutputAction_Haptic.h"
#include "OutputAction_Joystick.h"
#include "OutputAction_Keyboard.h"
#include "OutputAction_Mouse.h"
#include "OutputAction_Profile.h"
#include "OutputAction_Tracking.h"

#include <QList>
#include <QStringList>

#include <algorithm>

namespace {

using InputFactory = ActionTextFactory<InputMapActionConfig>;
using OutputFactory = ActionTextFactory<OutputActionConfig>;

// A decimal integer; a word that is not one reads as 0. Read wide, so that
// no number of a text makes the arithmetic below overflow before its limits
// are applied.
qint64 number(const QString &word)
{
    bool ok = false;
    const qint64 value = word.toLongLong(&ok, 10);
    return ok ? value : 0;
}

// The number of the word, limited to low..high.
int numberWithin(const QString &word, int low, int high)
{
    return int(std::clamp<qint64>(number(word), low, high));
}

// Words split at single spaces; two spaces in a row make an empty word.
QStringList words(const QString &text)
{
    return text.split(QLatin1Char(' '));
}

// Button numbers in the texts count from 1; a record's button id from 0 and
// has one byte.
bool validButtonNumber(qint64 n)
{
    return n >= 1 && n <= 256;
}

QString withoutMarker(QString text)
{
    splitPressMarker(text);
    return text;
}

std::shared_ptr<OutputAction_Keyboard> keyOutput(const QString &text, int group, int usage)
{
    auto key = std::make_shared<OutputAction_Keyboard>(OutputType::Key);
    QString name = text;
    key->buttonState = splitPressMarker(name);
    key->keyGroup = group;
    key->keyUsage = quint8(usage);
    return key;
}

// ---- input forms ----

InputMapPtr buildButton(const QString &text)
{
    const qint64 n = number(text.mid(6).trimmed());
    if (n < 1 || n > 13) // buttons 0 to 12; 13 is "no button"
        return nullptr;
    auto button = std::make_shared<InputMapAction_Button>(InputType::Button);
    button->buttonId = int(n - 1);
    button->activeState = 1;
    return button;
}

InputMapPtr buildMovement(const QString &text)
{
    auto movement = std::make_shared<InputMapAction_Movement>(InputType::Movement);
    const QString rest = text.mid(8).trimmed();
    if (rest.isEmpty())
        return movement; // all directions, divisor 1, no repeat
    const QStringList w = words(rest);
    static const QStringList directions = {"X-", "X+", "Y-", "Y+", "X", "Y", "All"};
    const int direction = directions.indexOf(w.at(0));
    if (direction < 0)
        return nullptr;
    movement->direction = direction;
    if (w.size() > 1)
        movement->countDivisor.setValue(numberWithin(w.at(1), 0, 0xFFFF));
    if (w.size() > 2 && w.at(2) == QLatin1String("Repeat"))
        movement->repeat = 1;
    return movement;
}

InputMapPtr buildScroll(const QString &text)
{
    static const QStringList directions = {"Forward", "Back", "All"};
    const int direction = directions.indexOf(text.mid(6).trimmed());
    if (direction < 0)
        return nullptr;
    auto scroll = std::make_shared<InputMapAction_Scroll>(InputType::Scroll);
    scroll->wheelDirection = direction;
    return scroll;
}

InputMapPtr buildForce(const QString &text)
{
    // A percentage of full force; the bounds are tenths of a percent. The
    // exit threshold lies 10 % below the entry and cannot go below zero.
    const int percent = numberWithin(text.mid(5).trimmed(), 0, 100);
    auto force = std::make_shared<InputMapAction_Force>(InputType::ForceRegion);
    force->buttonId = 13;
    force->entryStart = quint16(10 * percent);
    force->entryEnd = 1000;
    force->exitStart = quint16(std::max(10 * percent - 100, 0));
    force->exitEnd = 1000;
    force->forceDirection = 0;
    force->activeState = 1;
    return force;
}

const QList<InputFactory> &inputActionFactories()
{
    static const QList<InputFactory> factories = {
        {[](QString t) { return t.startsWith(QLatin1String("Button")); }, buildButton},
        {[](QString t) { return t.startsWith(QLatin1String("Movement")); }, buildMovement},
        {[](QString t) { return t.startsWith(QLatin1String("Scroll")); }, buildScroll},
        {[](QString t) { return t.startsWith(QLatin1String("Force")); }, buildForce},
    };
    return factories;
}

// ---- output forms ----

OutputPtr buildMouseButton(const QString &text)
{
    QString rest = text.mid(11);
    const int state = splitPressMarker(rest);
    const qint64 n = number(rest);
    if (!validButtonNumber(n))
        return nullptr;
    auto click = std::make_shared<OutputAction_Mouse>(OutputType::MouseButton);
    click->buttonId = quint8(n - 1);
    click->buttonState = state;
    return click;
}

OutputPtr buildMouseScroll(const QString &text)
{
    const QString rest = text.mid(6);
    auto scroll = std::make_shared<OutputAction_Mouse>(OutputType::MouseScroll);
    // Any other rest, " Down" with its space among them, scrolls up by one.
    const bool horizontal = rest == QLatin1String("Left") || rest == QLatin1String("Right");
    const bool negative = rest == QLatin1String("Down") || rest == QLatin1String("Left");
    scroll->scrollAxis = horizontal ? 1 : 0;
    scroll->scrollCount.setValue(negative ? -1 : 1);
    return scroll;
}

bool isLetterOrDigitKey(QString text)
{
    splitPressMarker(text);
    return text.size() == 1 && (text.at(0).isLetter() || text.at(0).isDigit());
}

OutputPtr buildLetterOrDigit(const QString &text)
{
    const QChar c = withoutMarker(text).at(0);
    int usage;
    if (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
        usage = 4 + c.unicode() - 'A';
    else if (c >= QLatin1Char('1') && c <= QLatin1Char('9'))
        usage = 30 + c.unicode() - '1';
    else if (c == QLatin1Char('0'))
        usage = 39;
    else
        return nullptr; // lowercase and other scripts name no key
    return keyOutput(text, 1, usage);
}

const QString symbolKeys = QStringLiteral("-=[]\\;'`,./");

int symbolUsage(const QString &name)
{
    static const int usages[] = {45, 46, 47, 48, 49, 51, 52, 53, 54, 55, 56};
    if (name.size() != 1)
        return -1;
    const int index = symbolKeys.indexOf(name.at(0));
    return index < 0 ? -1 : usages[index];
}

const EnumText actionKeys[] = {
    {224, "ControlLeft"},  {225, "ShiftLeft"},   {226, "AltLeft"},     {226, "OptionLeft"},
    {227, "WinLeft"},      {227, "CommandLeft"}, {228, "ControlRight"}, {229, "ShiftRight"},
    {230, "AltRight"},     {230, "OptionRight"}, {231, "WinRight"},    {231, "CommandRight"},
    {40, "Enter"},         {41, "Esc"},          {42, "Backspace"},    {43, "Tab"},
    {44, "Space"},         {57, "CapsLock"},     {70, "PrintScreen"},  {71, "ScrollLock"},
    {72, "PauseBreak"},    {73, "Insert"},       {73, "Help"},         {74, "Home"},
    {75, "PageUp"},        {76, "Delete"},       {77, "End"},          {78, "PageDown"},
    {79, "Right"},         {80, "Left"},         {81, "Down"},         {82, "Up"},
    {101, "Application"},
};

int actionKeyUsage(const QString &name)
{
    return valueOf(actionKeys, name, -1);
}

bool isFunctionKey(QString text)
{
    splitPressMarker(text);
    return (text.size() == 2 || text.size() == 3) && text.at(0) == QLatin1Char('F') && text.at(1).isDigit();
}

OutputPtr buildFunctionKey(const QString &text)
{
    const int n = numberWithin(withoutMarker(text).mid(1), 0, 99); // two digits at most
    if (n >= 1 && n <= 12)
        return keyOutput(text, 4, n + 57);
    if (n >= 13 && n <= 24)
        return keyOutput(text, 4, n + 91);
    return nullptr;
}

OutputPtr buildKeypadKey(const QString &text)
{
    const QString rest = withoutMarker(text).mid(3);
    int usage;
    if (rest == QLatin1String("Lock") || rest == QLatin1String("Clear"))
        usage = 83;
    else if (rest == QLatin1String("/"))
        usage = 84;
    else if (rest == QLatin1String("*"))
        usage = 85;
    else if (rest == QLatin1String("-"))
        usage = 86;
    else if (rest == QLatin1String("+"))
        usage = 87;
    else if (rest == QLatin1String("Enter"))
        usage = 88;
    else if (rest == QLatin1String("."))
        usage = 99;
    else if (rest == QLatin1String("0"))
        usage = 98;
    else
        usage = 88 + numberWithin(rest, -1000, 1000); // "Num1" to "Num9"
    // A number that lands outside the keypad names no key.
    if (OutputAction_Keyboard::keyNameIndex(5, usage) < 0)
        return nullptr;
    return keyOutput(text, 5, usage);
}

const EnumText mediaKeys[] = {
    {0xCD, "PlayPause"}, {0xB0, "Play"},      {0xB1, "Pause"},     {0xB2, "Record"},
    {0xB4, "Rewind"},    {0xB5, "NextTrack"}, {0xB6, "PrevTrack"}, {0xB7, "Stop"},
    {0xE9, "VolumeUp"},  {0xEA, "VolumeDown"}, {0xE2, "Mute"},
};

int mediaUsage(const QString &name)
{
    return valueOf(mediaKeys, name, -1);
}

OutputPtr buildMediaKey(const QString &text)
{
    QString name = text;
    const int state = splitPressMarker(name);
    auto media = std::make_shared<OutputAction_Keyboard>(OutputType::MediaKey);
    media->buttonState = state;
    media->mediaUsage.setValue(mediaUsage(name));
    return media;
}

bool isJoystickButton(QString text)
{
    splitPressMarker(text);
    if (!text.startsWith(QLatin1String("Joystick")))
        return false;
    bool ok = false;
    text.mid(8).toInt(&ok, 10);
    return ok;
}

OutputPtr buildJoystickButton(const QString &text)
{
    QString rest = text.mid(8);
    const int state = splitPressMarker(rest);
    const qint64 n = number(rest);
    if (!validButtonNumber(n))
        return nullptr;
    auto button = std::make_shared<OutputAction_Joystick>(OutputType::JoystickButton);
    button->buttonId = quint8(n - 1);
    button->buttonState = state;
    return button;
}

OutputPtr buildJoystickSlider(const QString &)
{
    auto slider = std::make_shared<OutputAction_Joystick>(OutputType::JoystickSlider);
    slider->rangeMode = 3;
    slider->firstRangeStart = 0;
    slider->firstRangeEnd = 1000;
    return slider;
}

OutputPtr buildJoystickStick(const QString &text)
{
    static const QStringList axes = {"X", "Y", "Rotation"};
    const int axis = axes.indexOf(text.mid(8));
    if (axis < 0)
        return nullptr;
    auto stick = std::make_shared<OutputAction_Joystick>(OutputType::JoystickStick);
    stick->stickAxis = axis;
    stick->rangeMode = 3;
    stick->firstRangeStart = 0;
    stick->firstRangeEnd = 500;
    stick->secondRangeStart = 500;
    stick->secondRangeEnd = 1000;
    return stick;
}

OutputPtr buildDpi(const QString &text)
{
    const QStringList w = words(text);
    auto dpi = std::make_shared<OutputAction_Tracking>(OutputType::DpiSelect);
    if (w.at(0) == QLatin1String("DPILevel") && w.size() >= 2) {
        if (w.at(1) == QLatin1String("Next")) {
            dpi->dpiSelectionType = OutputAction_Tracking::DpiNextLevel;
        } else if (w.at(1) == QLatin1String("Prev")) {
            dpi->dpiSelectionType = OutputAction_Tracking::DpiPreviousLevel;
        } else if (w.at(1) == QLatin1String("Set") && w.size() >= 3) {
            const qint64 level = number(w.at(2));
            dpi->dpiSelectionType = OutputAction_Tracking::DpiGoToLevel;
            dpi->dpiValue = quint16(level >= 1 && level <= 10 ? int(level) - 1 : 9);
        } else {
            return nullptr;
        }
        return dpi;
    }
    if (w.at(0) == QLatin1String("DPI") && w.size() >= 3) {
        if (w.at(1) == QLatin1String("Increase"))
            dpi->dpiSelectionType = OutputAction_Tracking::DpiIncrease;
        else if (w.at(1) == QLatin1String("Decrease"))
            dpi->dpiSelectionType = OutputAction_Tracking::DpiDecrease;
        else if (w.at(1) == QLatin1String("Set"))
            dpi->dpiSelectionType = OutputAction_Tracking::DpiSet;
        else
            return nullptr;
        // Hundreds of DPI, as the oldest configuration files kept them.
        const int highest = dpi->dpiSelectionType == OutputAction_Tracking::DpiSet ? 120 : 5;
        dpi->dpiValue = quint16(std::clamp<qint64>(number(w.at(2)) / 100, 1, highest));
        return dpi;
    }
    return nullptr;
}

OutputPtr buildProfileChange(const QString &text)
{
    const QStringList w = words(text);
    if (w.size() < 2)
        return nullptr;
    static const QStringList selections = {"Next", "Prev", "Parent", "Sub"};
    const int selection = selections.indexOf(w.at(1));
    if (selection < 0)
        return nullptr;
    auto profile = std::make_shared<OutputAction_Profile>(OutputType::ProfileSelect);
    profile->profileSelection = selection + 1;
    return profile;
}

OutputPtr buildVibration(const QString &text)
{
    auto haptic = std::make_shared<OutputAction_Haptic>(OutputType::Haptic);
    haptic->duration.setValue(0);
    const QStringList w = words(text);
    if (w.size() >= 4) {
        // The record keeps the shown percentage divided by 1.2 (10/12 in
        // integers, so the integer part is exact).
        const int percent = numberWithin(w.at(1), 0, 100);
        haptic->strength = quint8(percent * 10 / 12);
        haptic->duration.setValue(numberWithin(w.at(2), 0, 1000));
        haptic->hapticOption = w.at(3) == QLatin1String("Wait") ? 128 : 0;
    }
    return haptic;
}

OutputPtr buildSequenceControl(const QString &text)
{
    const QStringList w = words(text);
    auto act = std::make_shared<OutputAction_Act>();
    const QString &kind = w.at(0);
    if (kind == QLatin1String("Wait")) {
        act->typeCode = OutputType::Wait;
        if (w.size() >= 2)
            act->countOrTime.setValue(numberWithin(w.at(1), 0, 0xFFFF));
    } else if (kind == QLatin1String("Alternate")) {
        act->typeCode = OutputType::Alternate;
        if (w.size() >= 2)
            act->alternateCount = quint8(numberWithin(w.at(1), 2, 99));
    } else if (kind == QLatin1String("Repeat")) {
        act->typeCode = OutputType::RepeatFrom;
        if (w.size() >= 3) {
            // Output numbers count from 1, the target from 0.
            act->repeatTarget = quint8(numberWithin(w.at(1), 1, 256) - 1);
            act->countOrTime.setValue(numberWithin(w.at(2), 0, 0xFFFF));
        }
    } else if (kind == QLatin1String("Stop")) {
        act->typeCode = OutputType::StopLooping;
        act->skipWaits = w.size() >= 2 && w.at(1) == QLatin1String("SkipWaits") ? 1 : 0;
    } else {
        return nullptr;
    }
    return act;
}

const QList<OutputFactory> &outputActionFactories()
{
    static const QList<OutputFactory> factories = {
        {[](QString t) { return t.startsWith(QLatin1String("MouseButton")); }, buildMouseButton},
        {[](QString t) { return t.startsWith(QLatin1String("Scroll")); }, buildMouseScroll},
        {isLetterOrDigitKey, buildLetterOrDigit},
        {[](QString t) { return symbolUsage(withoutMarker(t)) >= 0; },
         [](const QString &t) -> OutputPtr { return keyOutput(t, 2, symbolUsage(withoutMarker(t))); }},
        {[](QString t) { return actionKeyUsage(withoutMarker(t)) >= 0; },
         [](const QString &t) -> OutputPtr { return keyOutput(t, 3, actionKeyUsage(withoutMarker(t))); }},
        {isFunctionKey, buildFunctionKey},
        {[](QString t) { return withoutMarker(t).startsWith(QLatin1String("Num")); }, buildKeypadKey},
        {[](QString t) { return mediaUsage(withoutMarker(t)) >= 0; }, buildMediaKey},
        {isJoystickButton, buildJoystickButton},
        {[](QString t) { return t.startsWith(QLatin1String("JoystickSlider")); }, buildJoystickSlider},
        {[](QString t) {
             return t.startsWith(QLatin1String("JoystickX")) || t.startsWith(QLatin1String("JoystickY"))
                    || t.startsWith(QLatin1String("JoystickRotation"));
         },
         buildJoystickStick},
        {[](QString t) { return t.startsWith(QLatin1String("DPI")); }, buildDpi},
        {[](QString t) { return t.startsWith(QLatin1String("Profile")); }, buildProfileChange},
        {[](QString t) { return t.startsWith(QLatin1String("Vibrate")); }, buildVibration},
        {[](QString t) {
             return t.startsWith(QLatin1String("Wait")) || t.startsWith(QLatin1String("Alternate"))
                    || t.startsWith(QLatin1String("Repeat")) || t.startsWith(QLatin1String("Stop"));
         },
         buildSequenceControl},
    };
    return factories;
}

template <typename Result>
std::shared_ptr<Result> parse(const QList<ActionTextFactory<Result>> &factories, const QString &text)
{
    for (const auto &factory : factories) {
        if (factory.matches(text))
            return factory.build(text);
    }
    return nullptr;
}

} // namespace

InputMapPtr parseInputAction(const QString &text)
{
    return parse(inputActionFactories(), text);
}

OutputPtr parseOutputAction(const QString &text)
{
    return parse(outputActionFactories(), text);
}

int splitPressMarker(QString &text)
{
    int state = 1;
    if (text.contains(pressMarker)) {
        text.remove(pressMarker);
        state = 2;
    } else if (text.contains(releaseMarker)) {
        text.remove(releaseMarker);
        state = 0;
    }
    text = text.trimmed();
    return state;
}
