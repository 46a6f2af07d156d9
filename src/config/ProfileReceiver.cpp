#include "ProfileReceiver.h"

#include "ConfigFile.h"
#include "PackageCreator.h"
#include "ProfileData.h"

#include <QDebug>

#include <algorithm>

ProfileReceiver::ProfileReceiver(ConfigFile *file, QObject *parent)
    : QObject(parent)
{
    ConfigFile *store = file ? file : ConfigFile::instance();
    connect(store, &ConfigFile::profileFromFile, this, &ProfileReceiver::addProfile);
    connect(store, &ConfigFile::setInitialDefault, this, &ProfileReceiver::setInitialDefault);
}

ProfileReceiver::~ProfileReceiver() = default;

void ProfileReceiver::addProfile(const QString &name, const QString &parentName)
{
    announced.append(name + QLatin1Char('/') + parentName);
    PackageCreator *model = PackageCreator::instance();
    const QList<ProfileData *> profiles = model->profiles();

    ProfileData *parent = nullptr;
    if (!parentName.isEmpty()) {
        for (auto it = profiles.crbegin(); it != profiles.crend(); ++it) {
            if ((*it)->subIndex == 255 && (*it)->name == parentName) {
                parent = *it;
                break;
            }
        }
    }
    if (parent) {
        int subIndex = 0;
        for (const ProfileData *sub : model->subProfiles(parent))
            subIndex = std::max(subIndex, sub->subIndex + 1);
        if (subIndex < 255)
            model->addProfile(parent->index, subIndex, name);
        else
            qWarning() << "ProfileReceiver: no sub-profile number left for" << name;
        return;
    }
    int index = 0;
    for (const ProfileData *profile : profiles)
        index = std::max(index, profile->index + 1);
    if (index < 255)
        model->addProfile(index, 255, name);
    else
        qWarning() << "ProfileReceiver: no profile number left for" << name;
}

void ProfileReceiver::setInitialDefault(int index, int subIndex)
{
    initialDefaults.append(qMakePair(index, subIndex));
    PackageCreator *model = PackageCreator::instance();
    QList<ProfileData *> all = model->profiles();
    all.prepend(model->globalProfile());
    ProfileData *found = nullptr;
    for (ProfileData *profile : qAsConst(all)) {
        if (profile && profile->index == index && profile->subIndex == subIndex) {
            found = profile;
            break;
        }
    }
    if (!found)
        return;
    model->setCurrentProfile(found);
    model->setActiveProfile(found);
    for (ProfileData *profile : qAsConst(all)) {
        if (profile)
            profile->isDefault = profile == found;
    }
}
