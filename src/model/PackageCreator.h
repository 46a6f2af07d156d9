#pragma once

#include "InputMapActionConfig.h"
#include "LastSelectedEntry.h"
#include "OutputActionConfig.h"
#include "OutputEditTarget.h"
#include "PackageEncoder.h"
#include "ProfileData.h"
#include "SettingsRecord.h"

#include <QByteArray>
#include <QColor>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

// The one owner of the model: the global profile, the ordered list of all
// other profiles, the profile being edited (current) and the one the mouse is
// to use (active), the automatic-switching flag, the profile last chosen per
// application and the target of the output-sequence editor.
//
// Every edit emits updateMemoryUsed() unless `loading` is set; the views then
// recompute how much of the mouse's memory the package would fill.
//
// Automatic switching needs the foreground detector, which lives above this
// library: setAutoSwitching() emits autoSwitchingChanged(on), and the
// application connects it to the detector's start (on) and stop (off).
class PackageCreator : public QObject
{
    Q_OBJECT

public:
    static PackageCreator *instance();
    ~PackageCreator() override;

    // Destroys every profile and puts the store back to its state at creation
    // (loading set, nothing current or active). Emits nothing; meant for tests.
    void reset();

    // While set, edits emit no updateMemoryUsed(). Set at creation; bulk
    // changes set it for their duration.
    bool loading = true;

    // --- Profiles
    // A new profile with default settings; 255/255 becomes the global profile
    // (replacing the previous one), any other pair joins the sorted list. The
    // new profile becomes current. No signal.
    ProfileData *addProfile(int index, int subIndex, const QString &name);
    // Takes a profile of the list out and destroys it. A current or active
    // pointer to it falls back to the global profile. Emits.
    void removeProfile(ProfileData *profile);
    // The sorted list, without the global profile: by index, each top-level
    // profile directly followed by its sub-profiles in sub-index order.
    QList<ProfileData *> profiles() const;
    ProfileData *globalProfile() const { return m_global.get(); }
    ProfileData *currentProfile() const { return m_current; }
    // Ignores (with a warning) a profile the store does not own. No signal.
    void setCurrentProfile(ProfileData *profile);
    ProfileData *activeProfile() const { return m_active; }
    void setActiveProfile(ProfileData *profile);
    // The active profile's pair; 255/255 when there is none.
    void activeProfileIndex(int *index, int *subIndex) const;
    // The global profile for a top-level profile; for a sub-profile the last
    // top-level profile of the list with its index; null otherwise.
    ProfileData *parentProfile(const ProfileData *profile) const;
    // The profiles with the same index and a sub-index other than 255, in order.
    QList<ProfileData *> subProfiles(const ProfileData *profile) const;
    ProfileData *lastSubProfile(const ProfileData *profile) const;
    // The last top-level profile, or the global profile when there is none.
    ProfileData *lastTopLevelProfile() const;
    void renameCurrentProfile(const QString &name);
    void linkedApps(QStringList *paths, QStringList *names) const;
    void setLinkedApps(const QStringList &paths, const QStringList &names);
    // Looks at the first profile of the list with that pair only: true when
    // one of its linked paths contains app (case-sensitive).
    bool profileHasLinkedApp(const QString &app, int index, int subIndex) const;

    // --- Settings
    bool currentHasOwnSettings() const;
    QList<SettingsRecord *> currentSettingsRecords() const;
    // Copies the record into the current profile's record of the same tag
    // (other tags change nothing). An inconsistent DPI record is stored as a
    // single level of 1500. Emits.
    void setSettingsRecord(const SettingsRecord &record);
    // Gives the current profile its own settings or takes them away. With own
    // and copyFromParent, the DPI, LED and OLED records and copies of the
    // profile outputs come from the parent top-level profile when the current
    // profile is a sub-profile of one with own settings, otherwise from the
    // global profile. Emits.
    void setOwnSettings(bool own, bool copyFromParent);
    OutputList profileOutputs() const;
    void setProfileOutputs(const OutputList &outputs);
    bool currentBacklight(bool *cycling, QColor *colour) const;

    // --- Mappings
    InputMapList currentInputMaps() const;
    void setInputMaps(const InputMapList &maps);
    // Whether mapping lies in the current profile's mapping tree, or with
    // under, below that mapping.
    bool containsInputMap(const InputMapActionConfig *mapping, const InputMapActionConfig *under = nullptr) const;
    // Copy-on-write of an inherited mapping: deep-copies the whole tree that
    // holds mapping, from its top-level root, appends the copy to the current
    // profile's mappings and returns the copy of mapping itself (found by its
    // path of positions from the root). No signal.
    InputMapPtr copyIntoCurrentProfile(InputMapActionConfig *mapping);

    // --- Output-sequence editor
    // The editor works on this activation (press) list of this mapping. The
    // list must stay alive while it is edited; when it belongs to a mapping
    // held by a shared pointer, the store notices when that mapping is gone,
    // and an edit of a profile's outputs or of a mapping in its tree ends
    // when the store destroys that profile.
    void editActivationOutputs(OutputList *list, InputMapActionConfig *mapping);
    void editDeactivationOutputs(OutputList *list, InputMapActionConfig *mapping);
    bool editingActivation() const { return m_editingActivation; }
    OutputList editedActivationOutputs() const;
    OutputList editedDeactivationOutputs() const;
    // The edited mapping's name when the edited activation list is its own.
    QString editedMappingName() const;
    void setEditedMappingName(const QString &name);
    // Replaces the contents of the edited activation list (renaming the
    // mapping as above) or of the edited deactivation list. Emits.
    void setEditedOutputs(const OutputList &outputs, bool activation, const QString &name);

    // --- Switching and applications
    bool autoSwitching() const { return m_autoSwitching; }
    // Stores the flag and emits autoSwitchingChanged(on) on every call.
    void setAutoSwitching(bool on);
    // Known path: copies its profile index and value into entry; otherwise
    // appends entry.
    void lastSelected(LastSelectedEntry &entry);
    // Stores entry's pair for its path when it differs; true when it did.
    bool updateLastSelected(const LastSelectedEntry &entry);
    QList<LastSelectedEntry> lastSelectedList() const { return m_lastSelected; }
    // Replaces the whole list (profiles renumbered or deleted). No signal.
    void setLastSelectedList(const QList<LastSelectedEntry> &entries) { m_lastSelected = entries; }

    // --- Package
    // The store's profiles encoded by PackageEncoder (whose comment tells
    // the format and its limits): the global profile, the list in order, and
    // a start-up item naming the active profile. Reads the profiles only;
    // the current profile plays no part.
    QByteArray package(QString *error = nullptr) { return encoder().package(error); }
    // The first problem found by the encoder since package() was last called;
    // empty when there was none.
    QString packageError() const { return m_encoder.error(); }

    // The pieces of the package for the current profile, as PackageEncoder
    // gives them.
    QByteArray encodeProfile() { return encoder().encodeProfile(m_current); }
    QByteArray encodeProfileHeader() { return encoder().encodeProfileHeader(m_current); }
    QByteArray encodeStartupJump() { return encoder().encodeStartupJump(); }
    QByteArray encodeSettings() { return encoder().encodeSettings(m_current); }
    QByteArray encodeSettingsRecord(int tag) { return encoder().encodeSettingsRecord(m_current, tag); }
    QByteArray encodeProfileOutputs() { return encoder().encodeProfileOutputs(m_current); }
    QByteArray encodeInputMaps() { return encoder().encodeInputMaps(m_current); }
    QByteArray encodeChildInputMaps(const InputMapActionConfig *mapping, int parentIndex)
    {
        return encoder().encodeChildInputMaps(mapping, parentIndex);
    }
    QByteArray encodeInputMap(const InputMapActionConfig *mapping, int parentIndex)
    {
        return encoder().encodeInputMap(mapping, parentIndex);
    }
    QByteArray encodeOutput(const OutputActionConfig *output) { return encoder().encodeOutput(output); }

    // A profile's item list and a mapping's item index in it, as
    // PackageEncoder counts them. Without a profile: the current one.
    QList<InputMapActionConfig *> packageItems() const { return packageItems(m_current); }
    QList<InputMapActionConfig *> packageItems(const ProfileData *profile) const
    {
        return encoder().packageItems(profile);
    }
    int itemIndex(const InputMapActionConfig *mapping, const ProfileData *profile = nullptr) const
    {
        return encoder().itemIndex(mapping, profile ? profile : m_current);
    }
    // The size of the item list of the profile encoded last.
    quint8 itemCount() const { return m_encoder.itemCount(); }

signals:
    void updateMemoryUsed();
    void autoSwitchingChanged(bool on);

private:
    PackageCreator();

    void emitChanged();
    void sortProfiles();
    bool owns(const ProfileData *profile) const;
    // The encoder, given the store's profiles as they are now.
    PackageEncoder &encoder() const;
    // Ends an edit of profile's outputs or of a list of a mapping in its
    // tree; called before the profile is destroyed.
    void forgetEditsOf(const ProfileData *profile);
    InputMapActionConfig *editedMapping() const;

    std::unique_ptr<ProfileData> m_global;
    std::vector<std::unique_ptr<ProfileData>> m_profiles;
    ProfileData *m_current = nullptr;
    ProfileData *m_active = nullptr;
    bool m_autoSwitching = false;
    bool m_editingActivation = true;
    QList<LastSelectedEntry> m_lastSelected;
    OutputEditTarget m_activationTarget;
    OutputEditTarget m_deactivationTarget;
    // Holds no profiles of its own, only pointers refreshed before each use.
    mutable PackageEncoder m_encoder;
};
