#include "ProfileDialogRules.h"

#include "ProfileData.h"

namespace ProfileDialogRules {

bool nameTaken(const QString &name, const QList<ProfileData *> &profiles, const ProfileData *except)
{
    for (const ProfileData *profile : profiles) {
        if (profile != except && profile->name == name)
            return true;
    }
    return false;
}

LinkOwners linkOwners(const QString &id, const QList<ProfileData *> &profiles, const ProfileData *except)
{
    LinkOwners owners;
    for (ProfileData *profile : profiles) {
        if (profile == except)
            continue;
        const int at = profile->linkedAppPaths.indexOf(id);
        if (at < 0)
            continue;
        ++owners.count;
        owners.last = profile;
        owners.storedName = profile->linkedAppNames.value(at);
    }
    return owners;
}

} // namespace ProfileDialogRules
