#pragma once

#include "SettingsRecord.h"

// Automatic release of outputs (115).
class AutoReleaseInputsRecord : public SettingsRecordOf<AutoReleaseInputsRecord>
{
public:
    AutoReleaseInputsRecord();

    auto fields() const { return std::tie(autoRelease); }

    int autoRelease = 0; // 0 disabled, 1 enabled
};
