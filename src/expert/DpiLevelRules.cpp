#include "DpiLevelRules.h"

#include <algorithm>

namespace DpiLevelRules {

int snapSingle(int value, int step, int maximum)
{
    if (step <= 0)
        return std::min(value, maximum);
    const int snapped = value > step ? value - value % step : step;
    return std::min(snapped, maximum);
}

DpiConfigureRecord singleRecord(int value)
{
    DpiConfigureRecord record;
    record.levelCount = 1;
    record.currentLevel = 0;
    record.separateXY = 0;
    record.dpiValues = {quint16(std::clamp(value, 0, 0xFFFF))};
    return record;
}

DpiConfigureRecord listRecord(const QVector<Row> &rows, bool separate)
{
    DpiConfigureRecord record;
    record.levelCount = quint8(std::min(rows.size(), 255));
    record.separateXY = separate ? 1 : 0;
    record.currentLevel = 0;
    for (int i = 0; i < rows.size(); ++i) {
        const Row &row = rows.at(i);
        if (row.number != i + 1)
            continue;
        record.dpiValues.append(quint16(std::clamp(row.x, 0, 0xFFFF)));
        if (separate)
            record.dpiValues.append(quint16(std::clamp(row.y, 0, 0xFFFF)));
        if (row.isDefault)
            record.currentLevel = quint8(i);
    }
    return record;
}

DpiConfigureRecord storedForm(const DpiConfigureRecord &record)
{
    return record.isValid() ? record : singleRecord(defaultDpi);
}

QVector<Row> rowsOf(const DpiConfigureRecord &record)
{
    QVector<Row> rows;
    if (!record.isValid() || record.levelCount < 2)
        return rows;
    const bool separate = record.separateXY == 1;
    rows.reserve(record.levelCount);
    int k = 0;
    for (int i = 0; i < record.levelCount; ++i) {
        Row row;
        row.number = i + 1;
        row.x = record.dpiValues.at(k);
        row.y = separate ? record.dpiValues.at(k + 1) : row.x;
        k += separate ? 2 : 1;
        row.isDefault = i == record.currentLevel;
        rows.append(row);
    }
    return rows;
}

} // namespace DpiLevelRules
