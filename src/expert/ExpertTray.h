#pragma once
// The expert window's tray icon and its menu: "Open" (the default action)
// and "Quit". A click or double click on the icon, or "Open", asks for the
// active view; "Quit" ends the event loop. The menu is a child of the window,
// so the window's menu rules style it.
//
// Where the desktop offers no tray (neither a status notifier host nor a
// tray area), the icon cannot show; that is logged once per run, and the
// window is reached by starting the program again.

#include <QObject>
#include <QSystemTrayIcon>

class QAction;
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

signals:
    void openRequested();

private:
    void activated(QSystemTrayIcon::ActivationReason reason);

    QSystemTrayIcon *m_icon;
    QMenu *m_menu;
    QAction *m_open;
    QAction *m_quit;
};
