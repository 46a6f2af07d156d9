#include "AutoReleaseInputsRecord.h"

AutoReleaseInputsRecord::AutoReleaseInputsRecord()
    : SettingsRecordOf(115)
{}
