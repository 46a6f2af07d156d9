#include "LedSetRecord.h"

LedSetRecord::LedSetRecord()
    : SettingsRecordOf(SettingsTag::Led)
{
    ledDuration.setValue(500);
}
