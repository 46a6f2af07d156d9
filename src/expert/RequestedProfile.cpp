#include "RequestedProfile.h"

#include "ProfileData.h"
#include "SimpleModel.h"

#include <QDebug>

namespace RequestedProfile {

ProfileData *find(const SimpleModel &model, const QString &name)
{
    if (name.isEmpty())
        return nullptr;
    // The store keeps each profile followed by its sub-profiles: tree order.
    const QList<ProfileData *> profiles = model.userProfiles();
    for (ProfileData *profile : profiles) {
        if (profile->name == name)
            return profile;
    }
    if (name != QLatin1String("Global") && name != QLatin1String("Global Defaults"))
        return nullptr;
    ProfileData *first = model.profiles().value(0);
    return first && first->isGlobal() ? first : nullptr;
}

bool switchTo(SimpleModel &model, const QString &name)
{
    if (name.isEmpty())
        return false;
    ProfileData *profile = find(model, name);
    if (!profile) {
        qDebug().noquote() << "R7API:" << name << "not found.";
        return false;
    }
    qDebug().noquote() << "R7API: Switching to" << name << "profile.";
    model.setActiveProfile(profile, true);
    return true;
}

} // namespace RequestedProfile
