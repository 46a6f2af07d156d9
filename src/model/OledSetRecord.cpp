#include "OledSetRecord.h"

OledSetRecord::OledSetRecord()
    : SettingsRecordOf(SettingsTag::Oled)
{}
