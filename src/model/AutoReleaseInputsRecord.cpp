#include "AutoReleaseInputsRecord.h"

AutoReleaseInputsRecord::AutoReleaseInputsRecord()
    : SettingsRecord(115)
{}

bool AutoReleaseInputsRecord::assignFrom(const SettingsRecord &other)
{
    const auto *source = dynamic_cast<const AutoReleaseInputsRecord *>(&other);
    if (!source)
        return false;
    *this = *source;
    return true;
}

bool AutoReleaseInputsRecord::equals(const SettingsRecord &other) const
{
    const auto *o = dynamic_cast<const AutoReleaseInputsRecord *>(&other);
    return o && tag == o->tag && autoRelease == o->autoRelease;
}
