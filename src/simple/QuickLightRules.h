#pragma once
// What the simple view's OLED and logo light pages store: the records made
// from a combo index and the extra control's value, and the message as its
// edit shows it.

#include "LedSetRecord.h"
#include "OledSetRecord.h"

#include <QByteArray>
#include <QColor>
#include <QString>

namespace QuickLightRules {

// The content kind of a custom message, and the logo light's fixed colour.
inline constexpr int oledCustomKind = 1;
inline constexpr int ledFixedMode = 1;
// The longest message the package can carry to the display, in characters.
inline constexpr int oledMessageLength = 18;

// Record 97 for the combo index (the content kind) and the edit's text: the
// text in Latin-1 ('?' for what it lacks) for a custom message only, and a
// custom message without text as blank. An index outside the kinds is blank.
OledSetRecord oledRecord(int index, const QString &text);
// The message as the edit shows it: one Latin-1 character per byte.
QString oledText(const QByteArray &message);

// Record 95 for the combo index (the mode) and the button's colour:
// brightness 100, period 500, the colour only for the fixed colour. An index
// outside the modes is off.
LedSetRecord ledRecord(int index, const QColor &colour);

} // namespace QuickLightRules
