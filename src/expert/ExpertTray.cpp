#include "ExpertTray.h"

#include "DisplayText.h"
#include "X11TrayArea.h"

#include <QAction>
#include <QActionGroup>
#include <QCoreApplication>
#include <QCursor>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCall>
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

const QString busService = QStringLiteral("org.freedesktop.DBus");
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

QDBusMessage ownerQuestion()
{
    QDBusMessage question = QDBusMessage::createMethodCall(busService, QStringLiteral("/org/freedesktop/DBus"),
                                                           busService, QStringLiteral("NameHasOwner"));
    question << watcherService;
    return question;
}

bool saysOwned(const QDBusMessage &reply)
{
    return reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty()
           && reply.arguments().constFirst().toBool();
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

// Once per run.
void tellOnce(const char *line)
{
    static bool told = false;
    if (!told) {
        told = true;
        qWarning().noquote() << line;
    }
}

const char *const noTrayYet = "ExpertView: the desktop has no tray yet; the icon shows when one comes (start the"
                              " program again to open its window)";
const char *const noTray = "ExpertView: the desktop has no tray; start the program again to open its window";

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
    if (!trayMayComeLater()) {
        makeIcon();
        if (!QSystemTrayIcon::isSystemTrayAvailable())
            tellOnce(noTray);
    } else if (watchBus()) {
        lookFirst();
    } else {
        firstLookDone(false);
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

bool ExpertTray::watchBus()
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return false;
    // Set up before the first look asks, so that a watcher coming meanwhile
    // is reported.
    m_watcher = new QDBusServiceWatcher(watcherService, bus, QDBusServiceWatcher::WatchForRegistration, this);
    connect(m_watcher, &QDBusServiceWatcher::serviceRegistered, this, &ExpertTray::askForHost);
    // A watcher that is up before any host says so when one registers.
    m_hostSignal = bus.connect(watcherService, watcherPath, watcherService, hostRegistered, this, SLOT(askForHost()));
    return true;
}

void ExpertTray::lookFirst()
{
    // The bus itself answers whether the name has an owner; only then is
    // the watcher asked, so that a question never starts one.
    whenAnswered(QDBusConnection::sessionBus().asyncCall(ownerQuestion()), [this](const QDBusMessage &owner) {
        if (!saysOwned(owner)) {
            firstLookDone(false);
            return;
        }
        whenAnswered(QDBusConnection::sessionBus().asyncCall(hostQuestion()), [this](const QDBusMessage &host) {
            if (host.type() == QDBusMessage::ErrorMessage)
                qWarning() << "ExpertView: the desktop's status notifier watcher did not tell whether a host is there:"
                           << host.errorName() << host.errorMessage();
            firstLookDone(saysHostRegistered(host));
        });
    });
}

void ExpertTray::firstLookDone(bool hostThere)
{
    if (m_icon)
        return;
    if (hostThere || (onX11() && X11TrayArea::present())) {
        stopWatching();
        showIcon();
        return;
    }
    if (onX11()) {
        m_areaLook = new QTimer(this);
        m_areaLook->setInterval(areaLookInterval);
        connect(m_areaLook, &QTimer::timeout, this, &ExpertTray::lookForTrayArea);
        m_areaLook->start();
    }
    if (m_watcher || m_areaLook) {
        tellOnce(noTrayYet);
        return;
    }
    // Nothing could bring a tray: the toolkit's own choice.
    showIcon();
    if (!QSystemTrayIcon::isSystemTrayAvailable())
        tellOnce(noTray);
}

void ExpertTray::whenAnswered(const QDBusPendingCall &call, std::function<void(const QDBusMessage &)> then)
{
    auto *answer = new QDBusPendingCallWatcher(call, this);
    connect(answer, &QDBusPendingCallWatcher::finished, this,
            [then = std::move(then)](QDBusPendingCallWatcher *finished) {
                finished->deleteLater();
                then(finished->reply());
            });
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
    whenAnswered(QDBusConnection::sessionBus().asyncCall(hostQuestion()), [this](const QDBusMessage &host) {
        if (saysHostRegistered(host))
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
    if (m_icon)
        return;
    stopWatching();
    qInfo() << "ExpertView: the desktop's tray is there now; showing the icon";
    showIcon();
}

void ExpertTray::makeIcon()
{
    m_icon = new QSystemTrayIcon(QIcon(QStringLiteral(":/ico/AppIcon_128.png")), m_window);
    connect(m_icon, &QSystemTrayIcon::activated, this, &ExpertTray::trayActivated);
}

void ExpertTray::showIcon()
{
    makeIcon();
    m_icon->setContextMenu(m_menu);
    m_icon->show();
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
