#pragma once

#include "SettingsRecord.h"

// Polling rate (104).
class ReportIntervalRecord : public SettingsRecord
{
public:
    ReportIntervalRecord();

    bool assignFrom(const SettingsRecord &other) override;
    bool equals(const SettingsRecord &other) const override;

    int reportInterval = 1; // 1, 2, 4, 8 ms: 1000, 500, 250, 125 reports per second
};
