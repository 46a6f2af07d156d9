#pragma once

#include "SettingsRecord.h"

#include <QByteArray>

// OLED display (97).
class OledSetRecord : public SettingsRecordOf<OledSetRecord>
{
public:
    OledSetRecord();

    auto fields() const { return std::tie(oledMode, message); }

    int oledMode = 0;   // 0 off, 1 custom message, 2 DPI, 3 profile, 4 forces, 5 tilt angles, 6 cube, 7 firmware
    QByteArray message; // Latin-1, used with oledMode 1
};
