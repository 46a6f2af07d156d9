#pragma once
// The rules of the simple view's DPI levels page that need no widget: the
// rows a record shows, the record the rows make, where the default goes when
// a row is deleted and how a drop reorders the list. The page always edits a
// single value per level.

#include "DpiConfigureRecord.h"

#include <QList>
#include <QVector>

#include <optional>

namespace QuickDpiRules {

// The most levels the page shows and offers.
inline constexpr int maximumLevels = 10;
// The value of the first level made on an empty page.
inline constexpr int firstLevelDpi = 1500;

// One level row as the page shows it.
struct Level
{
    int value = 0;
    bool isDefault = false;
};

// What a record shows: its first ten levels (the X values of a record with
// separate X and Y), and the position of the default row, -1 when the
// default level is not among them. Nothing for a record without levels or
// whose number of values does not match its level count.
struct Shown
{
    QVector<int> values;
    int defaultRow = -1;
};
std::optional<Shown> shownLevels(const DpiConfigureRecord &record);

// The record of the rows in list order: one value each, X and Y together,
// the last default row as the default level (0 when there is none).
DpiConfigureRecord recordOf(const QVector<Level> &rows);

// The value a new level starts at: the last row's, or firstLevelDpi.
int startValue(const QVector<Level> &rows);

// The level number that becomes the default when the default row numbered
// deleted goes and remaining rows are left: the row that takes its number,
// or the new last row. 0 when no row remains.
int defaultAfterDeletion(int deleted, int remaining);

// Moves the entry at from to to, as a drop does; false (nothing moved) when
// either is not a position of the list.
template<class T>
bool moveEntry(QList<T> &list, int from, int to)
{
    if (from < 0 || to < 0 || from >= list.size() || to >= list.size())
        return false;
    list.move(from, to);
    return true;
}

} // namespace QuickDpiRules
