#pragma once
// The rules of the DPI level editor that need no widget: the single value's
// snap, the record made from the rows, how a record is read back into rows,
// where the default goes when a row is deleted and how a drop reorders the
// list.

#include "DpiConfigureRecord.h"
#include "DpiLevelList.h"

#include <QList>
#include <QVector>

namespace DpiLevelRules {

// The most levels the editor offers.
inline constexpr int maximumLevels = 10;
// The value of a new profile, and of a record that cannot be read.
inline constexpr int defaultDpi = 1500;

// The single value as its edit keeps it: above one step it is rounded down
// to a multiple of the step, otherwise it becomes one step; then it is
// limited to the maximum.
int snapSingle(int value, int step, int maximum);

// One level row as the editor shows it.
struct Row
{
    int number = 0; // the level number the row shows, 1-based
    int x = 0;
    int y = 0;
    bool isDefault = false;
};

// The record of the single value.
DpiConfigureRecord singleRecord(int value);
// The record of the rows in list order. A row whose number is not its
// position contributes no values (the store then refuses the record); the
// default index is that of the last default row, 0 when there is none.
DpiConfigureRecord listRecord(const QVector<Row> &rows, bool separate);

// A record as the store keeps it: itself when it is consistent, otherwise
// the store's replacement, one level of defaultDpi. The editor shows this
// form, so it never reads past the record's values.
DpiConfigureRecord storedForm(const DpiConfigureRecord &record);
// The rows of a consistent record with two or more levels, numbered 1 on,
// the default marked; empty for any other record.
QVector<Row> rowsOf(const DpiConfigureRecord &record);

using DpiLevelList::defaultAfterDeletion;
using DpiLevelList::moveEntry;

} // namespace DpiLevelRules
