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
// tray area (looked for every two seconds during the first minute after the
// first look). Until then icon() is null; the menu is built all the same. A
// desktop without a tray is logged once per run; the window is then reached
// by starting the program again.
//
// The bus is never waited for: whether the watcher is there and has a host
// is asked without blocking and the icon comes with the answers, so a
// watcher that hangs holds neither the start nor the window. An X11 tray
// area there at the start is taken once the bus has answered too, since the
// toolkit asks the watcher itself, blocking, when it makes the run's first
// icon.

#include <QObject>
#include <QStringList>
#include <QSystemTrayIcon>

#include <functional>

class QAction;
class QActionGroup;
class QDBusMessage;
class QDBusPendingCall;
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
    // Starts watching the session bus for a status notifier host; false
    // without a session bus.
    bool watchBus();
    // Asks the bus whether the watcher is there and, when it is, whether a
    // host registered with it; the answers end the first look.
    void lookFirst();
    // The first look ended: the icon when a tray is there, else the wait for
    // one (or the icon anyway when nothing could bring one).
    void firstLookDone(bool hostThere);
    // Runs then with the reply (or the error) when it comes.
    void whenAnswered(const QDBusPendingCall &call, std::function<void(const QDBusMessage &)> then);
    void stopWatching();
    void lookForTrayArea();
    void trayCame();
    void makeIcon();
    void showIcon();

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
