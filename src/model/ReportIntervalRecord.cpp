#include "ReportIntervalRecord.h"

ReportIntervalRecord::ReportIntervalRecord()
    : SettingsRecordOf(SettingsTag::ReportInterval)
{}
