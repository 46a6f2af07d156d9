#include "LedSetRecord.h"

#include <algorithm>

LedSetRecord::LedSetRecord()
    : SettingsRecord(95)
{
    ledDuration.setValue(500);
}

bool LedSetRecord::assignFrom(const SettingsRecord &other)
{
    const auto *source = dynamic_cast<const LedSetRecord *>(&other);
    if (!source)
        return false;
    *this = *source;
    return true;
}

bool LedSetRecord::equals(const SettingsRecord &other) const
{
    const auto *o = dynamic_cast<const LedSetRecord *>(&other);
    return o && tag == o->tag && ledMode == o->ledMode && brightness == o->brightness && ledDuration == o->ledDuration
           && std::equal(colour1, colour1 + 3, o->colour1) && std::equal(colour2, colour2 + 3, o->colour2);
}
