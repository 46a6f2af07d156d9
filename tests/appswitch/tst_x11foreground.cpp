// The foreground detector on a real X server of the test's own (Xvfb). The
// test plays the window manager: it creates windows that name a process, and
// sets _NET_ACTIVE_WINDOW and _NET_CLIENT_LIST on the root window.
#include "DetectorFixture.h"
#include "ProcessTools.h"
#include "PrivateXServer.h"
#include "X11WindowSystem.h"

#include <QFileInfo>
#include <QProcess>
#include <QSettings>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <cstdlib>
#include <unistd.h>
#include <xcb/xcb.h>
#include <xcb/xcb_ewmh.h>

namespace {

QStringList warnings;

void keepWarnings(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtWarningMsg)
        warnings.append(message);
}

int warningsContaining(const QString &text)
{
    return int(
        std::count_if(warnings.begin(), warnings.end(), [&](const QString &line) { return line.contains(text); }));
}

using Detector = DetectorFixture<X11WindowSystem, ProcessTools>;

} // namespace

class TestX11Foreground : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir folder;
    PrivateXServer server;
    QProcess application;
    QByteArray display;
    xcb_connection_t *wm = nullptr;
    xcb_ewmh_connection_t ewmh{};
    int screen = 0;

    QString settingsPath() const { return folder.filePath("settings.ini"); }

    // Requests of two clients reach the server in no fixed order: a round trip
    // makes sure it has carried out ours before the detector asks.
    void sync()
    {
        free(xcb_get_input_focus_reply(wm, xcb_get_input_focus(wm), nullptr));
    }

    xcb_window_t createWindow(xcb_window_t parent, quint32 processId)
    {
        const xcb_window_t window = xcb_generate_id(wm);
        xcb_create_window(wm, XCB_COPY_FROM_PARENT, window, parent, 0, 0, 10, 10, 0, XCB_WINDOW_CLASS_INPUT_OUTPUT,
                          XCB_COPY_FROM_PARENT, 0, nullptr);
        if (processId)
            xcb_ewmh_set_wm_pid(&ewmh, window, processId);
        sync();
        return window;
    }
    void activate(xcb_window_t window)
    {
        xcb_ewmh_set_active_window(&ewmh, screen, window);
        sync();
    }
    xcb_window_t root() const { return ewmh.screens[screen]->root; }

private slots:
    void initTestCase()
    {
        QVERIFY(server.start());
        display = server.display();

        wm = xcb_connect(display.constData(), &screen);
        QVERIFY(!xcb_connection_has_error(wm));
        QVERIFY(xcb_ewmh_init_atoms_replies(&ewmh, xcb_ewmh_init_atoms(wm, &ewmh), nullptr));

        application.start(QStandardPaths::findExecutable("sleep"), {"300"});
        QVERIFY(application.waitForStarted());

        // A recheck tick could see a change before its notice arrives.
        QSettings(settingsPath(), QSettings::IniFormat).setValue("RecheckAppSwitchTimeout", 0);
        qInstallMessageHandler(keepWarnings);
    }

    void cleanupTestCase()
    {
        qInstallMessageHandler(nullptr);
        if (wm) {
            xcb_ewmh_connection_wipe(&ewmh);
            xcb_disconnect(wm);
        }
        application.kill();
        application.waitForFinished();
    }

    void announcesTheActiveWindowsProcessAndListsWindows()
    {
        Detector detector(settingsPath());
        QSignalSpy announced(ForegroundWrapper::instance(), &ForegroundWrapper::foregroundChanged);
        ForegroundWrapper::instance()->start();

        const xcb_window_t other = createWindow(root(), quint32(application.processId()));
        const xcb_window_t inner = createWindow(other, 0);
        const xcb_window_t own = createWindow(root(), quint32(getpid()));
        xcb_window_t managed[] = {other, own};
        xcb_ewmh_set_client_list(&ewmh, screen, 2, managed);
        sync();

        QCOMPARE(detector.windows.topLevelWindows(), QVector<WindowSystem::WindowId>({other, own}));
        QCOMPARE(detector.windows.descendants(other), QVector<WindowSystem::WindowId>{inner});
        QCOMPARE(detector.windows.windowProcessId(other), quint32(application.processId()));
        QCOMPARE(detector.windows.windowProcessId(inner), 0u);

        const QString otherName = QFileInfo(QFileInfo(application.program()).canonicalFilePath()).fileName();
        activate(other);
        QTRY_COMPARE(announced.count(), 1);
        QCOMPARE(announced.at(0).at(0).toString(), otherName);

        // The panel's own window is announced with its own executable name.
        activate(own);
        QTRY_COMPARE(announced.count(), 2);
        QCOMPARE(announced.at(1).at(0).toString(), QFileInfo(QCoreApplication::applicationFilePath()).fileName());
        QCOMPARE(detector.windows.activeWindow(), own);

        ForegroundWrapper::instance()->stop();
        activate(other);
        QTest::qWait(300);
        QCOMPARE(announced.count(), 2);
        QCOMPARE(detector.windows.activeWindow(), other);
    }

    void withoutDisplayNothingIsDetected()
    {
        qunsetenv("DISPLAY");
        warnings.clear();
        {
            Detector detector(settingsPath());
            QSignalSpy announced(ForegroundWrapper::instance(), &ForegroundWrapper::foregroundChanged);
            ForegroundWrapper::instance()->start();
            ForegroundWrapper::instance()->stop();
            ForegroundWrapper::instance()->start();
            QCOMPARE(detector.windows.activeWindow(), 0u);
            QVERIFY(detector.windows.topLevelWindows().isEmpty());
            QTest::qWait(100);
            QVERIFY(announced.isEmpty());
            ForegroundWrapper::instance()->stop();
        }
        qputenv("DISPLAY", display);
        QCOMPARE(warnings.size(), 1);
        QVERIFY(warnings.at(0).startsWith("X11WindowSystem: no X11 display"));
    }

    void connectionEndsWhenTheApplicationQuits()
    {
        Detector detector(settingsPath());
        ForegroundWrapper::instance()->start();
        QVERIFY(detector.windows.activeWindow() != 0);
        QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        qApp->exec();
        QCOMPARE(detector.windows.activeWindow(), 0u);
        ForegroundWrapper::instance()->stop();
    }

    // Last: it ends the server.
    void lostDisplayIsLoggedOnce()
    {
        Detector detector(settingsPath());
        ForegroundWrapper::instance()->start();
        QVERIFY(detector.windows.activeWindow() != 0);
        warnings.clear();
        QVERIFY(server.stop());
        QTRY_COMPARE(warningsContaining("lost the connection"), 1);
        QCOMPARE(detector.windows.activeWindow(), 0u);
        QVERIFY(detector.windows.descendants(root()).isEmpty());
        QCOMPARE(warnings.size(), 1);
        ForegroundWrapper::instance()->stop();
    }
};

QTEST_MAIN(TestX11Foreground)
#include "tst_x11foreground.moc"
