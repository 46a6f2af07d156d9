#include "AutoReleaseInputsRecord.h"

AutoReleaseInputsRecord::AutoReleaseInputsRecord()
    : SettingsRecordOf(SettingsTag::AutoRelease)
{}
