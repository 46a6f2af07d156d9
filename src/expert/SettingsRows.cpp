#include "SettingsRows.h"

#include <array>

namespace SettingsRows {

namespace {

constexpr std::array<int, 4> pollingValues{1, 2, 4, 8};
// Index 0 "Custom Message" is kind 1, then kinds 2 to 7, then "Blank".
constexpr std::array<int, 8> oledKinds{1, 2, 3, 4, 5, 6, 7, 0};

bool inRange(int index, int count)
{
    return index >= 0 && index < count;
}

} // namespace

int pollingValue(int index)
{
    return inRange(index, int(pollingValues.size())) ? pollingValues[size_t(index)]
                                                     : ReportIntervalRecord().reportInterval;
}

int pollingIndex(int value)
{
    for (size_t i = 0; i < pollingValues.size(); ++i) {
        if (pollingValues[i] == value)
            return int(i);
    }
    return -1;
}

int liftOffValue(int index)
{
    if (index == 0)
        return 2;
    if (index == 1)
        return 3;
    return LiftOffSelectRecord().liftOffLevel;
}

int liftOffIndex(int level)
{
    return level == 2 ? 0 : 1;
}

int switchValue(int index)
{
    return index == 1 ? 1 : 0;
}

int switchIndex(int value)
{
    return value == 0 || value == 1 ? value : -1;
}

int ledIndex(int mode)
{
    return mode >= 0 && mode <= 2 ? mode : -1;
}

int oledIndex(int kind, const QByteArray &message)
{
    if (kind == 0 || (kind == 1 && message.isEmpty()))
        return oledBlankIndex;
    if (kind >= 1 && kind <= 7)
        return kind - 1;
    return -1;
}

QString oledText(const QByteArray &message)
{
    return QString::fromLatin1(message);
}

QList<const SettingsRecord *> Records::inSaveOrder() const
{
    return {&polling, &liftOff, &joystick, &led, &oled, &tilt, &autoRelease};
}

Records recordsFor(const Choices &choices)
{
    Records records;
    records.polling.reportInterval = pollingValue(choices.polling);
    records.liftOff.liftOffLevel = liftOffValue(choices.liftOff);
    records.joystick.gameDevice = switchValue(choices.joystick);
    records.tilt.tiltAutoZeroing = switchValue(choices.tilt);
    records.autoRelease.autoRelease = switchValue(choices.autoRelease);

    LedSetRecord &led = records.led;
    led.ledMode = ledIndex(choices.led) >= 0 ? choices.led : 0;
    led.brightness = 100;
    led.ledDuration.setValue(500);
    if (led.ledMode == 1) {
        led.colour1[0] = quint8(choices.colour.red());
        led.colour1[1] = quint8(choices.colour.green());
        led.colour1[2] = quint8(choices.colour.blue());
    }

    OledSetRecord &oled = records.oled;
    oled.oledMode = inRange(choices.oled, int(oledKinds.size())) ? oledKinds[size_t(choices.oled)] : 0;
    if (oled.oledMode == 1) {
        oled.message = choices.message.toLatin1();
        // A custom message without text shows nothing: it is stored as blank.
        if (oled.message.isEmpty())
            oled.oledMode = 0;
    }
    return records;
}

} // namespace SettingsRows
