#include "ExpertTray.h"

#include <QAction>
#include <QCoreApplication>
#include <QDebug>
#include <QIcon>
#include <QMenu>
#include <QWidget>

ExpertTray::ExpertTray(QWidget *window)
    : QObject(window)
    , m_icon(new QSystemTrayIcon(QIcon(QStringLiteral(":/ico/AppIcon_128.png")), window))
    , m_menu(new QMenu(window))
{
    m_open = m_menu->addAction(tr("Open"));
    m_menu->setDefaultAction(m_open);
    m_menu->addSeparator();
    m_quit = m_menu->addAction(tr("Quit"));
    connect(m_open, &QAction::triggered, this, &ExpertTray::openRequested);
    connect(m_quit, &QAction::triggered, qApp, &QCoreApplication::quit);
    // The toolkit pops the context menu up itself on a right click.
    m_icon->setContextMenu(m_menu);
    connect(m_icon, &QSystemTrayIcon::activated, this, &ExpertTray::activated);

    static bool told = false;
    if (!told && !QSystemTrayIcon::isSystemTrayAvailable()) {
        told = true;
        qWarning() << "ExpertView: the desktop has no tray; start the program again to open its window";
    }
    m_icon->show();
}

ExpertTray::~ExpertTray() = default;

void ExpertTray::activated(QSystemTrayIcon::ActivationReason reason)
{
    if (reason == QSystemTrayIcon::Trigger || reason == QSystemTrayIcon::DoubleClick)
        emit openRequested();
}
