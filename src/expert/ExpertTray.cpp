#include "ExpertTray.h"

#include "DisplayText.h"
#include "X11TrayArea.h"

#include <QAction>
#include <QActionGroup>
#include <QCoreApplication>
#include <QCursor>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusServiceWatcher>
#include <QDBusVariant>
#include <QDebug>
#include <QGuiApplication>
#include <QIcon>
#include <QMenu>
#include <QTimer>
#include <QWidget>

namespace {

const QString watcherService = QStringLiteral("org.kde.StatusNotifierWatcher");
const QString watcherPath = QStringLiteral("/StatusNotifierWatcher");
const QString hostRegistered = QStringLiteral("StatusNotifierHostRegistered");

// An X11 tray area is looked for every two seconds during the first minute;
// the bus reports a status notifier host for as long as the program runs.
constexpr int areaLookInterval = 2000;
constexpr int areaLookCount = 30;

bool onX11()
{
    return QGuiApplication::platformName() == QLatin1String("xcb");
}

// The platforms whose tray the toolkit finds on the session bus (or, on
// X11, as a tray area), and so may find later than the program starts.
bool trayMayComeLater()
{
    const QString platform = QGuiApplication::platformName();
    return platform == QLatin1String("xcb") || platform.startsWith(QLatin1String("wayland"));
}

QDBusMessage hostQuestion()
{
    QDBusMessage question = QDBusMessage::createMethodCall(
        watcherService, watcherPath, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    question << watcherService << QStringLiteral("IsStatusNotifierHostRegistered");
    return question;
}

bool saysHostRegistered(const QDBusMessage &reply)
{
    return reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty()
           && qvariant_cast<QDBusVariant>(reply.arguments().constFirst()).variant().toBool();
}

} // namespace

ExpertTray::ExpertTray(QWidget *window)
    : QObject(window)
    , m_window(window)
    , m_menu(new QMenu(window))
    // Owned here rather than by the menu: each rebuild clears the menu, which
    // deletes the actions it owns.
    , m_open(new QAction(tr("Open"), this))
    , m_quit(new QAction(tr("Quit"), this))
{
    connect(m_open, &QAction::triggered, this, &ExpertTray::openRequested);
    connect(m_quit, &QAction::triggered, qApp, &QCoreApplication::quit);

    // Making the icon fixes the toolkit's choice of tray for the whole run,
    // so where a tray may come later it waits for one.
    const bool waiting = trayMayComeLater() && !trayIsThere() && watchForTray();
    if (!waiting)
        makeIcon();
    static bool told = false;
    if (!told && (waiting || !QSystemTrayIcon::isSystemTrayAvailable())) {
        told = true;
        if (waiting)
            qWarning() << "ExpertView: the desktop has no tray yet; the icon shows when one comes (start the program"
                          " again to open its window)";
        else
            qWarning() << "ExpertView: the desktop has no tray; start the program again to open its window";
    }
    buildTrayMenu(QStringList(), -1);
}

ExpertTray::~ExpertTray()
{
    stopWatching();
    // The toolkit's tray menu on the session bus frees its entry for an
    // action when the action leaves the menu, not with the menu. The menu,
    // a child of the window made after this, is deleted after this.
    m_menu->clear();
}

bool ExpertTray::trayIsThere() const
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (bus.isConnected()) {
        const QDBusConnectionInterface *names = bus.interface();
        if (names && names->isServiceRegistered(watcherService).value() && saysHostRegistered(bus.call(hostQuestion())))
            return true;
    }
    return onX11() && X11TrayArea::present();
}

bool ExpertTray::watchForTray()
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (bus.isConnected()) {
        m_watcher = new QDBusServiceWatcher(watcherService, bus, QDBusServiceWatcher::WatchForRegistration, this);
        connect(m_watcher, &QDBusServiceWatcher::serviceRegistered, this, &ExpertTray::askForHost);
        // A watcher that is up before any host says so when one registers.
        m_hostSignal =
            bus.connect(watcherService, watcherPath, watcherService, hostRegistered, this, SLOT(askForHost()));
        // In case the watcher came between the look above and the watch.
        askForHost();
    }
    if (onX11()) {
        m_areaLook = new QTimer(this);
        m_areaLook->setInterval(areaLookInterval);
        connect(m_areaLook, &QTimer::timeout, this, &ExpertTray::lookForTrayArea);
        m_areaLook->start();
    }
    return m_watcher || m_areaLook;
}

void ExpertTray::stopWatching()
{
    // Either may be reporting right now.
    if (m_watcher) {
        m_watcher->deleteLater();
        m_watcher = nullptr;
    }
    if (m_hostSignal) {
        QDBusConnection::sessionBus().disconnect(watcherService, watcherPath, watcherService, hostRegistered, this,
                                                 SLOT(askForHost()));
        m_hostSignal = false;
    }
    if (m_areaLook) {
        m_areaLook->stop();
        m_areaLook->deleteLater();
        m_areaLook = nullptr;
    }
}

void ExpertTray::askForHost()
{
    if (m_icon)
        return;
    auto *answer = new QDBusPendingCallWatcher(QDBusConnection::sessionBus().asyncCall(hostQuestion()), this);
    connect(answer, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher *finished) {
        finished->deleteLater();
        if (!m_icon && saysHostRegistered(finished->reply()))
            trayCame();
    });
}

void ExpertTray::lookForTrayArea()
{
    if (X11TrayArea::present()) {
        trayCame();
    } else if (++m_areaLooks >= areaLookCount && m_areaLook) {
        m_areaLook->stop();
        m_areaLook->deleteLater();
        m_areaLook = nullptr;
    }
}

void ExpertTray::trayCame()
{
    stopWatching();
    qInfo() << "ExpertView: the desktop's tray is there now; showing the icon";
    makeIcon();
    m_icon->setContextMenu(m_menu);
    m_icon->show();
}

void ExpertTray::makeIcon()
{
    m_icon = new QSystemTrayIcon(QIcon(QStringLiteral(":/ico/AppIcon_128.png")), m_window);
    connect(m_icon, &QSystemTrayIcon::activated, this, &ExpertTray::trayActivated);
}

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
    if (m_icon) {
        m_icon->setContextMenu(m_menu);
        m_icon->show();
    }
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
