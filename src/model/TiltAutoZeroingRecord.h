#pragma once

#include "SettingsRecord.h"

// Tilt auto-zeroing (116).
class TiltAutoZeroingRecord : public SettingsRecord
{
public:
    TiltAutoZeroingRecord();

    bool assignFrom(const SettingsRecord &other) override;
    bool equals(const SettingsRecord &other) const override;

    int tiltAutoZeroing = 0; // 0 disabled, 1 enabled
};
