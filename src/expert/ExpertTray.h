#pragma once
// The expert window's tray icon and its menu: "Open" (the default action),
// one checkable entry per active-profile choice and "Quit". A click or double
// click on the icon, or "Open", asks for the active view; a profile entry
// reports its position, which the window gives its active-profile box;
// "Quit" ends the event loop. The menu is a child of the window, so the
// window's menu rules style it.
//
// The desktop's tray may come after the program: a program started at login
// can be up before the panel. The toolkit decides once per run whether the
// tray is a status notifier host on the session bus, when the first icon is
// made, so on X11 and Wayland the icon is made only once a tray is there:
// a status notifier host (the watcher's name appearing on the session bus,
// or a host registering with it, both reported by the bus) or, on X11, a
// tray area (looked for every two seconds during the first minute). Until
// then icon() is null; the menu is built all the same. A desktop without a
// tray is logged once per run; the window is then reached by starting the
// program again.

#include <QObject>
#include <QStringList>
#include <QSystemTrayIcon>

class QAction;
class QActionGroup;
class QDBusServiceWatcher;
class QMenu;
class QTimer;
class QWidget;

class ExpertTray : public QObject
{
    Q_OBJECT

public:
    explicit ExpertTray(QWidget *window);
    ~ExpertTray() override;

    // Null while the desktop has no tray to show it in.
    QSystemTrayIcon *icon() const { return m_icon; }
    QMenu *menu() const { return m_menu; }
    QAction *openAction() const { return m_open; }
    QAction *quitAction() const { return m_quit; }

    // Refills the menu: "Open", the profile choices as the active-profile
    // box lists them (the first, "Auto Profile Switching", set apart), the
    // one at checkedIndex checked, then "Quit"; shows the icon.
    void buildTrayMenu(const QStringList &profiles, int checkedIndex);
    // Checks the profile entry at index; nothing when there is none.
    void checkProfile(int index);
    int profileActionCount() const;

    void trayActivated(QSystemTrayIcon::ActivationReason reason);

signals:
    void openRequested();
    // The position of the chosen profile entry; -1 when it is not one of
    // the current entries.
    void profileChosen(int position);

private slots:
    // The watcher's name appeared or a host registered: asks the watcher,
    // without waiting for it, whether a host is there.
    void askForHost();

private:
    void profileTriggered(QAction *action);
    // Whether the desktop has a tray now: a registered status notifier host
    // or, on X11, a tray area.
    bool trayIsThere() const;
    // Starts watching for a tray; false when nothing could bring one.
    bool watchForTray();
    void stopWatching();
    void lookForTrayArea();
    void trayCame();
    void makeIcon();

    QWidget *m_window;
    QSystemTrayIcon *m_icon = nullptr;
    QMenu *m_menu;
    QAction *m_open;
    QAction *m_quit;
    QActionGroup *m_profiles = nullptr;
    QDBusServiceWatcher *m_watcher = nullptr;
    bool m_hostSignal = false;
    QTimer *m_areaLook = nullptr;
    int m_areaLooks = 0;
};
