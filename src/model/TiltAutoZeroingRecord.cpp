#include "TiltAutoZeroingRecord.h"

TiltAutoZeroingRecord::TiltAutoZeroingRecord()
    : SettingsRecordOf(SettingsTag::TiltAutoZeroing)
{}
