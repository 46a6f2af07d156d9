#include "OledSetRecord.h"

OledSetRecord::OledSetRecord()
    : SettingsRecord(97)
{}

bool OledSetRecord::assignFrom(const SettingsRecord &other)
{
    const auto *source = dynamic_cast<const OledSetRecord *>(&other);
    if (!source)
        return false;
    *this = *source;
    return true;
}

bool OledSetRecord::equals(const SettingsRecord &other) const
{
    const auto *o = dynamic_cast<const OledSetRecord *>(&other);
    return o && tag == o->tag && oledMode == o->oledMode && message == o->message;
}
