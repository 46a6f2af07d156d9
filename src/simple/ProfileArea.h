#pragma once
// The simple view's profile bar. From left to right: the active profile box
// with its Manual / Auto switch, a row of profile tiles that scrolls sideways
// between two arrows, and the Create and Manage buttons. The row holds the
// Global profile (shown only with the setting "ShowGlobal"), every top-level
// profile and, after each, its sub-profiles, folded away until the parent's
// tile is unfolded.
//
// A left click on a tile shows that profile in the view (and, with
// "SetViewedAsActive", makes it active on the mouse); a right click opens the
// profile menu. Creating and changing a profile go through DlgProfile, the
// predefined profiles through ManageProfiles. The simple view calls refresh()
// when it is shown or activated and after its settings change, setModelKey()
// when a mouse connects, and reloads its picture on profileClicked().
//
// Tiles are deleted later, not at once: a refresh may come from inside a
// tile's own click or menu.
//
// The tiles are made when the bar is first polished, as its window first
// shows: those of the first screenful at once, the others a screenful a turn
// of the event loop; anything that reads or changes the row first makes
// those still waiting. A tile made late shows its profile as it is then,
// marked active and selected as the row's last marks said.

#include <QHash>
#include <QList>
#include <QPoint>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <memory>

class ActiveProfileBox;
class MouseFunctions;
class PackageCreator;
class ProfileButton;
class ProfileData;
class QPushButton;
class SimpleModel;
namespace Ui {
class ProfileArea;
}

class ProfileArea : public QWidget
{
    Q_OBJECT

public:
    explicit ProfileArea(QWidget *parent = nullptr);
    ~ProfileArea() override;

    void refresh();
    // Tiles, dialogs and menus made afterwards carry the key as "m".
    void setModelKey(const QString &key);
    QString modelKey() const { return m_modelKey; }

    // The tile of a profile; null when it has none.
    ProfileButton *tileOf(const ProfileData *profile);
    // The tiles in the row's order.
    QList<ProfileButton *> rowTiles();

signals:
    void profileClicked();

public slots:
    void createProfile();
    void managePredefinedProfiles();
    void setActiveProfile(ProfileData *profile);
    void setDefaultProfile(ProfileData *profile);
    void editProfile(ProfileData *profile);
    void deleteProfile(ProfileData *profile);
    void addSubProfile(ProfileData *parentProfile);
    void duplicateProfile(ProfileData *profile);
    void profileClick(ProfileData *profile);
    void toggleSubProfiles(ProfileButton *profileButton);
    void profileContextMenuRequested(ProfileData *profile, QPoint pos);
    void scrollLeft();
    void scrollRight();

protected:
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    struct Tile
    {
        QPointer<ProfileData> profile; // null once the profile is gone
        ProfileData *key;              // for comparing only
        ProfileButton *button;
    };

    // The tiles of profiles in row order (after the Global tile, made anew,
    // when withGlobal).
    void createProfileButtons(QList<ProfileData *> profiles, bool withGlobal = true);
    // The tiles of the profiles as the bar's start makes them: the first
    // groups (a top-level profile and its sub-profiles) now, and the others
    // waiting when groups is not negative.
    void makeTiles(int groups);
    // The tiles still waiting: all, or the first groups when groups is not
    // negative (the others a turn later).
    void makeWaitingTiles(int groups = -1);
    // The first groups of profiles in row order, taken off the list; all
    // when groups is negative.
    static QList<ProfileData *> takeGroups(QList<ProfileData *> *profiles, int groups);
    void makeAllTiles();
    // Tiles from the one at from on, folded and marked as the bar's start
    // leaves them.
    void markStartTiles(int from);
    // The tile of a profile already made; null when it has none yet.
    ProfileButton *madeTileOf(const ProfileData *profile) const;
    QList<ProfileButton *> madeRow() const;
    ProfileButton *createProfileButton(ProfileData *profile, const QHash<QString, QString> &predefined);
    void rebuildProfileButtons();
    void removeTile(int at);
    QList<ProfileData *> rowProfiles() const;
    void onActiveProfileChanged();
    void onAutoSwitchingChanged();
    void markCurrentProfile();
    void updateScrollArea();
    void updateScrollButtons();
    // Create and Add Sub-Profile: the dialog, then the new profile (a
    // sub-profile of parent when given) with its links and logo. Null when
    // cancelled or no profile could be added.
    ProfileData *createFromDialog(ProfileData *parent);
    // Uploads to a connected mouse when the profiles fit, then writes the
    // file; a failed upload is told and leaves Save available.
    void saveToMouseAndFile();
    void setScrollValue(int value);

    std::unique_ptr<Ui::ProfileArea> ui;
    PackageCreator *m_store;
    SimpleModel *m_model;
    MouseFunctions *m_device;
    ActiveProfileBox *m_box;
    QPushButton *m_create;
    QPushButton *m_manage;
    QList<Tile> m_tiles;
    // Whether the tiles were made; then the profiles whose tiles still wait,
    // in row order, and the profiles the row last marked active and selected.
    bool m_tilesMade = false;
    QList<QPointer<ProfileData>> m_waiting;
    int m_screenful = -1;
    QPointer<ProfileData> m_markedActive;
    QPointer<ProfileData> m_markedSelected;
    QString m_modelKey;
    bool m_showGlobal;
    bool m_setViewedAsActive;
    bool m_setActiveAsViewed;
};
