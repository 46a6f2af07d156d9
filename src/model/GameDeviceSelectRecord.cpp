#include "GameDeviceSelectRecord.h"

GameDeviceSelectRecord::GameDeviceSelectRecord()
    : SettingsRecordOf(102)
{}
