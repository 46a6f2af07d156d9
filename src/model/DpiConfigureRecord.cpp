#include "DpiConfigureRecord.h"

DpiConfigureRecord::DpiConfigureRecord()
    : SettingsRecord(94)
{}

bool DpiConfigureRecord::assignFrom(const SettingsRecord &other)
{
    const auto *source = dynamic_cast<const DpiConfigureRecord *>(&other);
    if (!source)
        return false;
    *this = *source;
    return true;
}

bool DpiConfigureRecord::equals(const SettingsRecord &other) const
{
    const auto *o = dynamic_cast<const DpiConfigureRecord *>(&other);
    return o && tag == o->tag && levelCount == o->levelCount && currentLevel == o->currentLevel && separateXY == o->separateXY
           && dpiValues == o->dpiValues;
}

bool DpiConfigureRecord::isValid() const
{
    const int expected = separateXY == 1 ? 2 * levelCount : levelCount;
    return currentLevel < levelCount && dpiValues.size() == expected;
}
