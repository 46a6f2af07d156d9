#include "LedSetRecord.h"

LedSetRecord::LedSetRecord()
    : SettingsRecordOf(95)
{
    ledDuration.setValue(500);
}
