#include "DpiConfigureRecord.h"

DpiConfigureRecord::DpiConfigureRecord()
    : SettingsRecordOf(SettingsTag::Dpi)
{}

bool DpiConfigureRecord::isValid() const
{
    const int expected = separateXY == 1 ? 2 * levelCount : levelCount;
    return currentLevel < levelCount && dpiValues.size() == expected;
}
