// The expert window's tray icon on a desktop of the test's own: the xcb
// platform on a private X server and a private session bus, where the test
// plays the desktop's tray, a status notifier watcher with its host or an
// X11 tray area, coming before or after the program's tray.
#include "ExpertTray.h"
#include "LogRecorder.h"
#include "PrivateSessionBus.h"
#include "PrivateXServer.h"

#include <QApplication>
#include <QDBusConnection>
#include <QElapsedTimer>
#include <QFile>
#include <QMutex>
#include <QMutexLocker>
#include <QProcess>
#include <QSemaphore>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <QtTest>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <xcb/xcb.h>

namespace {

// The desktop's status notifier watcher, with a host registered: what the
// toolkit asks before it shows an icon, and the registrations it receives.
// It answers from a thread of its own, as the toolkit asks it while the
// test's thread waits.
class FakeWatcher : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierWatcher")
    Q_PROPERTY(bool IsStatusNotifierHostRegistered READ hostRegistered)
    Q_PROPERTY(int ProtocolVersion READ protocolVersion)
    Q_PROPERTY(QStringList RegisteredStatusNotifierItems READ items)

public:
    bool hostRegistered() const { return true; }
    int protocolVersion() const { return 0; }
    QStringList items() const
    {
        QMutexLocker lock(&mutex);
        return registered;
    }

public slots:
    void RegisterStatusNotifierItem(const QString &service)
    {
        QMutexLocker lock(&mutex);
        registered << service;
    }
    void RegisterStatusNotifierHost(const QString &) {}

signals:
    void StatusNotifierItemRegistered(const QString &service);
    void StatusNotifierItemUnregistered(const QString &service);
    void StatusNotifierHostRegistered();

private:
    mutable QMutex mutex;
    QStringList registered;
};

const QString watcherService = QStringLiteral("org.kde.StatusNotifierWatcher");
const char *const cameLine = "ExpertView: the desktop's tray is there now; showing the icon";

} // namespace

class TestExpertTrayDesktop : public QObject
{
    Q_OBJECT

public:
    explicit TestExpertTrayDesktop(const QString &busAddress)
        : busAddress(busAddress)
    {}

private:
    QString busAddress;
    QThread watcherThread;
    QObject *desk = nullptr;
    FakeWatcher *watcher = nullptr;
    std::unique_ptr<QWidget> window;
    xcb_connection_t *x = nullptr;
    xcb_window_t trayArea = 0;
    // While held, the watcher's thread answers nothing.
    QSemaphore deskRelease;
    bool deskHeld = false;

    // The watcher is registered, answers and ends in its own thread, where
    // desk runs what the test asks of it.
    void onDesk(const std::function<void()> &work)
    {
        QMetaObject::invokeMethod(desk, work, Qt::BlockingQueuedConnection);
    }

    void startWatcher()
    {
        bool registered = false;
        onDesk([this, &registered] {
            watcher = new FakeWatcher;
            QDBusConnection desktop = QDBusConnection::connectToBus(busAddress, "desktop");
            registered = desktop.registerObject("/StatusNotifierWatcher", watcher, QDBusConnection::ExportAllContents)
                         && desktop.registerService(watcherService);
        });
        QVERIFY(registered);
    }

    // The watcher keeps its name but answers no call until the desk is
    // let go: every call to it waits in its thread's queue.
    void holdDesk()
    {
        deskHeld = true;
        QMetaObject::invokeMethod(
            desk, [this] { deskRelease.acquire(); }, Qt::QueuedConnection);
    }

    void releaseDesk()
    {
        if (deskHeld)
            deskRelease.release();
        deskHeld = false;
    }

    void stopWatcher()
    {
        if (!watcher)
            return;
        onDesk([this] {
            QDBusConnection desktop("desktop");
            desktop.unregisterService(watcherService);
            desktop.unregisterObject("/StatusNotifierWatcher");
            delete watcher;
            QDBusConnection::disconnectFromBus("desktop");
        });
        watcher = nullptr;
    }

    // An X11 tray area: a window that owns the tray selection of screen 0.
    void startTrayArea()
    {
        trayArea = xcb_generate_id(x);
        xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(x)).data;
        xcb_create_window(x, XCB_COPY_FROM_PARENT, trayArea, screen->root, 0, 0, 1, 1, 0, XCB_WINDOW_CLASS_INPUT_OUTPUT,
                          XCB_COPY_FROM_PARENT, 0, nullptr);
        xcb_set_selection_owner(x, trayArea, trayAtom(), XCB_CURRENT_TIME);
        free(xcb_get_input_focus_reply(x, xcb_get_input_focus(x), nullptr)); // carried out before we go on
    }

    void stopTrayArea()
    {
        if (!trayArea)
            return;
        xcb_destroy_window(x, trayArea);
        free(xcb_get_input_focus_reply(x, xcb_get_input_focus(x), nullptr));
        trayArea = 0;
    }

    xcb_atom_t trayAtom()
    {
        static const char trayName[] = "_NET_SYSTEM_TRAY_S0";
        xcb_intern_atom_reply_t *reply =
            xcb_intern_atom_reply(x, xcb_intern_atom(x, 0, uint16_t(std::strlen(trayName)), trayName), nullptr);
        const xcb_atom_t atom = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
        free(reply);
        return atom;
    }

private slots:
    void initTestCase()
    {
        desk = new QObject;
        desk->moveToThread(&watcherThread);
        watcherThread.start();
        x = xcb_connect(nullptr, nullptr);
        QVERIFY(!xcb_connection_has_error(x));
        QCOMPARE(QGuiApplication::platformName(), QString("xcb"));
    }

    void cleanupTestCase()
    {
        desk->deleteLater(); // when its thread ends
        watcherThread.quit();
        watcherThread.wait();
        xcb_disconnect(x);
    }

    void init() { window = std::make_unique<QWidget>(); }

    void cleanup()
    {
        window.reset();
        releaseDesk();
        stopWatcher();
        stopTrayArea();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // First of all: the toolkit settles for the whole run which kind of tray
    // it uses when the run's first icon is made, so this must meet it unset.
    // The host comes a second after the program, as a panel that starts
    // after a program started at login.
    void statusNotifierHostAfterTheProgramGetsTheIcon()
    {
        LogRecorder log;
        auto *tray = new ExpertTray(window.get());
        tray->buildTrayMenu({"Auto Profile Switching", "Global"}, 1);
        bool iconBefore = true;
        QTimer::singleShot(1000, this, [this, tray, &iconBefore] {
            iconBefore = tray->icon();
            startWatcher();
        });
        QTRY_COMPARE_WITH_TIMEOUT(watcher ? watcher->items().size() : 0, 1, 10000);
        QVERIFY2(watcher->items().first().startsWith("org.kde.StatusNotifierItem-"),
                 qPrintable(watcher->items().first()));
        QVERIFY(!iconBefore);
        QVERIFY(tray->icon());
        QVERIFY(tray->icon()->isVisible());
        QCOMPARE(tray->icon()->contextMenu(), tray->menu());
        QCOMPARE(log.count("ExpertView: the desktop has no tray yet"), 1);
        QCOMPARE(log.count(cameLine), 1);
        // Nothing is left looking for it, and it comes once.
        QVERIFY(tray->findChildren<QTimer *>().isEmpty());
        QTest::qWait(100);
        QCOMPARE(watcher->items().size(), 1);
        QCOMPARE(log.count(cameLine), 1);
    }

    // A tray there before the program: the icon comes with the first look,
    // the bus's first answers, as a tray that was there, not one that came.
    void statusNotifierHostBeforeTheProgramGetsTheIconWithTheFirstLook()
    {
        startWatcher();
        LogRecorder log;
        auto *tray = new ExpertTray(window.get());
        QTRY_VERIFY(tray->icon());
        QVERIFY(tray->icon()->isVisible());
        QTRY_COMPARE(watcher->items().size(), 1);
        QCOMPARE(log.count(cameLine), 0);
        QVERIFY(tray->findChildren<QTimer *>().isEmpty());
    }

    // A watcher that holds its name but does not answer, as one that hangs:
    // the window opens as quickly as on a desktop without a bus (well within
    // the bus's timeout of 25 s for a call), and the icon comes when the
    // watcher answers. With an X11 tray area too, the icon waits for the
    // answer: the toolkit asks the watcher itself, blocking, for its first
    // icon.
    void watcherThatDoesNotAnswerHoldsNoStart_data()
    {
        QTest::addColumn<bool>("trayArea");
        QTest::newRow("a status notifier watcher") << false;
        QTest::newRow("and an X11 tray area") << true;
    }
    void watcherThatDoesNotAnswerHoldsNoStart()
    {
        QFETCH(bool, trayArea);
        if (trayArea)
            startTrayArea();
        startWatcher();
        holdDesk();
        QElapsedTimer clock;
        clock.start();
        auto *tray = new ExpertTray(window.get());
        tray->buildTrayMenu({"Auto Profile Switching", "Global"}, 1);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        QVERIFY2(clock.elapsed() < 5000, qPrintable(QString("the window opened after %1 ms").arg(clock.elapsed())));
        QVERIFY(!tray->icon());
        QVERIFY(watcher->items().isEmpty());

        releaseDesk();
        QTRY_VERIFY(tray->icon());
        QVERIFY(tray->icon()->isVisible());
        QCOMPARE(tray->icon()->contextMenu(), tray->menu());
        QTRY_COMPARE(watcher->items().size(), 1);
    }

    void trayAreaBeforeTheProgramGetsTheIconWithTheFirstLook()
    {
        startTrayArea();
        LogRecorder log;
        auto *tray = new ExpertTray(window.get());
        QTRY_VERIFY(tray->icon());
        QVERIFY(tray->icon()->isVisible());
        QCOMPARE(log.count(cameLine), 0);
        QVERIFY(tray->findChildren<QTimer *>().isEmpty());
    }

    void trayAreaAfterTheProgramGetsTheIcon()
    {
        LogRecorder log;
        auto *tray = new ExpertTray(window.get());
        QVERIFY(!tray->icon());
        QTimer::singleShot(1000, this, [this] { startTrayArea(); });
        QTRY_VERIFY_WITH_TIMEOUT(tray->icon(), 10000);
        QVERIFY(tray->icon()->isVisible());
        QCOMPARE(log.count(cameLine), 1);
        QVERIFY(tray->findChildren<QTimer *>().isEmpty());
    }
};

int main(int argc, char **argv)
{
    // The desktop comes before the toolkit looks at it; the toolkit's own
    // choice of platform theme, not one of the environment's.
    PrivateXServer server;
    PrivateSessionBus bus;
    if (!server.start() || !bus.start()) {
        std::fprintf(stderr, "no private X server (Xvfb) or session bus (dbus-daemon) for the test\n");
        return 1;
    }
    // The toolkit's tray looks for the desktop's watcher on the session bus.
    qputenv("DBUS_SESSION_BUS_ADDRESS", bus.address().toUtf8());
    qputenv("QT_QPA_PLATFORM", "xcb");
    qputenv("QT_XCB_GL_INTEGRATION", "none");
    qunsetenv("QT_QPA_PLATFORMTHEME");
    QApplication application(argc, argv);
    TestExpertTrayDesktop test(bus.address());
    return QTest::qExec(&test, argc, argv);
}

#include "tst_experttraydesktop.moc"
