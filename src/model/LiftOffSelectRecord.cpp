#include "LiftOffSelectRecord.h"

LiftOffSelectRecord::LiftOffSelectRecord()
    : SettingsRecordOf(SettingsTag::LiftOff)
{}
