#pragma once

#include <QColor>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>

class EmptyPage;
class LinkedApps;
class Mappings;
class PackageCreator;
class ProfileData;
class Settings;
class QVBoxLayout;

// The expert view's page of one profile (the global profile, a top-level
// profile or a sub-profile), bound to the store's record of its index pair,
// which it creates when there is none. It stacks the linked applications
// row, the empty page, the settings page and the mapping page, and shows for
// the part of the profile the user looks at either the profile's own content
// or the empty page that names whose content applies.
//
// The profile tree owns the pages; a page's record outlives it unless the
// tree removes it (removeData). Operations that store go to the store's
// current profile: the tree makes a page current before it shows it.
//
// The four child pages are made when first needed: when the page first
// shows, or an operation or the caller needs one. Until then the page is a
// cheap entry of the tree, and what it is asked to show is remembered and
// shown when it first is. A page made late is made as one made with the
// page would have been, under the model's loading flag, with its record
// current while it is made; only the page of a record it created outside a
// load is made at once, since making it then stores the settings' defaults.
class Profile : public QWidget
{
    Q_OBJECT

public:
    Profile(const QString &name, int index, int subIndex, Profile *parentProfile, QWidget *parent = nullptr);
    ~Profile() override;

    ProfileData *data() const;
    Profile *parentProfile() const { return m_parentProfile; }
    bool isGlobal() const { return !m_parentProfile; }
    QString name() const;
    // The parent page's name, or "Global" for the global profile's page.
    QString parentName() const;
    void indexPair(int *index, int *subIndex) const;
    void setIndexPair(int index, int subIndex);

    bool isDefault() const;
    // A change is a model edit, announced unless the model is loading.
    void setDefault(bool on);
    void makeActive(bool send);
    void makeCurrent();
    // Renames the store's current profile: the page must be current.
    void rename(const QString &name);
    void removeData();
    // Takes over other's settings and mappings (Duplicate).
    void copyFrom(const Profile *other);
    // Fills the page from its record again; the default profile becomes
    // active, without a command to the mouse.
    void reload();

    void reloadLinks();
    QStringList linkedAppIds() const;
    void linkApp(const QString &appId, const QString &appName);
    void unlinkApp(const QString &appId);
    void openLinkDialog();

    bool backlight(bool *cycling, QColor *colour) const;

    // No links, the settings page's defaults and no mappings; resetContents
    // is the same with the default mappings instead.
    void clearContents();
    void resetContents();
    void refreshRows();
    void redrawPages();

    void showAllMappings();
    void showButton(int buttonId, const QString &buttonName);
    void showTiltForwardBack();
    void showTiltLeftRight();
    void showSettings();

    // The child pages, made when asked for.
    LinkedApps *linkedApps() const;
    Settings *settings() const;
    Mappings *mappings() const;
    EmptyPage *emptyPage() const;
    // Whether any child page was made yet.
    bool isBuilt() const { return m_links || m_empty || m_settings || m_mappings; }

signals:
    void checkNewAppLink(const QString &appId, const QString &appName);
    void setHeaderTree(const QStringList &list);
    void backToCurrentView();

protected:
    void showEvent(QShowEvent *event) override;

private:
    // The mapping views; the one shown last is shown again whenever the
    // page's content changes.
    enum class MappingView { All, Button, TiltForwardBack, TiltLeftRight };

    // The child pages in their layout order.
    enum Slot { LinksSlot, SpacerSlot, EmptySlot, SettingsSlot, MappingsSlot };

    LinkedApps *links();
    EmptyPage *empty();
    Settings *settingsPage();
    // withCards false: the cards wait for the reload that the mapping view
    // about to show runs anyway.
    Mappings *mappingsPage(bool withCards = true);
    void place(QWidget *page, Slot slot);
    // The row or the empty page just made: shown or hidden as a page made
    // whole would show it now.
    void showWithPage(QWidget *page);
    // Whether a view asked for now may wait until the page first shows.
    bool waitsForShow() const;
    // Takes the view asked for (settings or mappings) as the one on screen;
    // false when it waits for the page to show.
    bool startShowing(bool settings);
    // The view last asked for, on the pages it needs.
    void showRequested();
    void showMappingView(MappingView view);
    void showCurrentView();
    // The page that shows one mapping view: the mapping page when the
    // profile owns mappings for it, else the empty page naming the profile
    // whose mappings apply.
    QWidget *mappingPageFor(MappingView view);
    void addSettings();
    void settingsRemoved();
    void addMappings();
    void mappingsRemoved();

    Profile *m_parentProfile;
    PackageCreator *m_model;
    // Null for the global profile's page, which follows the store's global
    // record (the store may replace it); null too once the record is gone.
    QPointer<ProfileData> m_data;
    QVBoxLayout *m_layout;
    LinkedApps *m_links = nullptr;
    EmptyPage *m_empty = nullptr;
    Settings *m_settings = nullptr;
    Mappings *m_mappings = nullptr;
    MappingView m_view = MappingView::All;
    // Whether the settings view is the one on screen.
    bool m_showingSettings = false;
    // A view was asked for while the page waited to show; shown when it does.
    bool m_viewPending = false;
    // A view was shown: it decided which child pages show.
    bool m_viewShown = false;
    // The linked applications row was asked to reload before it was made.
    bool m_linksRequested = false;
    // While the constructor makes the page of a record it created.
    bool m_storesDefaults = false;
    int m_buttonId = 0;
    QString m_buttonName;
};
