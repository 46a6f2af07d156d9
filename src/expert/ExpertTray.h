#pragma once
// The expert window's tray icon and its menu: "Open" (the default action),
// one checkable entry per active-profile choice and "Quit". A click or double
// click on the icon, or "Open", asks for the active view; a profile entry
// reports its position, which the window gives its active-profile box;
// "Quit" ends the event loop. The menu is a child of the window, so the
// window's menu rules style it.
//
// Where the desktop offers no tray (neither a status notifier host nor a
// tray area), the icon cannot show; that is logged once per run, and the
// window is reached by starting the program again. The menu is built all
// the same.

#include <QObject>
#include <QStringList>
#include <QSystemTrayIcon>

class QAction;
class QActionGroup;
class QMenu;
class QWidget;

class ExpertTray : public QObject
{
    Q_OBJECT

public:
    explicit ExpertTray(QWidget *window);
    ~ExpertTray() override;

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

private:
    void profileTriggered(QAction *action);

    QSystemTrayIcon *m_icon;
    QMenu *m_menu;
    QAction *m_open;
    QAction *m_quit;
    QActionGroup *m_profiles = nullptr;
};
