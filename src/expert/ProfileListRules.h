#pragma once
// The rules of the expert view's profile names and deletions that need no
// widget. They work on the names of the tree's groups: one list per
// top-level profile, its name first, then its sub-profiles' names in order.

#include <QList>
#include <QString>
#include <QStringList>

namespace ProfileListRules {

// The names a new or renamed profile must differ from: for a top-level
// profile every top-level name, for a sub-profile the other names of the
// first group of that parent (the parent's own name does not count, and
// none when no group has that parent).
QStringList namesToDifferFrom(const QList<QStringList> &groups, bool topLevel, const QString &parent);

// Why the add dialog refuses name, translated; empty when it takes it. The
// checks in order: blanks only, more than 18 characters (blanks counted),
// a name already taken (exact comparison).
QString addRefusal(const QString &name, const QList<QStringList> &groups, bool topLevel, const QString &parent);

// name, or name with " I" (or "I" after a capital I) appended until it is
// none of names: Work, Work I, Work II.
QString uniqueName(const QString &name, const QStringList &names);

// The group whose first profile becomes default when a profile of group
// deleted goes while the default is among the deleted; -1 for the global
// profile. A top-level profile: the global profile when the tree has fewer
// than two groups, else group 0, or group 1 when the deleted is group 0. A
// sub-profile: group 0.
int defaultGroupAfterDeletion(int groupCount, int deleted, bool subProfile);

} // namespace ProfileListRules
