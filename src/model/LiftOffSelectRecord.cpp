#include "LiftOffSelectRecord.h"

LiftOffSelectRecord::LiftOffSelectRecord()
    : SettingsRecordOf(93)
{}
