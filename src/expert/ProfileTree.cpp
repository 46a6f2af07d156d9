#include "ProfileTree.h"

#include "LastSelectedEntry.h"
#include "PackageCreator.h"
#include "ProfileData.h"
#include "ProfileRenumbering.h"

#include <QCoreApplication>
#include <QDebug>

#include <algorithm>

namespace ProfileTree {

namespace {

constexpr int noIndex = 255;

bool hasPair(const ProfileData *profile, int index, int subIndex)
{
    return profile->index == index && profile->subIndex == subIndex;
}

} // namespace

QString autoSwitchingEntry()
{
    return QCoreApplication::translate("ProfilesView", "Auto Profile Switching");
}

QString indent(const ProfileData &profile)
{
    return profile.subIndex == noIndex ? QStringLiteral("  ") : QStringLiteral("    ");
}

QStringList activeProfilesList(const QString &globalName, const QList<ProfileData *> &tree)
{
    QStringList list;
    list.reserve(tree.size() + 2);
    list << autoSwitchingEntry() << globalName;
    for (const ProfileData *profile : tree)
        list << indent(*profile) + profile->name;
    return list;
}

int activeEntry(const QList<ProfileData *> &tree, const ProfileData *active, bool autoSwitching)
{
    if (autoSwitching)
        return 0;
    const int at = tree.indexOf(const_cast<ProfileData *>(active));
    return at < 0 ? 1 : at + 2;
}

ProfileData *listEntryProfile(ProfileData *global, const QList<ProfileData *> &tree, int entry)
{
    if (entry == 1)
        return global;
    return entry >= 2 ? tree.value(entry - 2) : nullptr;
}

Found findProfile(ProfileData *global, const QList<ProfileData *> &tree, int index, int subIndex)
{
    if (index == noIndex && subIndex == noIndex)
        return {1, global};
    for (int i = 0; i < tree.size(); ++i) {
        if (hasPair(tree.at(i), index, subIndex))
            return {i + 2, tree.at(i)};
    }
    return {tree.size() + 2, nullptr};
}

Names names(const ProfileData &profile, const QString &parentName)
{
    if (profile.isGlobal())
        return {};
    if (profile.subIndex == noIndex)
        return {profile.name, profile.name};
    return {parentName, parentName + QStringLiteral(": ") + profile.name};
}

QString fileNameOf(const QString &appId)
{
    const int slash = qMax(appId.lastIndexOf(QLatin1Char('\\')), appId.lastIndexOf(QLatin1Char('/')));
    return appId.mid(slash + 1);
}

QList<ProfileData *> profilesLinking(const QList<ProfileData *> &profiles, const QString &appId)
{
    QList<ProfileData *> matches;
    if (appId.isEmpty())
        return matches;
    for (ProfileData *profile : profiles) {
        for (const QString &path : qAsConst(profile->linkedAppPaths)) {
            const QString fileName = fileNameOf(path);
            if (fileName.compare(appId, Qt::CaseInsensitive) == 0) {
                qDebug().noquote() << "Match found" << fileName;
                matches.append(profile);
            }
        }
    }
    return matches;
}

ProfileData *foregroundProfile(const QList<ProfileData *> &profiles, const QString &appId, PackageCreator &model)
{
    const QList<ProfileData *> matches = profilesLinking(profiles, appId);
    if (matches.isEmpty()) {
        qDebug() << "No match found";
        const auto marked = std::find_if(profiles.begin(), profiles.end(),
                                         [](const ProfileData *profile) { return profile->isDefault; });
        return marked == profiles.end() ? nullptr : *marked;
    }
    ProfileData *first = matches.first();
    if (matches.size() == 1)
        return first;
    // Linked to several: the choice remembered for the application decides,
    // and the first match is remembered the first time.
    LastSelectedEntry entry{appId, first->index, first->subIndex};
    model.lastSelected(entry);
    if (hasPair(first, entry.profileIndex, entry.value))
        return first;
    for (ProfileData *profile : profiles) {
        if (!profile->isGlobal() && hasPair(profile, entry.profileIndex, entry.value))
            return profile;
    }
    return first; // the remembered profile is gone
}

QList<ProfileData *> othersLinking(const QList<ProfileData *> &profiles, const ProfileData *current,
                                   const QString &appId)
{
    QList<ProfileData *> others;
    for (ProfileData *profile : profiles) {
        if (profile != current && profile->linkedAppPaths.contains(appId))
            others.append(profile);
    }
    return others;
}

void renumber(const QList<QList<ProfileData *>> &groups, ProfileRenumbering &renumbering)
{
    for (int i = 0; i < groups.size(); ++i) {
        const QList<ProfileData *> &group = groups.at(i);
        for (int j = 0; j < group.size(); ++j) {
            ProfileData *profile = group.at(j);
            const int subIndex = j == 0 ? noIndex : j - 1;
            renumbering.move(profile->index, profile->subIndex, i, subIndex);
            profile->index = quint8(i);
            profile->subIndex = quint8(subIndex);
        }
    }
}

} // namespace ProfileTree
