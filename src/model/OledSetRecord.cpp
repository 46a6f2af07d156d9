#include "OledSetRecord.h"

OledSetRecord::OledSetRecord()
    : SettingsRecordOf(97)
{}
