#pragma once
// What the rows of the profile settings page store: each row's combo index
// turned into its record's value and back, and the records one save writes.
// Plain functions, so the page's slots stay a line or two and the tables are
// tested without widgets.
//
// An index outside a row's items gives the record's default value; a stored
// value outside the table gives -1, "leave the combo as it is".

#include "AutoReleaseInputsRecord.h"
#include "GameDeviceSelectRecord.h"
#include "LedSetRecord.h"
#include "LiftOffSelectRecord.h"
#include "OledSetRecord.h"
#include "ReportIntervalRecord.h"
#include "TiltAutoZeroingRecord.h"

#include <QByteArray>
#include <QColor>
#include <QList>
#include <QString>

namespace SettingsRows {

// The longest custom OLED message, in characters.
inline constexpr int oledMessageLength = 18;
// The OLED row's index of "Custom Message" and "Blank".
inline constexpr int oledCustomIndex = 0;
inline constexpr int oledBlankIndex = 7;
// The backlight row's index of "Fixed Color".
inline constexpr int ledFixedIndex = 1;

// Polling: 1000, 500, 250, 125 Hz are stored as 1, 2, 4, 8.
int pollingValue(int index);
int pollingIndex(int value);
// Lift-off: "Minimum" is 2, "Maximum" 3; every stored value but 2 shows
// "Maximum".
int liftOffValue(int index);
int liftOffIndex(int level);
// Joystick outputs, tilt auto-zeroing, auto-release: "Disabled" 0, "Enabled" 1.
int switchValue(int index);
int switchIndex(int value);
// Backlight: "Off" 0, "Fixed Color" 1, "Hue Rotation" 2.
int ledIndex(int mode);
// OLED: "Custom Message" kind 1, then kinds 2 to 7, then "Blank" kind 0. A
// custom message without text is blank both ways.
int oledIndex(int kind, const QByteArray &message);
// The message as the edit shows it: one Latin-1 character per byte.
QString oledText(const QByteArray &message);

// The combos' indices and the values beside them, as the page shows them.
struct Choices
{
    int polling = -1;
    int liftOff = -1;
    int joystick = -1;
    int led = -1;
    int oled = -1;
    int tilt = -1;
    int autoRelease = -1;
    QColor colour;   // the colour editor's current colour
    QString message; // the OLED message edit's text
};

// The seven records one save writes.
struct Records
{
    ReportIntervalRecord polling;
    LiftOffSelectRecord liftOff;
    GameDeviceSelectRecord joystick;
    LedSetRecord led;
    OledSetRecord oled;
    TiltAutoZeroingRecord tilt;
    AutoReleaseInputsRecord autoRelease;

    // In the order they are stored: 104, 93, 102, 95, 97, 116, 115.
    QList<const SettingsRecord *> inSaveOrder() const;
};

Records recordsFor(const Choices &choices);

} // namespace SettingsRows
