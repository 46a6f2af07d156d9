#pragma once

#include "SettingsRecord.h"

// Joystick outputs (102).
class GameDeviceSelectRecord : public SettingsRecord
{
public:
    GameDeviceSelectRecord();

    bool assignFrom(const SettingsRecord &other) override;
    bool equals(const SettingsRecord &other) const override;

    int gameDevice = 0; // 0 none, 1 joystick
};
