#pragma once
// The one place where both views create, duplicate, delete and rename
// profiles and choose the active, current and default profile and automatic
// switching. It works on the model store (PackageCreator), keeps each
// profile's user folder (Predefined::userProfilePath) in step, tells a
// connected mouse about a new active profile and announces every change, so
// that both views follow whichever of them made it.
//
// A profile that is not one of profiles() (or null) is refused with a
// warning and changes nothing.

#include <QList>
#include <QObject>
#include <QString>

class PackageCreator;
class ProfileData;

class SimpleModel : public QObject
{
    Q_OBJECT

public:
    static SimpleModel *instance();
    explicit SimpleModel(PackageCreator *model = nullptr, QObject *parent = nullptr);
    ~SimpleModel() override;

    // The global profile first, then the store's list in order.
    QList<ProfileData *> profiles() const;
    // The store's list, without the global profile.
    QList<ProfileData *> userProfiles() const;
    ProfileData *activeProfile() const;
    // The first of profiles() marked default; null (with a warning) when none is.
    ProfileData *defaultProfile() const;
    bool autoSwitching() const;

    // A new top-level profile after the last one, or, when source is a
    // sub-profile, a new sub-profile after the last one of source's parent;
    // with a source, its mappings (and its settings and profile outputs when
    // it has its own) are copied. The new profile is the store's current one
    // (without currentProfileChanged). Null, with a warning, when no index is
    // left: 255 would make it the global profile.
    ProfileData *addProfile(const QString &name, ProfileData *source = nullptr);
    // A new sub-profile after parent's last one; nothing copied. Null, with a
    // warning, when parent is not a top-level profile or no sub-index is left.
    ProfileData *addSubProfile(const QString &name, ProfileData *parent);
    // Deletes the profile (a top-level one with its sub-profiles) and the
    // user folders no remaining profile shares; the later profiles close the
    // gap, and what aimed at the moved or deleted profiles follows
    // (ProfileRenumbering). The default, active and current profile move to
    // another profile first when they are among the deleted ones.
    void deleteProfile(ProfileData *profile);
    // Makes the global profile active (sent to the mouse), current and
    // default, then deletes every other profile with its user folder.
    void deleteAllProfiles();

    // sendToMouse: a connected mouse switches to the profile as well.
    void setActiveProfile(ProfileData *profile, bool sendToMouse);
    // Emits currentProfileChanged also when the profile is current already.
    void setCurrentProfile(ProfileData *profile);
    void setDefaultProfile(ProfileData *profile);
    void setAutoSwitching(bool on);
    // Renames the profile and its user folder; an existing folder of the new
    // name that no other profile uses gives way.
    void setProfileName(ProfileData *profile, const QString &name);

signals:
    void activeProfileChanged();
    void currentProfileChanged();
    void defaultProfileChanged();
    void profilesListChanged();
    void profileNameChanged(ProfileData *profile);
    void autoSwitchingChanged();

private:
    bool holds(const ProfileData *profile) const;
    ProfileData *firstDefault() const;
    // Whether a profile of profiles() other than those in except has a name
    // whose user folder is folder on disk.
    bool folderInUse(const QString &folder, const QList<ProfileData *> &except) const;
    void removeUserFolder(const ProfileData *profile, const QList<ProfileData *> &removed) const;

    PackageCreator *m_model;
};
