// The foreground detector over a scripted desktop: which names it announces,
// the frame host's child search with its retry, the recheck after an
// announcement, and the switch that the model's automatic-switching flag drives.
#include "DetectorFixture.h"
#include "FakeProcessTools.h"
#include "FakeWindowSystem.h"
#include "PackageCreator.h"

#include <QElapsedTimer>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

QStringList logged;

void keepMessage(QtMsgType, const QMessageLogContext &, const QString &message)
{
    logged.append(message);
}

// Over a scripted desktop, with a shorthand for an application's window.
struct Detector : DetectorFixture<FakeWindowSystem, FakeProcessTools>
{
    using DetectorFixture::DetectorFixture;

    // A top-level window of a new process running the executable at path.
    void addApp(AppIdentifier::WindowId window, quint32 processId, const QString &path,
                const QString &shortName = QString())
    {
        processes.addProcess(processId, path, shortName);
        windows.addWindow(window, processId);
    }
};

const QString frameHostPath = QStringLiteral("C:\\Windows\\System32\\ApplicationFrameHost.exe");

} // namespace

class TestForegroundDetector : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir folder;
    std::unique_ptr<QSignalSpy> announced;

    QString settingsPath() const { return folder.filePath("settings.ini"); }
    void writeSettings(const QVariantMap &values) const
    {
        QSettings settings(settingsPath(), QSettings::IniFormat);
        settings.clear();
        for (auto it = values.begin(); it != values.end(); ++it)
            settings.setValue(it.key(), it.value());
    }
    QStringList announcements() const
    {
        QStringList names;
        for (const QList<QVariant> &arguments : *announced)
            names.append(arguments.at(0).toString());
        return names;
    }

private slots:
    // Runs before anything creates the relay: a flag set earlier starts it.
    void initTestCase()
    {
        // The program's own detector, started here, must not reach a real display.
        qunsetenv("DISPLAY");
        writeSettings({});
        PackageCreator::instance()->setAutoSwitching(true);
        ForegroundWrapper::instance();
        {
            // Handing the switch over shows that it was installed.
            Detector detector(settingsPath());
            QVERIFY(detector.windows.isWatching());
        }
        PackageCreator::instance()->setAutoSwitching(false);
    }

    void init()
    {
        writeSettings({});
        logged.clear();
        qInstallMessageHandler(keepMessage);
        announced = std::make_unique<QSignalSpy>(ForegroundWrapper::instance(), &ForegroundWrapper::foregroundChanged);
        ForegroundWrapper::instance()->stop();
    }
    void cleanup()
    {
        qInstallMessageHandler(nullptr);
        ForegroundWrapper::instance()->stop();
    }

    void announcesTheExecutableName_data()
    {
        QTest::addColumn<QVariantMap>("settings");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("shortName");
        QTest::addColumn<QStringList>("names");
        const QVariantMap none;
        const QVariantMap gameIgnored{{"IgnoredApps", QStringList{"Game.exe"}}};
        QTest::newRow("windows path, letter case kept") << none << "C:\\Tools\\Editor.EXE"
                                                        << "" << QStringList{"Editor.EXE"};
        QTest::newRow("linux path") << none << "/usr/lib/editor/bin/editor-gtk"
                                    << "editor-gtk" << QStringList{"editor-gtk"};
        QTest::newRow("dwm.exe always ignored") << gameIgnored << "C:\\Windows\\dwm.exe"
                                                << "" << QStringList{};
        QTest::newRow("unidentified, default list") << none << ""
                                                    << "secret" << QStringList{};
        QTest::newRow("unidentified, own list") << gameIgnored << ""
                                                << "secret" << QStringList{""};
        QTest::newRow("ignored name") << gameIgnored << "/games/Game.exe"
                                      << "" << QStringList{};
        QTest::newRow("ignored name, other case") << gameIgnored << "/games/game.exe"
                                                  << "" << QStringList{"game.exe"};
        QTest::newRow("unreadable, admin detection") << QVariantMap{{"AdminAppDetection", true}} << ""
                                                     << "secret" << QStringList{"secret"};
        QTest::newRow("frame host ignored before its child")
            << QVariantMap{{"IgnoredApps", QStringList{"ApplicationFrameHost.exe"}}} << frameHostPath << ""
            << QStringList{};
    }
    void announcesTheExecutableName()
    {
        QFETCH(QVariantMap, settings);
        QFETCH(QString, path);
        QFETCH(QString, shortName);
        QFETCH(QStringList, names);
        writeSettings(settings);
        Detector detector(settingsPath());
        detector.addApp(10, 100, path, shortName);
        // A store application inside the window, in case it is a frame host.
        detector.addApp(11, 101, "C:\\Apps\\Store.exe");
        detector.windows.addWindow(12, 101, 10);
        ForegroundWrapper::instance()->start();

        detector.windows.activate(10);
        QCOMPARE(announcements(), names);
        QCOMPARE(detector.identifier.isRechecking(), !names.isEmpty());
        QVERIFY(!detector.identifier.isRetrying());
    }

    void identificationIsLogged()
    {
        Detector detector(settingsPath());
        detector.addApp(10, 100, "C:\\Tools\\Editor.EXE");
        QCOMPARE(detector.identifier.identifyApp(100), QString("Editor.EXE"));
        QCOMPARE(logged, QStringList{"ForegroundDetector: App identified: Editor.EXE"});
    }

    void twoWindowsOfOneApplicationAnnounceItTwice()
    {
        Detector detector(settingsPath());
        detector.addApp(10, 100, "/usr/bin/editor");
        detector.windows.addWindow(11, 100);
        ForegroundWrapper::instance()->start();
        detector.windows.activate(10);
        detector.windows.activate(11);
        QCOMPARE(announcements(), QStringList({"editor", "editor"}));
    }

    void windowWithoutProcessOnlyStopsTheTimers()
    {
        Detector detector(settingsPath());
        detector.addApp(10, 100, "/usr/bin/editor");
        ForegroundWrapper::instance()->start();
        detector.windows.activate(10);
        QVERIFY(detector.identifier.isRechecking());
        logged.clear();

        detector.windows.activate(0);
        QVERIFY(!detector.identifier.isRechecking());
        QCOMPARE(announcements(), QStringList{"editor"});
        QVERIFY(logged.isEmpty());
    }

    void frameHostAnnouncesItsForeignChild()
    {
        Detector detector(settingsPath());
        detector.addApp(10, 100, frameHostPath);
        detector.windows.addWindow(11, 100, 10);
        detector.processes.addProcess(200, "C:\\Apps\\Store.exe");
        detector.windows.addWindow(12, 200, 11);
        ForegroundWrapper::instance()->start();
        detector.windows.activate(10);
        QCOMPARE(announcements(), QStringList{"Store.exe"});
        QVERIFY(!detector.identifier.isRetrying());
    }

    void frameHostChildAppearingLaterIsAnnouncedThen()
    {
        Detector detector(settingsPath());
        detector.addApp(10, 100, frameHostPath);
        detector.processes.addProcess(200, "C:\\Apps\\Store.exe");
        ForegroundWrapper::instance()->start();
        QElapsedTimer clock;
        clock.start();
        detector.windows.activate(10);
        QVERIFY(announced->isEmpty());
        QVERIFY(detector.identifier.isRetrying());

        QTimer::singleShot(2000, Qt::PreciseTimer, &detector.windows, [&] { detector.windows.addWindow(11, 200, 10); });
        QTRY_COMPARE_WITH_TIMEOUT(announcements(), QStringList{"Store.exe"}, 10000);
        QVERIFY(clock.elapsed() >= 2000);
        QVERIFY(detector.windows.descendantSearches() > 10);
        QVERIFY(!detector.identifier.isRetrying());
        QVERIFY(detector.identifier.isRechecking());
        QVERIFY(logged.contains("ForegroundDetector: Retrying for PID 100 Attempt 0"));
    }

    void frameHostWithoutForeignChildGivesUpAfter101Searches()
    {
        Detector detector(settingsPath());
        detector.addApp(10, 100, frameHostPath);
        detector.windows.addWindow(11, 100, 10);
        ForegroundWrapper::instance()->start();
        detector.windows.activate(10);
        QTRY_VERIFY_WITH_TIMEOUT(!detector.identifier.isRetrying(), 30000);

        // The search of the event itself, then 101 retries.
        QCOMPARE(detector.windows.descendantSearches(), 1 + 101);
        QVERIFY(logged.contains("ForegroundDetector: Failed after 101 attempts, stop timer"));
        QVERIFY(announced->isEmpty());
    }

    void recheckRunsAfterEachAnnouncement_data()
    {
        QTest::addColumn<int>("timeout");
        QTest::addColumn<int>("checks");
        QTest::newRow("one second") << 1 << 5;
        QTest::newRow("off") << 0 << 0;
        QTest::newRow("negative") << -2 << 0;
        // Longer than the settings offer: five seconds.
        QTest::newRow("beyond its range") << 1000000000 << 21;
    }
    void recheckRunsAfterEachAnnouncement()
    {
        QFETCH(int, timeout);
        QFETCH(int, checks);
        writeSettings({{"RecheckAppSwitchTimeout", timeout}});
        Detector detector(settingsPath());
        detector.addApp(10, 100, "/usr/bin/editor");
        ForegroundWrapper::instance()->start();
        detector.windows.activate(10);
        QCOMPARE(detector.identifier.isRechecking(), checks > 0);
        QTRY_VERIFY_WITH_TIMEOUT(!detector.identifier.isRechecking(), 15000);
        // Nothing ticks on once the recheck has ended (or never began).
        QTest::qWait(600);
        QCOMPARE(detector.windows.activeWindowReads(), checks);
        QCOMPARE(announcements(), QStringList{"editor"});
    }

    void recheckFindsSilentFocusChanges_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<bool>("rechecking");
        QTest::newRow("application") << "/usr/bin/viewer" << QStringList{"editor", "viewer"} << true;
        QTest::newRow("ignored application") << "C:\\Windows\\dwm.exe" << QStringList{"editor"} << false;
        // The recheck does not search a frame host's children.
        QTest::newRow("frame host") << frameHostPath << QStringList{"editor", "ApplicationFrameHost.exe"} << true;
    }
    void recheckFindsSilentFocusChanges()
    {
        QFETCH(QString, path);
        QFETCH(QStringList, names);
        QFETCH(bool, rechecking);
        Detector detector(settingsPath());
        detector.addApp(10, 100, "/usr/bin/editor");
        detector.addApp(20, 200, path);
        detector.processes.addProcess(300, "C:\\Apps\\Store.exe");
        detector.windows.addWindow(21, 300, 20);
        ForegroundWrapper::instance()->start();
        detector.windows.activate(10);

        detector.windows.activateSilently(20);
        QTRY_VERIFY(detector.windows.activeWindowReads() >= 1);
        QCOMPARE(announcements(), names);
        QCOMPARE(detector.identifier.isRechecking(), rechecking);
        QCOMPARE(detector.windows.descendantSearches(), 0);
        QVERIFY(logged.contains("ForegroundDetector: Focus changed without notification, rechecking"));
    }

    void startAndStopTwiceChangeNothingMore()
    {
        Detector detector(settingsPath());
        detector.addApp(10, 100, "/usr/bin/editor");
        ForegroundWrapper *wrapper = ForegroundWrapper::instance();
        wrapper->start();
        wrapper->start();
        detector.windows.activate(10);
        QCOMPARE(announcements(), QStringList{"editor"});

        wrapper->stop();
        wrapper->stop();
        QVERIFY(!detector.windows.isWatching());
        detector.windows.activate(10);
        QCOMPARE(announcements(), QStringList{"editor"});

        wrapper->start();
        detector.windows.activate(10);
        QCOMPARE(announcements(), QStringList({"editor", "editor"}));
    }

    void autoSwitchingStartsAndStopsTheDetector()
    {
        Detector detector(settingsPath());
        PackageCreator *model = PackageCreator::instance();
        model->setAutoSwitching(true);
        QVERIFY(detector.windows.isWatching());
        model->setAutoSwitching(false);
        QVERIFY(!detector.windows.isWatching());
    }
};

QTEST_MAIN(TestForegroundDetector)
#include "tst_foregrounddetector.moc"
