#pragma once
// What Apply in the predefined profile manager does with the ticks: which
// existing profiles go and which predefined profiles are installed, each in
// name order (case-sensitive).

#include <QList>
#include <QMap>
#include <QStringList>

class ProfileData;

struct PredefinedPlan
{
    // The profile of each unticked name that exists (the last in list order
    // when several share the name).
    QList<ProfileData *> removals;
    // Each ticked name that no profile has.
    QStringList additions;

    // ticks: each row's name and whether it is ticked; existing: the
    // profiles without Global, in list order.
    static PredefinedPlan make(const QMap<QString, bool> &ticks, const QList<ProfileData *> &existing);
};
