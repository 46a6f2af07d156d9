#include "SettingsRecord.h"

SettingsRecord::SettingsRecord(int tag)
    : tag(tag)
{
}

SettingsRecord::~SettingsRecord() = default;
