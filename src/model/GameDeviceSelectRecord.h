#pragma once

#include "SettingsRecord.h"

// Joystick outputs (102).
class GameDeviceSelectRecord : public SettingsRecordOf<GameDeviceSelectRecord>
{
public:
    GameDeviceSelectRecord();

    auto fields() const { return std::tie(gameDevice); }

    int gameDevice = 0; // 0 none, 1 joystick
};
