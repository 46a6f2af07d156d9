#pragma once

#include "SettingsRecord.h"

// Tilt auto-zeroing (116).
class TiltAutoZeroingRecord : public SettingsRecordOf<TiltAutoZeroingRecord>
{
public:
    TiltAutoZeroingRecord();

    auto fields() const { return std::tie(tiltAutoZeroing); }

    int tiltAutoZeroing = 0; // 0 disabled, 1 enabled
};
