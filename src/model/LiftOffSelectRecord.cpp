#include "LiftOffSelectRecord.h"

LiftOffSelectRecord::LiftOffSelectRecord()
    : SettingsRecord(93)
{}

bool LiftOffSelectRecord::assignFrom(const SettingsRecord &other)
{
    const auto *source = dynamic_cast<const LiftOffSelectRecord *>(&other);
    if (!source)
        return false;
    *this = *source;
    return true;
}

bool LiftOffSelectRecord::equals(const SettingsRecord &other) const
{
    const auto *o = dynamic_cast<const LiftOffSelectRecord *>(&other);
    return o && tag == o->tag && liftOffLevel == o->liftOffLevel;
}
