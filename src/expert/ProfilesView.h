#pragma once

#include "ProfileRenumbering.h"

#include <QFontMetrics>
#include <QList>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QVector>
#include <QWidget>

#include <memory>

namespace Ui {
class ProfilesView;
}
class PackageCreator;
class MenuList;
class Profile;
class ProfileData;
class QColor;
class QLabel;
class TreeHeaderItem;

// The expert view's owner of every profile page: one for the global profile
// and one per profile and sub-profile, grouped as the tree (each group a
// top-level profile followed by its sub-profiles). It shows one page (the
// current profile), knows the page active on the mouse and the default one,
// draws the header above the page and publishes the active-profile list for
// the window's selector and tray. It also switches the active profile for
// the foreground application, for requests on the local socket and for the
// selector's entries.
//
// The records live in the store (PackageCreator); which one is active,
// current and default is also recorded there and in SimpleModel.
class ProfilesView : public QWidget
{
    Q_OBJECT

public:
    explicit ProfilesView(QWidget *parent = nullptr);
    ~ProfilesView() override;

    struct Found
    {
        int position = 0;
        Profile *page = nullptr;
    };

    // The pages again, after a configuration was loaded.
    void build();
    // The pages follow the store's list, keeping those whose record is
    // still there.
    void syncWithProfiles();
    // Deletes every page of the tree (their records too with removeData).
    void clearProfiles(bool removeData);
    void clearGlobal();
    void resetGlobal();
    void reloadProfiles(bool withGlobal);
    void reloadGlobal();

    // 255/255 is the global page at 1; the tree's pages count from 2.
    Found findProfile(int index, int subIndex) const;
    int profilePosition(int index, int subIndex) const;
    void defaultProfileIndex(int *index, int *subIndex) const;
    int setActiveByIndex(int index, int subIndex, bool send);
    // Entry 0 of the active-profile list switches automatically; any other
    // entry turns that off and activates its profile.
    void activateListEntry(int entry);
    void setActive(Profile *profile, bool send);

    void showAllMappings();
    void showButtonMappings(int buttonId);
    void showSettings();
    void showTiltForwardBack();
    void showTiltLeftRight();
    void refreshCurrentPages();
    void emitLogoColor();

    // Gives every page the pair of its place in the tree after a deletion;
    // deleted holds the pairs of the profiles deleted. Go-to-profile outputs
    // and remembered choices follow the moves.
    void renumberProfiles(ProfileRenumbering deleted = ProfileRenumbering());
    void updateActiveProfilesList();

    Profile *globalPage() const { return m_global; }
    Profile *currentPage() const { return m_current; }
    Profile *activePage() const { return m_active; }
    Profile *defaultPage() const { return m_default; }
    // The tree's pages in order, without the global page.
    QList<Profile *> pages() const;
    QList<QList<Profile *>> tree() const { return m_tree; }
    // The context menu for the current page's kind (global, top-level or
    // sub-profile), made on first use and kept.
    MenuList *profileMenu();
    // The names of the tree's groups: each top-level profile's name, then its
    // sub-profiles'.
    QList<QStringList> groupNames() const;
    // The last active-profile list, without its first entry.
    QStringList activeProfileNames() const { return m_activeNames; }

signals:
    void activeProfilesChanged(const QStringList &profiles, int activeIndex);
    void activeProfileChange(const QString &name, bool forced = false);
    // The menu's "Set as active profile on mouse": the entry of the
    // active-profile list (the page's position), since two sub-profiles of
    // different parents may share a name.
    void activeEntryChange(int entry, bool forced);
    void globalProfileActivated();
    void profileActivated(const QString &buttonName, const QString &shownName);
    void autoSwitched();
    void currentProfileChanged(const QString &buttonName, const QString &shownName);
    void pageUpdate();
    void addProfile(const QString &name, const QString &newName);
    void addParentProfile();
    void addSubProfile(const QString &name);
    void renameProfile(const QString &name, const QString &newName);
    void renameSubProfile(const QString &name, const QString &newName, const QString &parent);
    void deleteCurrentProfile(const QString &name, const QString &newName);
    void setLogoColor(bool isHue, const QColor &color);

public slots:
    void showMenu();
    // Runs entry item of the context menu that sent it.
    void menuHandler(int item);
    void setCurrentGlobal();
    void setCurrentParent(const QString &name);
    void setCurrentSub(const QString &name, const QString &parentName);
    void setCurrent(Profile *profile);
    void foregroundChange(const QString &appId);
    void profileChange(const QString &targetProfileName);
    void onProfileNameChanged();
    void onAutoSwitchingChanged();
    void checkDefault(int state);
    void backToCurrentView();
    // Links an application the current page's link dialog chose: asks first
    // when exactly one other profile has it, and offers automatic switching
    // when it is off (once per dialog).
    void checkNewAppLink(const QString &appId, const QString &appName);
    // The tab strip added a profile: a top-level one without parentName.
    void createProfile(const QString &name, const QString &parentName);
    // After a load: that profile becomes active, current and the only default.
    void setInitialDefault(int index, int subIndex);
    // Around the start's load of the working file: the pages of the profiles
    // read are made without each becoming current in turn and announcing the
    // profile list, since the load's default profile takes over once all are
    // read. The end makes current the last page made if none became current
    // after it, and announces the list if a page came since it last did, as
    // making each page current would have left them.
    void beginFileLoad();
    void endFileLoad();

private:
    enum MenuKind { GlobalMenu, TopLevelMenu, SubProfileMenu, MenuKinds };
    enum MenuAction { SetActive, LinkApps, AddSub, Rename, Duplicate, Delete };
    MenuKind menuKind() const;
    // A name dialog for the current page: its name goes queued to handler.
    void askName(int mode, void (ProfilesView::*handler)(Profile *, const QString &));
    void renamePage(Profile *page, const QString &name);
    void duplicatePage(Profile *page, const QString &name);
    void deleteCurrent();
    int groupOf(const Profile *page) const;
    // The indent and name of a page as the active-profile list shows it.
    QString listText(const Profile *page) const;

    void attachProfile(Profile *profile);
    // The page a record's page hangs under: the global page for a top-level
    // record, else the top-level page of the last group with its index (null
    // when there is none).
    Profile *parentPageFor(const ProfileData *record) const;
    // Into the tree: a new group for a top-level page, else its parent's.
    void placePage(Profile *page);
    // A page for every record of the store in its order, reusing the kept
    // pages whose parent is still theirs; then the pages to show, make
    // active and default follow the store.
    void fillTree(QList<Profile *> kept);
    // Current, active and default point at the global page, so that no page
    // about to go stays referenced.
    void pointAtGlobal();
    void deletePage(Profile *page, bool removeData);
    Profile *pageOf(const ProfileData *record) const;
    QList<ProfileData *> records() const;
    void setLabelText(QLabel *label, const QString &text);
    void setPageName(const QString &text, bool defaultBoxShown);
    void showHeaderTree(const QStringList &list);
    void clearHeaderTree();
    void showDefaultBox();

    std::unique_ptr<Ui::ProfilesView> ui;
    PackageCreator *m_model;
    QFontMetrics m_metrics;
    Profile *m_global;
    QList<QList<Profile *>> m_tree;
    Profile *m_current;
    Profile *m_active;
    Profile *m_default;
    QVector<TreeHeaderItem *> m_breadcrumbs;
    bool m_duplicatePending = false;
    MenuList *m_menus[MenuKinds] = {};
    QStringList m_activeNames;
    // The link dialog during which automatic switching was offered.
    QPointer<QWidget> m_offeredDuring;
    // Within beginFileLoad() and endFileLoad(): the last page made that did
    // not become current (null once a page did), and whether the profile
    // list changed since it was last announced.
    bool m_fileLoad = false;
    QPointer<Profile> m_madeNotCurrent;
    bool m_listChanged = false;
};
