#pragma once

#include <QColor>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>

class EmptyPage;
class LinkedApps;
class PackageCreator;
class ProfileData;
class Settings;
class QVBoxLayout;

// The expert view's page of one profile (the global profile, a top-level
// profile or a sub-profile), bound to the store's record of its index pair,
// which it creates when there is none. It stacks the linked applications
// row, the empty page and the settings page, and shows for the part of the
// profile the user looks at either the profile's own content or the empty
// page that names whose content applies.
//
// The profile tree owns the pages; a page's record outlives it unless the
// tree removes it (removeData). Operations that store go to the store's
// current profile: the tree makes a page current before it shows it.
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

    // No links and the settings page's defaults; resetContents is the same
    // where the mapping page would create its default rows.
    void clearContents();
    void resetContents();
    void refreshRows();
    void redrawPages();

    void showAllMappings();
    void showButton(int buttonId, const QString &buttonName);
    void showTiltForwardBack();
    void showTiltLeftRight();
    void showSettings();

    LinkedApps *linkedApps() const { return m_links; }
    Settings *settings() const { return m_settings; }
    EmptyPage *emptyPage() const { return m_empty; }

signals:
    void checkNewAppLink(const QString &appId, const QString &appName);
    void setHeaderTree(const QStringList &list);
    void backToCurrentView();

private:
    // The mapping views; the one shown last is shown again whenever the
    // page's content changes.
    enum class MappingView { All, Button, TiltForwardBack, TiltLeftRight };

    ProfileData *findOrCreateRecord(const QString &name, int index, int subIndex);
    void showMappingView(MappingView view);
    void showCurrentView();
    // The page that shows one mapping view. The mapping list page is not
    // part of the program yet: every view gets the empty page, which names
    // the profile whose mappings apply.
    QWidget *mappingPageFor(MappingView view);
    void addSettings();
    void settingsRemoved();
    void addMappings();

    Profile *m_parentProfile;
    PackageCreator *m_model;
    // Null for the global profile's page, which follows the store's global
    // record (the store may replace it); null too once the record is gone.
    QPointer<ProfileData> m_data;
    QVBoxLayout *m_layout;
    LinkedApps *m_links;
    EmptyPage *m_empty;
    Settings *m_settings;
    MappingView m_view = MappingView::All;
    int m_buttonId = 0;
    QString m_buttonName;
};
