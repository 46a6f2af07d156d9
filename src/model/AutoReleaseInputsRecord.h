#pragma once

#include "SettingsRecord.h"

// Automatic release of outputs (115).
class AutoReleaseInputsRecord : public SettingsRecord
{
public:
    AutoReleaseInputsRecord();

    bool assignFrom(const SettingsRecord &other) override;
    bool equals(const SettingsRecord &other) const override;

    int autoRelease = 0; // 0 disabled, 1 enabled
};
