#include "ProfileListRules.h"

#include "ProfileNameRule.h"

namespace ProfileListRules {

QStringList namesToDifferFrom(const QList<QStringList> &groups, bool topLevel, const QString &parent)
{
    QStringList names;
    for (const QStringList &group : groups) {
        if (group.isEmpty())
            continue;
        if (topLevel) {
            names << group.first();
        } else if (group.first() == parent) {
            names = group.mid(1);
            break;
        }
    }
    return names;
}

QString addRefusal(const QString &name, const QList<QStringList> &groups, bool topLevel, const QString &parent)
{
    // The rename rule refuses taken names; it already checks blanks and length
    // in this order.
    return ProfileNameRule::refusal(name, ProfileNameRule::Rename, namesToDifferFrom(groups, topLevel, parent));
}

QString uniqueName(const QString &name, const QStringList &names)
{
    QString unique = name;
    while (names.contains(unique)) {
        if (!unique.endsWith(QLatin1Char('I')))
            unique += QLatin1Char(' ');
        unique += QLatin1Char('I');
    }
    return unique;
}

int defaultGroupAfterDeletion(int groupCount, int deleted, bool subProfile)
{
    if (subProfile)
        return 0;
    if (groupCount < 2)
        return -1;
    return deleted == 0 ? 1 : 0;
}

} // namespace ProfileListRules
