#pragma once

#include "SettingsRecord.h"

#include <QByteArray>

// OLED display (97).
class OledSetRecord : public SettingsRecord
{
public:
    OledSetRecord();

    bool assignFrom(const SettingsRecord &other) override;
    bool equals(const SettingsRecord &other) const override;

    int oledMode = 0;   // 0 off, 1 custom message, 2 DPI, 3 profile, 4 forces, 5 tilt angles, 6 cube, 7 firmware
    QByteArray message; // Latin-1, used with oledMode 1
};
