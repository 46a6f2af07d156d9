#pragma once

#include "InputMapActionConfig.h"
#include "LastSelectedEntry.h"
#include "OutputActionConfig.h"
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

    // --- Package
    // The device configuration package: the global profile's block, then one
    // block per profile in list order. Range values are 12 bits wide: higher
    // bits are dropped (logged once per package). Lengths and counts are
    // single bytes; when one does not fit, an output entry is null or there
    // is no global profile, nothing is cut: the result is empty, error (when
    // given) and packageError() say why, and a warning is logged.
    // The current profile is the same before and after.
    QByteArray package(QString *error = nullptr);
    // The first problem found by the encoder since package() was last called;
    // empty when there was none.
    QString packageError() const { return m_packageError; }

    // The pieces of the package, each returning whole items (kind, length,
    // body) and all working on the current profile. A piece that cannot be
    // framed returns nothing and records the problem in packageError().
    QByteArray encodeProfile();
    QByteArray encodeProfileHeader();
    QByteArray encodeStartupJump();
    QByteArray encodeSettings();
    QByteArray encodeSettingsRecord(int tag);
    QByteArray encodeProfileOutputs();
    QByteArray encodeInputMaps();
    QByteArray encodeChildInputMaps(const InputMapActionConfig *mapping, int parentIndex);
    // The mapping's input item (parentIndex -1 for a top-level mapping)
    // followed by the items of its activation and deactivation outputs.
    QByteArray encodeInputMap(const InputMapActionConfig *mapping, int parentIndex);
    QByteArray encodeOutput(const OutputActionConfig *output);

    // A profile's item list as the package counts it: one null place per
    // built-in item (the global profile's start-up event and pointer mapping,
    // and the settings event of any profile that has one), then every
    // mapping depth-first. A mapping's position in it is its item index.
    // Without an argument: the current profile.
    QList<InputMapActionConfig *> packageItems() const;
    QList<InputMapActionConfig *> packageItems(const ProfileData *profile) const;
    // The item index of a mapping in a profile (default: the current one), or
    // -1 when it is not in that profile's item list.
    int itemIndex(const InputMapActionConfig *mapping, const ProfileData *profile = nullptr) const;
    // The size of the item list of the profile encoded last.
    quint8 itemCount() const { return m_itemCount; }

signals:
    void updateMemoryUsed();
    void autoSwitchingChanged(bool on);

private:
    // Own settings records or profile outputs to announce.
    static bool hasSettingsEvent(const ProfileData *profile);
    PackageCreator();

    void emitChanged();
    void sortProfiles();
    void encodeFailure(const QString &problem);
    QByteArray item(char kind, const QByteArray &body);
    QByteArray rangePair(quint16 a, quint16 b);
    int childProfileCount(const ProfileData *profile) const;
    bool owns(const ProfileData *profile) const;
    // One list the output editor works on, and the mapping it belongs to.
    // When that mapping was held by a shared pointer at the time, its
    // destruction is noticed and the list is no longer touched.
    struct EditTarget
    {
        OutputList *list = nullptr;
        InputMapActionConfig *mapping = nullptr;
        std::weak_ptr<InputMapActionConfig> owner;
        bool tracked = false;
        bool gone() const { return tracked && owner.expired(); }
    };
    static EditTarget makeTarget(OutputList *list, InputMapActionConfig *mapping);
    // Ends an edit of profile's outputs or of a list of a mapping in its
    // tree; called before the profile is destroyed.
    void forgetEditsOf(const ProfileData *profile);
    OutputList *liveList(const EditTarget &target) const;
    InputMapActionConfig *editedMapping() const;

    std::unique_ptr<ProfileData> m_global;
    std::vector<std::unique_ptr<ProfileData>> m_profiles;
    ProfileData *m_current = nullptr;
    ProfileData *m_active = nullptr;
    bool m_autoSwitching = false;
    bool m_editingActivation = true;
    QList<LastSelectedEntry> m_lastSelected;
    EditTarget m_activationTarget;
    EditTarget m_deactivationTarget;
    int m_itemIndex = 0;
    quint8 m_itemCount = 0;
    QString m_packageError;
    bool m_rangeCutLogged = false;
};
