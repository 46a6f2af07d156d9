#include "SimpleModel.h"

#include "MouseFunctions.h"
#include "PackageCreator.h"
#include "Predefined.h"
#include "ProfileData.h"
#include "ProfileRenumbering.h"

#include <QDebug>
#include <QDir>
#include <QFileInfo>

namespace {

constexpr int noIndex = 255;
constexpr int lastIndex = 254; // 255 is no index: 255/255 is the global profile

} // namespace

SimpleModel *SimpleModel::instance()
{
    static SimpleModel model;
    return &model;
}

SimpleModel::SimpleModel(PackageCreator *model, QObject *parent)
    : QObject(parent)
    , m_model(model ? model : PackageCreator::instance())
{}

SimpleModel::~SimpleModel() = default;

QList<ProfileData *> SimpleModel::profiles() const
{
    QList<ProfileData *> list = m_model->profiles();
    if (ProfileData *global = m_model->globalProfile())
        list.prepend(global);
    return list;
}

QList<ProfileData *> SimpleModel::userProfiles() const
{
    return m_model->profiles();
}

ProfileData *SimpleModel::activeProfile() const
{
    return m_model->activeProfile();
}

ProfileData *SimpleModel::firstDefault() const
{
    const QList<ProfileData *> list = profiles();
    for (ProfileData *profile : list) {
        if (profile->isDefault)
            return profile;
    }
    return nullptr;
}

ProfileData *SimpleModel::defaultProfile() const
{
    ProfileData *profile = firstDefault();
    if (!profile)
        qWarning() << "Model: no default profile";
    return profile;
}

bool SimpleModel::autoSwitching() const
{
    return m_model->autoSwitching();
}

bool SimpleModel::holds(const ProfileData *profile) const
{
    return profile && profiles().contains(const_cast<ProfileData *>(profile));
}

// ---------------------------------------------------------------- adding

ProfileData *SimpleModel::addProfile(const QString &name, ProfileData *source)
{
    if (source && !holds(source)) {
        qWarning() << "Model: add - wrong profile";
        return nullptr;
    }
    int index = 0;
    int subIndex = noIndex;
    const bool asSubProfile = source && source->isSubProfile();
    if (asSubProfile) {
        index = source->index;
        subIndex = m_model->lastSubProfile(source)->subIndex + 1;
    } else {
        const ProfileData *last = m_model->lastTopLevelProfile();
        index = last && !last->isGlobal() ? last->index + 1 : 0;
    }
    if (index > lastIndex || (asSubProfile && subIndex > lastIndex)) {
        qWarning() << "Model: add - no profile number left for" << name;
        return nullptr;
    }
    ProfileData *profile = m_model->addProfile(index, subIndex, name);
    if (source)
        profile->copyFrom(*source);
    emit profilesListChanged();
    return profile;
}

ProfileData *SimpleModel::addSubProfile(const QString &name, ProfileData *parent)
{
    if (!holds(parent) || parent->isGlobal()) {
        qWarning() << "Model: add sub-profile - wrong profile";
        return nullptr;
    }
    const ProfileData *last = m_model->lastSubProfile(parent);
    const int subIndex = last ? last->subIndex + 1 : 0;
    if (subIndex > lastIndex) {
        qWarning() << "Model: add sub-profile - no profile number left for" << name;
        return nullptr;
    }
    ProfileData *profile = m_model->addProfile(parent->index, subIndex, name);
    emit profilesListChanged();
    return profile;
}

// ---------------------------------------------------------------- deleting

bool SimpleModel::folderInUse(const QString &folder, const QList<ProfileData *> &except) const
{
    const QList<ProfileData *> list = profiles();
    for (const ProfileData *profile : list) {
        if (!except.contains(const_cast<ProfileData *>(profile))
            && Predefined::sameFolder(Predefined::userProfilePath(profile->name), folder))
            return true;
    }
    return false;
}

void SimpleModel::removeUserFolder(const ProfileData *profile, const QList<ProfileData *> &removed) const
{
    // Profiles of the same name share a folder: it goes with the last of them.
    const QString folder = Predefined::userProfilePath(profile->name);
    if (folderInUse(folder, removed) || !QFileInfo::exists(folder))
        return;
    if (!QDir(folder).removeRecursively())
        qWarning() << "Model: could not remove the profile folder" << folder;
}

void SimpleModel::deleteProfile(ProfileData *profile)
{
    if (!holds(profile) || profile->isGlobal()) {
        qWarning() << "Model: delete - wrong profile";
        return;
    }
    // profile itself is gone once it is removed below.
    const int index = profile->index;
    const int subIndex = profile->subIndex;
    const bool topLevel = subIndex == noIndex;
    const QList<ProfileData *> list = m_model->profiles();
    QList<ProfileData *> removed;
    ProfileData *successor = nullptr;
    for (ProfileData *other : list) {
        if (other->index != index) {
            if (!successor)
                successor = other;
        } else if (topLevel || other->subIndex == subIndex) {
            removed.append(other);
        }
    }
    if (!successor)
        successor = m_model->globalProfile();

    // The default, active and current profile leave the profiles that go
    // (a top-level profile's sub-profiles among them) before they are gone.
    if (removed.contains(firstDefault()))
        setDefaultProfile(successor);
    if (removed.contains(m_model->activeProfile())) {
        ProfileData *next = firstDefault();
        setActiveProfile(next ? next : successor, true);
    }
    if (removed.contains(m_model->currentProfile())) {
        ProfileData *active = m_model->activeProfile();
        setCurrentProfile(active && !removed.contains(active) ? active : successor);
    }

    ProfileRenumbering renumbering;
    bool removedOne = false;
    for (ProfileData *other : list) {
        if (removed.contains(other)) {
            removeUserFolder(other, removed);
            renumbering.remove(other->index, other->subIndex);
            m_model->removeProfile(other);
            removedOne = true;
        } else if (removedOne && other->index == index) {
            renumbering.move(other->index, other->subIndex, other->index, other->subIndex - 1);
            --other->subIndex;
        } else if (removedOne && topLevel) {
            renumbering.move(other->index, other->subIndex, other->index - 1, other->subIndex);
            --other->index;
        }
    }
    renumbering.apply(m_model);
    emit profilesListChanged();
}

void SimpleModel::deleteAllProfiles()
{
    ProfileData *global = m_model->globalProfile();
    if (!global) {
        qWarning() << "Model: delete all - no global profile";
        return;
    }
    setActiveProfile(global, true);
    setCurrentProfile(global);
    setDefaultProfile(global);

    const QList<ProfileData *> list = m_model->profiles();
    ProfileRenumbering renumbering;
    for (ProfileData *profile : list) {
        removeUserFolder(profile, list);
        renumbering.remove(profile->index, profile->subIndex);
        m_model->removeProfile(profile);
    }
    renumbering.apply(m_model);
    emit profilesListChanged();
}

// ---------------------------------------------------------------- choosing

void SimpleModel::setActiveProfile(ProfileData *profile, bool sendToMouse)
{
    if (!holds(profile)) {
        qWarning() << "Model: active - wrong profile";
        return;
    }
    if (profile == m_model->activeProfile())
        return;
    m_model->setActiveProfile(profile);
    if (sendToMouse) {
        MouseFunctions *device = MouseFunctions::instance();
        if (device->waitState() != MouseFunctions::WaitDisconnected)
            device->switchToProfile(profile->index, profile->subIndex);
    }
    emit activeProfileChanged();
}

void SimpleModel::setCurrentProfile(ProfileData *profile)
{
    if (!holds(profile)) {
        qWarning() << "Model: current - wrong profile";
        return;
    }
    m_model->setCurrentProfile(profile);
    emit currentProfileChanged();
}

void SimpleModel::setDefaultProfile(ProfileData *profile)
{
    if (!holds(profile)) {
        qWarning() << "Model: default - wrong profile";
        return;
    }
    if (firstDefault() == profile)
        return;
    const QList<ProfileData *> list = profiles();
    for (ProfileData *other : list)
        other->isDefault = other == profile;
    emit defaultProfileChanged();
}

void SimpleModel::setAutoSwitching(bool on)
{
    if (m_model->autoSwitching() == on)
        return;
    m_model->setAutoSwitching(on);
    emit autoSwitchingChanged();
}

void SimpleModel::setProfileName(ProfileData *profile, const QString &name)
{
    if (!holds(profile)) {
        qWarning() << "Model: set name - wrong profile";
        return;
    }
    if (profile->name == name)
        return;
    const QString oldFolder = Predefined::userProfilePath(profile->name);
    const QString newFolder = Predefined::userProfilePath(name);
    const QList<ProfileData *> self{profile};
    // A folder another profile uses stays where it is: a profile taking the
    // name of another shares that one's folder, and one leaving a name that
    // another still has leaves the folder to it. A new name of the same
    // folder on disk keeps it as it is.
    if (!Predefined::sameFolder(oldFolder, newFolder) && !folderInUse(newFolder, self)) {
        if (QFileInfo::exists(newFolder) && !QDir(newFolder).removeRecursively())
            qWarning() << "Model: could not remove the profile folder" << newFolder;
        if (QFileInfo::exists(oldFolder) && !folderInUse(oldFolder, self)) {
            if (!QDir().rename(oldFolder, newFolder))
                qWarning() << "Model: could not rename the profile folder" << oldFolder << "to" << newFolder;
        } else if (!QDir().mkpath(newFolder)) {
            qWarning() << "Model: could not create the profile folder" << newFolder;
        }
    }
    profile->name = name;
    emit profileNameChanged(profile);
}
