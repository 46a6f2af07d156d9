#pragma once

#include "OutputActionConfig.h"
#include "BigEndian16.h"

#include <QByteArray>

// Key (30), media key (31) and text (32) outputs.
class OutputAction_Keyboard : public OutputActionConfig
{
public:
    explicit OutputAction_Keyboard(int typeCode = 0);

    OutputPtr clone() const override;
    bool equals(const OutputActionConfig &other) const override;

    int keyGroup = 0;       // 1 letters and digits, 2 symbols, 3 modifiers and actions, 4 function keys, 5 keypad
    quint8 keyUsage = 0;    // HID keyboard usage
    BigEndian16 mediaUsage; // HID consumer usage
    int buttonState = 0;    // 0 release, 1 tap, 2 press
    QByteArray keyString;   // Latin-1 text, one byte per character
};
