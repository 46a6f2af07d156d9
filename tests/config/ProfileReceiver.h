#pragma once

#include "ConfigFile.h"
#include "PackageCreator.h"
#include "ProfileData.h"

#include <QList>
#include <QPair>
#include <QStringList>

#include <algorithm>

// Stands in for the expert view's two receivers of a configuration read:
// an announced profile is created (under the named top-level profile when
// there is one, otherwise as a new top-level profile) and made current; the
// initial default profile is made current, active and the only default.
// Records what it was told.
class ProfileReceiver
{
public:
    explicit ProfileReceiver(ConfigFile *file = ConfigFile::instance())
    {
        m_profile = QObject::connect(file, &ConfigFile::profileFromFile,
                                     [this](const QString &name, const QString &parent) { addProfile(name, parent); });
        m_default = QObject::connect(file, &ConfigFile::setInitialDefault,
                                     [this](int index, int subIndex) { setInitialDefault(index, subIndex); });
    }
    ~ProfileReceiver()
    {
        QObject::disconnect(m_profile);
        QObject::disconnect(m_default);
    }
    ProfileReceiver(const ProfileReceiver &) = delete;
    ProfileReceiver &operator=(const ProfileReceiver &) = delete;

    QStringList announced; // "name/parent"
    QList<QPair<int, int>> initialDefaults;

private:
    void addProfile(const QString &name, const QString &parentName)
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
            return;
        }
        int index = 0;
        for (const ProfileData *profile : profiles)
            index = std::max(index, profile->index + 1);
        if (index < 255)
            model->addProfile(index, 255, name);
    }

    void setInitialDefault(int index, int subIndex)
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

    QMetaObject::Connection m_profile;
    QMetaObject::Connection m_default;
};
