#include "TiltAutoZeroingRecord.h"

TiltAutoZeroingRecord::TiltAutoZeroingRecord()
    : SettingsRecordOf(116)
{}
