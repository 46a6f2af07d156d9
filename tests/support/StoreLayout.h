#pragma once
// The store's profiles in its own order, one "name index/subIndex" line each:
// what tests compare after the profiles were added, removed or reloaded.

#include "PackageCreator.h"
#include "ProfileData.h"

#include <QList>
#include <QString>
#include <QStringList>

inline QStringList storeLayout()
{
    QStringList pairs;
    const QList<ProfileData *> list = PackageCreator::instance()->profiles();
    for (const ProfileData *profile : list)
        pairs << QString("%1 %2/%3").arg(profile->name).arg(profile->index).arg(profile->subIndex);
    return pairs;
}
