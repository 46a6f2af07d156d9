#include "TiltAutoZeroingRecord.h"

TiltAutoZeroingRecord::TiltAutoZeroingRecord()
    : SettingsRecord(116)
{}

bool TiltAutoZeroingRecord::assignFrom(const SettingsRecord &other)
{
    const auto *source = dynamic_cast<const TiltAutoZeroingRecord *>(&other);
    if (!source)
        return false;
    *this = *source;
    return true;
}

bool TiltAutoZeroingRecord::equals(const SettingsRecord &other) const
{
    const auto *o = dynamic_cast<const TiltAutoZeroingRecord *>(&other);
    return o && tag == o->tag && tiltAutoZeroing == o->tiltAutoZeroing;
}
