#include "AppExtensions.h"
#include "ProcessLock.h"
#include "ProgramRun.h"
#include "SingleInstanceGuard.h"

#include <QProcess>
#include <QSettings>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>

#include <memory>

// Starts the real program, so the guard and the open-window flag are seen
// across processes as a user would meet them.
class TestSingleInstance : public QObject
{
    Q_OBJECT

private:
    static int countInLog(const QByteArray &text) { return ProgramRun::countInLog(text); }
    static std::unique_ptr<QProcess> start(const QStringList &arguments,
                                           const QProcessEnvironment &environment = ProgramRun::environment())
    {
        return ProgramRun::start(arguments, environment);
    }
    static QProcessEnvironment withTemporaryFolder(const QString &folder)
    {
        QProcessEnvironment environment = ProgramRun::environment();
        environment.insert("TMPDIR", folder);
        return environment;
    }
    // A running instance is ready once its start line is in the log.
    bool waitForStart(int starts) { return ProgramRun::waitForLog("INFO - Start", starts); }
    void stop(QProcess &process) { ProgramRun::stop(process); }
    void expectRefused(const QStringList &arguments, const QProcessEnvironment &environment = ProgramRun::environment())
    {
        auto second = start(arguments, environment);
        QVERIFY(second->waitForFinished(20000));
        QCOMPARE(second->exitStatus(), QProcess::NormalExit);
        QCOMPARE(second->exitCode(), 0);
    }

private slots:
    void init()
    {
        QDir(ProgramRun::configFolder()).removeRecursively();
        QSettings settings(ProgramRun::settingsPath(), QSettings::IniFormat);
        settings.setValue("VerboseLogging", true); // makes the window requests visible in the log
        // Not a first run, which would write its defaults (quiet logging among them).
        settings.setValue("HasBeenRunBefore", true);
        settings.setValue("ShowIntroOnLaunch", false);
        settings.setValue("HasBeenOpenedSinceInstallOrUpgrade", true);
    }

    void guardKeyFromArguments_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("key");
        QTest::newRow("none") << QStringList{"app"} << "corvanelle_guard_key";
        QTest::newRow("named") << QStringList{"app", "hide", "instance", "abc"} << "abc";
        QTest::newRow("instance last") << QStringList{"app", "instance"} << "corvanelle_guard_key";
        QTest::newRow("instance twice") << QStringList{"app", "instance", "instance"} << "instance";
        QTest::newRow("last follower wins") << QStringList{"app", "instance", "a", "instance", "b"} << "b";
        QTest::newRow("case-sensitive") << QStringList{"app", "Instance", "abc"} << "corvanelle_guard_key";
    }
    void guardKeyFromArguments()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, key);
        QCOMPARE(SingleInstanceGuard::keyFromArguments(arguments), key);
    }

    void hashKeyIsSha1OfKeyAndSuffix()
    {
        // SHA-1 of "abc"
        QCOMPARE(SingleInstanceGuard::hashKey("a", "bc"), QString("a9993e364706816aba3e25717850c26c9cd0d89d"));
    }

    void guardAllowsOneHolderPerKey()
    {
        SingleInstanceGuard first("unit_key");
        QVERIFY(first.tryAcquire());
        {
            SingleInstanceGuard second("unit_key");
            QVERIFY(!second.tryAcquire());
            SingleInstanceGuard other("other_key");
            QVERIFY(other.tryAcquire());
        }
        SingleInstanceGuard third("unit_key");
        QVERIFY(!third.tryAcquire());
    }

    void openRequestIsSeenOnceAndOnlyForOne()
    {
        AppExtensions running;
        AppExtensions second;
        QVERIFY(running.isAttached());
        QSignalSpy spy(&running, &AppExtensions::sigOpenWindow);
        running.checkOpenRequest();
        QCOMPARE(spy.count(), 0);
        second.requestOpenWindow();
        running.checkOpenRequest();
        running.checkOpenRequest();
        QCOMPARE(spy.count(), 1);
    }

    // A poll that finds nothing requested does without the flag's lock, so
    // an idle instance never waits for another process holding it.
    void idlePollTakesNoLock()
    {
        AppExtensions running;
        QVERIFY(running.isAttached());
        ProcessLock held(SingleInstanceGuard::keyFolder() + '/' + AppExtensions::flagName + ".lock");
        QVERIFY(held.lock());
        std::unique_ptr<QThread> poll(QThread::create([&running] {
            running.checkOpenRequest();
            running.clearOpenRequest();
        }));
        poll->start();
        const bool returned = poll->wait(2000);
        held.unlock();
        poll->wait();
        QVERIFY2(returned, "an idle poll waited for the flag's lock");
    }

    void processLockExcludesUntilReleased()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath("guard.lock");
        ProcessLock first(path);
        QVERIFY(first.lock());
        ProcessLock second(path);
        std::unique_ptr<QThread> waiter(QThread::create([&second] { second.lock(); }));
        waiter->start();
        QVERIFY2(!waiter->wait(300), "a second lock was taken while the first was held");
        first.unlock();
        QVERIFY(waiter->wait(5000));
        second.unlock();

        ProcessLock nowhere(folder.filePath("missing/guard.lock"));
        QVERIFY(!nowhere.lock());
    }

    void secondStartOpensTheFirstInstancesWindow()
    {
        auto first = start({"hide"});
        QVERIFY(QTest::qWaitFor([&] { return countInLog("Autostart - launched minimized") == 1; }, 20000));
        QCOMPARE(countInLog("App: showActiveView"), 0);

        expectRefused({});
        // The request, then the window's first opening in this run.
        QVERIFY(ProgramRun::waitForLog("Opening Window in Simple Mode", 1, 5000));
        QTest::qWait(400); // several more polls: still one request seen
        QCOMPARE(countInLog("App: showActiveView"), 2);
        QCOMPARE(first->state(), QProcess::Running);
        stop(*first);
        QCOMPARE(countInLog("INFO - Start"), 1);
    }

    void namedInstanceRunsBesideTheDefaultOne()
    {
        auto first = start({"hide"});
        QVERIFY(first->waitForStarted());
        QVERIFY(waitForStart(1));
        auto named = start({"hide", "instance", "abc"});
        QVERIFY(named->waitForStarted());
        QVERIFY(waitForStart(2));
        expectRefused({"hide", "instance", "abc"});
        QCOMPARE(named->state(), QProcess::Running);
        stop(*named);
        stop(*first);
    }

    // The guard does not live in the temporary folder: a start from an
    // environment with another TMPDIR still finds the running instance.
    void startsWithOtherTemporaryFoldersAreOneInstance()
    {
        QTemporaryDir firstTemporary;
        QTemporaryDir secondTemporary;
        auto first = start({"hide"}, withTemporaryFolder(firstTemporary.path()));
        QVERIFY(waitForStart(1));
        expectRefused({"hide"}, withTemporaryFolder(secondTemporary.path()));
        QCOMPARE(first->state(), QProcess::Running);
        QCOMPARE(countInLog("INFO - Start"), 1);
        stop(*first);
    }

    // An instance killed without a chance to clean up leaves its guard
    // behind; the next start takes it over and runs.
    void startAfterAKilledInstanceRuns()
    {
        auto killed = start({"hide"});
        QVERIFY(waitForStart(1));
        killed->kill();
        QVERIFY(killed->waitForFinished(20000));
        auto next = start({"hide"});
        QVERIFY(waitForStart(2));
        QCOMPARE(next->state(), QProcess::Running);
        expectRefused({"hide"}); // and it holds the guard in turn
        stop(*next);
    }

    // A window request that no instance handled (its instance was killed
    // first) is not the next start's: a hidden start stays hidden.
    void staleOpenRequestDoesNotShowAHiddenStart()
    {
        AppExtensions leftOver; // keeps the flag segment alive, as a killed instance leaves it
        leftOver.requestOpenWindow();
        auto first = start({"hide"});
        QVERIFY(QTest::qWaitFor([&] { return countInLog("Autostart - launched minimized") == 1; }, 20000));
        QTest::qWait(400); // several polls
        QCOMPARE(countInLog("App: showActiveView"), 0);

        expectRefused({}); // a real request still opens the window
        QVERIFY(ProgramRun::waitForLog("App: showActiveView", 1, 5000));
        stop(*first);
    }

    void autostartEntryIsWrittenOnce()
    {
        auto first = start({"hide"});
        QVERIFY(waitForStart(1));
        stop(*first);
        QFile entry(ProgramRun::autostartPath());
        QVERIFY(entry.open(QIODevice::ReadOnly));
        const QByteArray text = entry.readAll();
        QVERIFY2(text.contains("Exec=\"" + QFileInfo(R7_APP_EXECUTABLE).absoluteFilePath().toUtf8() + "\" hide"),
                 text.constData());
    }
};

QTEST_GUILESS_MAIN(TestSingleInstance)
#include "tst_singleinstance.moc"
