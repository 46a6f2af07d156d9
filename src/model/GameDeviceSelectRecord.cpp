#include "GameDeviceSelectRecord.h"

GameDeviceSelectRecord::GameDeviceSelectRecord()
    : SettingsRecordOf(SettingsTag::GameDevice)
{}
