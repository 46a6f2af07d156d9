#pragma once

#include "BigEndian16.h"
#include "SettingsRecord.h"

// Logo LED (95). Colours are red, green, blue.
class LedSetRecord : public SettingsRecord
{
public:
    LedSetRecord();

    bool assignFrom(const SettingsRecord &other) override;
    bool equals(const SettingsRecord &other) const override;

    int ledMode = 0;         // 0 off, 1 fixed colour, 2 hue rotation
    quint8 brightness = 100;
    BigEndian16 ledDuration; // hundredths of a second
    quint8 colour1[3] = {0, 0, 0};
    quint8 colour2[3] = {0, 0, 0};
};
