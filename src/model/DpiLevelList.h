#pragma once
// Edits of a list of DPI levels that both views' level editors make the same
// way: which level becomes the default after the default one is deleted, and
// the move of a dropped row.

#include <QList>

namespace DpiLevelList {

// The number of the level that becomes the default when the default level
// numbered deleted (1 on) goes and remaining levels are left: the level that
// takes its number, or the new last one. 0 when no level remains.
inline int defaultAfterDeletion(int deleted, int remaining)
{
    if (remaining <= 0)
        return 0;
    return deleted <= remaining ? deleted : remaining;
}

// Moves the entry at from to to, as a drop does; false (and nothing moved)
// when either is not a position of the list.
template<class T>
bool moveEntry(QList<T> &list, int from, int to)
{
    if (from < 0 || to < 0 || from >= list.size() || to >= list.size())
        return false;
    list.move(from, to);
    return true;
}

} // namespace DpiLevelList
