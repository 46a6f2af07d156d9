#include "QuickDpiRules.h"

#include <algorithm>

namespace QuickDpiRules {

std::optional<Shown> shownLevels(const DpiConfigureRecord &record)
{
    const int count = record.levelCount;
    const bool separate = record.separateXY == 1;
    if (count == 0 || record.dpiValues.size() != (separate ? 2 * count : count))
        return std::nullopt;
    Shown shown;
    const int rows = std::min(count, maximumLevels);
    shown.values.reserve(rows);
    for (int k = 0; k < rows; ++k)
        shown.values.append(record.dpiValues.at(separate ? 2 * k : k));
    shown.defaultRow = record.currentLevel < rows ? record.currentLevel : -1;
    return shown;
}

DpiConfigureRecord recordOf(const QVector<Level> &rows)
{
    DpiConfigureRecord record;
    record.levelCount = quint8(std::min(rows.size(), 255));
    record.currentLevel = 0;
    record.separateXY = 0;
    record.dpiValues.reserve(rows.size());
    for (int i = 0; i < rows.size(); ++i) {
        record.dpiValues.append(quint16(std::clamp(rows.at(i).value, 0, 0xFFFF)));
        if (rows.at(i).isDefault)
            record.currentLevel = quint8(i);
    }
    return record;
}

int startValue(const QVector<Level> &rows)
{
    return rows.isEmpty() ? firstLevelDpi : rows.last().value;
}

int defaultAfterDeletion(int deleted, int remaining)
{
    if (remaining <= 0)
        return 0;
    return deleted <= remaining ? deleted : remaining;
}

} // namespace QuickDpiRules
