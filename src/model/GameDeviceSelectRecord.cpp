#include "GameDeviceSelectRecord.h"

GameDeviceSelectRecord::GameDeviceSelectRecord()
    : SettingsRecord(102)
{}

bool GameDeviceSelectRecord::assignFrom(const SettingsRecord &other)
{
    const auto *source = dynamic_cast<const GameDeviceSelectRecord *>(&other);
    if (!source)
        return false;
    *this = *source;
    return true;
}

bool GameDeviceSelectRecord::equals(const SettingsRecord &other) const
{
    const auto *o = dynamic_cast<const GameDeviceSelectRecord *>(&other);
    return o && tag == o->tag && gameDevice == o->gameDevice;
}
