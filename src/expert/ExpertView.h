#pragma once
// The expert-mode main window: the top bar with the main-menu button, the
// profile tab strip and the model's logo; the mouse picture between the four
// page buttons; the profile tree with the current profile's page; the bottom
// bar with "Simple Mode", the "Connect To Mouse" switch, the active-profile
// box, the memory bar, the version and update notice and "Save". It owns the
// tray icon and brings the profiles, the device link and the profile
// switching up in its constructor (ExpertStartup).
//
// The window only assembles and connects: the switch's rules are
// ConnectionSwitch's, what Save does is SaveSequence's, the profiles are the
// tree's and the strip's. While the switch is on every save uploads the
// profiles before it writes the file; while it is off only the file is
// written. Save is enabled exactly while there are edits not yet saved.

#include "ConnectionSwitch.h"
#include "SaveSequence.h"

#include <QList>
#include <QMainWindow>
#include <QPair>
#include <QPixmap>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

namespace Ui {
class MainWindow;
}
class AddProfile;
class ComboBox;
class ConfigFile;
class CurrentPage;
class ExpertStartup;
class ExpertTray;
class ExpertMainMenu;
class MainMenu;
class MouseFunctions;
class MouseImage;
class PackageCreator;
class ProfileScroller;
class ProfilesView;
class QPushButton;
class SWUpdate;
class SimpleModel;

class ExpertView : public QMainWindow
{
    Q_OBJECT

public:
    ExpertView(QWidget *parent, SWUpdate *update);
    ~ExpertView() override;

    ExpertTray *tray() const { return m_tray; }
    ExpertStartup *startup() const { return m_startup; }
    ProfilesView *profilesView() const { return m_tree; }
    ProfileScroller *profileScroller() const { return m_strip; }
    MouseImage *mouseImage() const { return m_mouseImage; }
    ComboBox *activeProfileBox() const { return m_activeBox; }
    // The main menu's actions, made when first needed.
    ExpertMainMenu *mainMenuActions();
    // Made when first asked for.
    AddProfile *addProfileDialog();
    const ConnectionSwitch &connectionSwitch() const { return m_switch; }
    // The tilt calibration is still to be offered ("HasDoneCalibration" was
    // false at start).
    bool calibrationPending() const { return m_calibrationPending; }
    // The last foreground application handled; at first this program's own.
    QString previousForegroundApp() const { return m_previousForeground; }

    // When the application ends: the switch back to off, telling no one.
    void resetConnectionToggle();
    // Shows the page CurrentPage names (rebuilding strip and tree first), then
    // the window.
    void restorePage();

signals:
    void toSimpleView();
    void emitShowActiveView();
    void hidden();

public slots:
    void activateView();
    void channelChanged(int channel);
    void swUpdateAvailable(bool isShown);
    void fwUpdateAvailable(bool isShown);
    void showMainMenu();
    void mainMenuHandler(int item);
    void foregroundChange(const QString &foregroundApp);
    void pageUpdate();
    void pageClick(bool checked);
    void setMapPage(int buttonId);
    void setSettingsProfileName(const QString &name);
    void autoActiveProfileChange(int index, int subIndex);
    void updateProfileChangeUi(int index, int subIndex);
    void updateProfileChange_FromMouseHid(int index, int subIndex);
    void manualActiveProfileChange(int index);
    // The tray's profile entry at position.
    void menusetActiveProfile(int position);
    void activeProfileChangeByApp();
    // The box's entry of that exact text; nothing when there is none.
    void setActiveProfile(const QString &name, bool forced);
    // The box's entry at position (the tree's position of a profile); with
    // forced, the entry shown already is activated again.
    void setActiveEntry(int position, bool forced);
    void setConnectionStatus(bool on);
    void autoConnectionStatus(bool connected);
    void manualConnectionStatus(int value);
    void recheckConnection(int value);
    void showUpdateWidget();
    void startUpdate();
    // After an edit: memory use, over-limit handling, Save enabled.
    void memoryBar();
    SaveSequence::Result saveButton();
    void simpleModeButton();
    void onProfileNameChanged();
    void onActiveProfileChanged();
    void disableUiBasedOnMouse();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    enum Look { Idle, Hover, Selected, Looks };

    void initSettings();
    void setupViews();
    void setupAddProfile();
    void setVersionText(const QString &suffix);
    void onActiveProfilesChanged(const QStringList &profiles, int activeIndex);
    void onProfilesListChanged();
    // The memory use without enabling Save: at start, on connect, after an
    // import.
    void showMemoryUse(bool afterEdit);
    // Carries out what the switch's rules decided.
    void apply(const ConnectionSwitch::Outcome &outcome, bool mayEnableSave = true);
    void showMessage(ConnectionSwitch::Message message, const QString &reason);
    bool switchShowsOn() const;
    // Strip and tree again from the store, under the loading flag; refresh
    // only redraws the tree's names.
    void rebuildProfiles(bool refreshOnly);
    // Clicks a page button and hands it a left press, for its selected look.
    void choosePage(QPushButton *button);
    void setLook(int button, Look look);
    int trayProfileCount() const;
    void checkTrayProfile(int index);
    int channel() const;

    std::unique_ptr<Ui::MainWindow> ui;
    SWUpdate *m_update;
    PackageCreator *m_model;
    MouseFunctions *m_device;
    ConfigFile *m_store;
    SimpleModel *m_shared;
    CurrentPage *m_page;

    QPixmap m_pixmaps[4][Looks];
    QList<QPushButton *> m_pageButtons;
    MouseImage *m_mouseImage = nullptr;
    ProfilesView *m_tree = nullptr;
    ProfileScroller *m_strip = nullptr;
    AddProfile *m_addProfile = nullptr;
    ComboBox *m_activeBox = nullptr;
    MainMenu *m_mainMenu = nullptr;
    ExpertMainMenu *m_menuActions = nullptr;
    ExpertTray *m_tray = nullptr;
    ExpertStartup *m_startup = nullptr;

    ConnectionSwitch m_switch;
    QString m_previousForeground;
    bool m_firmwareRequired = false;
    bool m_newVersion = false;
    bool m_calibrationPending = false;
    // While the start loads the profiles: the last active-profile list.
    bool m_listDeferred = false;
    std::optional<QPair<QStringList, int>> m_deferredList;
};
