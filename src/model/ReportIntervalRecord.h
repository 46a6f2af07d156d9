#pragma once

#include "SettingsRecord.h"

// Polling rate (104).
class ReportIntervalRecord : public SettingsRecordOf<ReportIntervalRecord>
{
public:
    ReportIntervalRecord();

    auto fields() const { return std::tie(reportInterval); }

    int reportInterval = 1; // 1, 2, 4, 8 ms: 1000, 500, 250, 125 reports per second
};
