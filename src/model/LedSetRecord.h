#pragma once

#include "BigEndian16.h"
#include "SettingsRecord.h"

// Logo LED (95). Colours are red, green, blue.
class LedSetRecord : public SettingsRecordOf<LedSetRecord>
{
public:
    LedSetRecord();

    // Colours compare by value (a tie of the arrays would compare addresses).
    auto fields() const { return std::make_tuple(ledMode, brightness, ledDuration, rgb(colour1), rgb(colour2)); }

    int ledMode = 0;         // 0 off, 1 fixed colour, 2 hue rotation
    quint8 brightness = 100;
    BigEndian16 ledDuration; // hundredths of a second
    quint8 colour1[3] = {0, 0, 0};
    quint8 colour2[3] = {0, 0, 0};

private:
    static quint32 rgb(const quint8 *colour) { return quint32(colour[0]) << 16 | colour[1] << 8 | colour[2]; }
};
