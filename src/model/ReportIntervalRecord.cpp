#include "ReportIntervalRecord.h"

ReportIntervalRecord::ReportIntervalRecord()
    : SettingsRecord(104)
{}

bool ReportIntervalRecord::assignFrom(const SettingsRecord &other)
{
    const auto *source = dynamic_cast<const ReportIntervalRecord *>(&other);
    if (!source)
        return false;
    *this = *source;
    return true;
}

bool ReportIntervalRecord::equals(const SettingsRecord &other) const
{
    const auto *o = dynamic_cast<const ReportIntervalRecord *>(&other);
    return o && tag == o->tag && reportInterval == o->reportInterval;
}
