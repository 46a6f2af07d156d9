// The real program ended by signals, as at log-out or by Ctrl+C, at moments
// of its start where no event loop of its own runs yet; and the catching of
// signals itself, in this process, under a flood of them.
#include "ProgramRun.h"
#include "QuitOnSignal.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QtTest>

#include <cerrno>
#include <csignal>
#include <unistd.h>

using namespace ProgramRun;

class TestQuitOnSignal : public QObject
{
    Q_OBJECT

private:
    static QString backupsFolder()
    {
        return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) + "/Corvanelle R7 Settings/Backups";
    }

    // A working file that does not load, and a backup: the start loads the
    // backup and tells the user in a box that waits for an answer.
    static bool breakWorkingFile()
    {
        QFile working(configFolder() + "/autosave.kvlf");
        return QDir().mkpath(backupsFolder())
               && QFile::copy(QFileInfo(R7_APP_EXECUTABLE).path() + "/Starter Mappings.kvlf",
                              backupsFolder() + "/AutoBackup_0.kvlf")
               && working.open(QIODevice::WriteOnly) && working.write("{ \"not\": ") > 0;
    }

    // Waits until the box of a broken working file is shown. A start in the
    // tray shows no window before it, and the offscreen platform logs a line
    // as it shows a window.
    static bool waitForTheBox()
    {
        return waitForLog("ConfigFile: Backup config loaded")
               && waitForLog("This plugin does not support propagateSizeHints()");
    }

    // Whether the process has stopped (SIGSTOP has taken effect).
    static bool isStopped(qint64 pid)
    {
        QFile stat(QString("/proc/%1/stat").arg(pid));
        // "pid (name) state ...": the name may hold spaces and parentheses.
        return stat.open(QIODevice::ReadOnly) && stat.readAll().split(')').last().trimmed().startsWith('T');
    }

private slots:
    void init()
    {
        QDir(configFolder()).removeRecursively();
        QDir(backupsFolder()).removeRecursively();
        QSettings settings(settingsPath(), QSettings::IniFormat);
        settings.setValue("VerboseLogging", true);
        settings.setValue("HasBeenRunBefore", true);
        settings.setValue("ShowIntroOnLaunch", false);
        settings.setValue("HasBeenOpenedSinceInstallOrUpgrade", true);
    }

    void sigtermEndsTheStart_data()
    {
        QTest::addColumn<bool>("brokenWorkingFile");
        QTest::newRow("while its message box waits") << true;
        QTest::newRow("while it starts") << false;
    }
    void sigtermEndsTheStart()
    {
        QFETCH(bool, brokenWorkingFile);
        if (brokenWorkingFile)
            QVERIFY(breakWorkingFile());
        auto program = start({"hide"});
        QVERIFY(brokenWorkingFile ? waitForTheBox() : waitForLog("INFO - Start"));
        ::kill(pid_t(program->processId()), SIGTERM);
        // Generous for a loaded machine; left alone, the box waits for ever.
        QVERIFY2(program->waitForFinished(10000), log().constData());
        QCOMPARE(program->exitStatus(), QProcess::NormalExit);
        QCOMPARE(program->exitCode(), 0);
    }

    // A second quit signal that comes while the first is being acted on ends
    // the program at once, as the signal's default action does. The program
    // is stopped while its box waits, so that both signals are there when it
    // goes on: one is acted on first, and the other ends it.
    void secondSignalEndsTheProgramAtOnce()
    {
        QVERIFY(breakWorkingFile());
        auto program = start({"hide"});
        QVERIFY(waitForTheBox());
        const auto pid = pid_t(program->processId());
        ::kill(pid, SIGSTOP);
        QTRY_VERIFY_WITH_TIMEOUT(isStopped(pid), 20000);
        ::kill(pid, SIGINT);
        ::kill(pid, SIGTERM);
        ::kill(pid, SIGCONT);
        QVERIFY2(program->waitForFinished(20000), log().constData());
        QCOMPARE(program->exitStatus(), QProcess::CrashExit);
        QVERIFY2(program->exitCode() == SIGTERM || program->exitCode() == SIGINT,
                 qPrintable(QString::number(program->exitCode())));
    }

    // Thousands of signals, none of them acted on yet, never block the
    // program inside its handler and leave errno as it was; they are acted on
    // once, and more of them afterwards block nothing either. SIGHUP, since a
    // second SIGTERM would end this test. Last: it catches the signals in
    // this process and asks its (not running) event loop to quit.
    void signalsThatKeepComingNeverBlock()
    {
        // A handler that blocks ends the test here rather than hanging it.
        ::alarm(60);
        QuitOnSignal::install();
        QuitOnSignal::connectToApplication();
        for (int n = 0; n < 5000; ++n)
            ::raise(SIGHUP);
        errno = ERANGE;
        ::raise(SIGHUP);
        const int errnoAfter = errno;
        QCOMPARE(errnoAfter, ERANGE);
        QTRY_VERIFY(QuitOnSignal::quitRequested());
        for (int n = 0; n < 5000; ++n)
            ::raise(SIGHUP);
        QCoreApplication::processEvents();
        ::alarm(0);
    }
};

QTEST_GUILESS_MAIN(TestQuitOnSignal)
#include "tst_quitonsignal.moc"
