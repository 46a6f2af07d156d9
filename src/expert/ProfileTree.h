#pragma once
// The rules of the expert view's profile tree that need no widget. They work
// on profile records in tree order: each top-level profile followed by its
// sub-profiles, as the store lists them (PackageCreator::profiles), with the
// global profile kept apart or, where said, first.
//
// Positions: the global profile is 1, the tree's profiles count on from 2 in
// tree order; 0 is the active-profile list's "Auto Profile Switching".

#include <QList>
#include <QString>
#include <QStringList>

class PackageCreator;
class ProfileData;
class ProfileRenumbering;

namespace ProfileTree {

// Entry 0 of the active-profile list.
QString autoSwitchingEntry();
// "  " before a top-level profile's name in the active-profile list, "    "
// before a sub-profile's.
QString indent(const ProfileData &profile);

// "Auto Profile Switching", the global profile's name, then every profile's
// name after its indent.
QStringList activeProfilesList(const QString &globalName, const QList<ProfileData *> &tree);
// The entry the list selects: 0 while switching automatically, else the
// active profile's position (1 also for an active profile the tree lacks).
int activeEntry(const QList<ProfileData *> &tree, const ProfileData *active, bool autoSwitching);
// The profile that entry n >= 1 of the list activates; null for entry 0 and
// past the last profile.
ProfileData *listEntryProfile(ProfileData *global, const QList<ProfileData *> &tree, int entry);

struct Found
{
    int position = 0;
    ProfileData *profile = nullptr;
};
// 255/255 is the global profile at 1; otherwise the first profile of the tree
// with that pair, or (position after the last profile, null).
Found findProfile(ProfileData *global, const QList<ProfileData *> &tree, int index, int subIndex);

// What the tab strip and the window show of a profile: nothing for the global
// profile, its name twice for a top-level profile, and for a sub-profile its
// parent's name, then "parent: name".
struct Names
{
    QString buttonName;
    QString shownName;
};
Names names(const ProfileData &profile, const QString &parentName);

// The part of a linked application's id after its last "\" or "/".
QString fileNameOf(const QString &appId);
// The profiles with a linked application whose file name is appId, ignoring
// case, in order; a profile linking it twice is listed twice.
QList<ProfileData *> profilesLinking(const QList<ProfileData *> &profiles, const QString &appId);
// Where automatic switching goes when appId comes to the foreground.
// profiles: the global profile first, then the tree. The first profile
// linking appId, unless the application's remembered choice names another
// profile of the tree; the first time an application linked to several
// profiles comes, that first match is remembered for it. No match: the
// first profile marked default (null when none is).
ProfileData *foregroundProfile(const QList<ProfileData *> &profiles, const QString &appId, PackageCreator &model);
// The profiles other than current whose linked ids hold appId exactly.
QList<ProfileData *> othersLinking(const QList<ProfileData *> &profiles, const ProfileData *current,
                                   const QString &appId);

// Gives every profile of the groups (a top-level profile, then its
// sub-profiles) the pair of its place: the group's position, and 255 for
// the top-level profile or its position among the sub-profiles. The moves go
// into renumbering; the caller applies them, so that go-to-profile outputs
// and remembered choices follow.
void renumber(const QList<QList<ProfileData *>> &groups, ProfileRenumbering &renumbering);

} // namespace ProfileTree
