#include "ExpertTray.h"

#include "DisplayText.h"

#include <QAction>
#include <QActionGroup>
#include <QCoreApplication>
#include <QCursor>
#include <QDebug>
#include <QIcon>
#include <QMenu>
#include <QWidget>

ExpertTray::ExpertTray(QWidget *window)
    : QObject(window)
    , m_icon(new QSystemTrayIcon(QIcon(QStringLiteral(":/ico/AppIcon_128.png")), window))
    , m_menu(new QMenu(window))
    // Owned here rather than by the menu: each rebuild clears the menu, which
    // deletes the actions it owns.
    , m_open(new QAction(tr("Open"), this))
    , m_quit(new QAction(tr("Quit"), this))
{
    connect(m_open, &QAction::triggered, this, &ExpertTray::openRequested);
    connect(m_quit, &QAction::triggered, qApp, &QCoreApplication::quit);
    connect(m_icon, &QSystemTrayIcon::activated, this, &ExpertTray::trayActivated);

    static bool told = false;
    if (!told && !QSystemTrayIcon::isSystemTrayAvailable()) {
        told = true;
        qWarning() << "ExpertView: the desktop has no tray; start the program again to open its window";
    }
    buildTrayMenu(QStringList(), -1);
}

ExpertTray::~ExpertTray() = default;

void ExpertTray::buildTrayMenu(const QStringList &profiles, int checkedIndex)
{
    // The rebuild may run from inside one of the old entries' triggered
    // signal (the choice changes the box, the box rebuilds the tray), so the
    // old entries live until control is back in the event loop.
    if (m_profiles) {
        m_profiles->disconnect(this);
        m_profiles->deleteLater();
    }
    m_profiles = new QActionGroup(this);
    m_profiles->setExclusive(true);
    for (int index = 0; index < profiles.size(); ++index) {
        QAction *action = m_profiles->addAction(DisplayText::forButton(profiles.at(index)));
        action->setCheckable(true);
        action->setChecked(index == checkedIndex);
    }
    connect(m_profiles, &QActionGroup::triggered, this, &ExpertTray::profileTriggered);

    m_menu->clear();
    m_menu->addAction(m_open);
    m_menu->setDefaultAction(m_open);
    m_menu->addSeparator();
    const QList<QAction *> entries = m_profiles->actions();
    for (int index = 0; index < entries.size(); ++index) {
        m_menu->addAction(entries.at(index));
        if (index == 0 && entries.size() > 1)
            m_menu->addSeparator();
    }
    if (!entries.isEmpty())
        m_menu->addSeparator();
    m_menu->addAction(m_quit);

    // The toolkit pops the context menu up itself on a right click where the
    // tray reports one.
    m_icon->setContextMenu(m_menu);
    m_icon->show();
}

void ExpertTray::checkProfile(int index)
{
    const QList<QAction *> entries = m_profiles->actions();
    if (index >= 0 && index < entries.size())
        entries.at(index)->setChecked(true);
}

int ExpertTray::profileActionCount() const
{
    return m_profiles->actions().size();
}

void ExpertTray::trayActivated(QSystemTrayIcon::ActivationReason reason)
{
    switch (reason) {
    case QSystemTrayIcon::Trigger:
    case QSystemTrayIcon::DoubleClick:
        emit openRequested();
        break;
    case QSystemTrayIcon::Context:
        // Some trays open the context menu themselves before reporting the
        // click; popping it up again would only move it.
        if (!m_menu->isVisible())
            m_menu->popup(QCursor::pos());
        break;
    default:
        break;
    }
}

void ExpertTray::profileTriggered(QAction *action)
{
    emit profileChosen(m_profiles->actions().indexOf(action));
}
