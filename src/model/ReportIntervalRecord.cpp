#include "ReportIntervalRecord.h"

ReportIntervalRecord::ReportIntervalRecord()
    : SettingsRecordOf(104)
{}
