// The real program ended by SIGTERM, as at log-out, at moments of its start
// where no event loop of its own runs yet.
#include "ProgramRun.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QtTest>

#include <csignal>

using namespace ProgramRun;

class TestQuitOnSignal : public QObject
{
    Q_OBJECT

private:
    static QString backupsFolder()
    {
        return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) + "/Corvanelle R7 Settings/Backups";
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
        QTest::addColumn<QByteArray>("signalAfter");
        // A working file that does not load, and a backup: the start loads the
        // backup and tells the user in a box that waits for an answer.
        QTest::newRow("while its message box waits") << true << QByteArray("ConfigFile: Backup config loaded");
        QTest::newRow("while it starts") << false << QByteArray("INFO - Start");
    }
    void sigtermEndsTheStart()
    {
        QFETCH(bool, brokenWorkingFile);
        QFETCH(QByteArray, signalAfter);
        if (brokenWorkingFile) {
            QVERIFY(QDir().mkpath(backupsFolder()));
            QVERIFY(QFile::copy(QFileInfo(R7_APP_EXECUTABLE).path() + "/Starter Mappings.kvlf",
                                backupsFolder() + "/AutoBackup_0.kvlf"));
            QFile working(configFolder() + "/autosave.kvlf");
            QVERIFY(working.open(QIODevice::WriteOnly));
            working.write("{ \"not\": ");
        }
        auto program = start({"hide"});
        QVERIFY(waitForLog(signalAfter));
        if (brokenWorkingFile)
            QTest::qWait(300); // the box is open
        ::kill(pid_t(program->processId()), SIGTERM);
        // Generous for a loaded machine; left alone, the box waits for ever.
        QVERIFY2(program->waitForFinished(10000), log().constData());
        QCOMPARE(program->exitStatus(), QProcess::NormalExit);
        QCOMPARE(program->exitCode(), 0);
    }
};

QTEST_GUILESS_MAIN(TestQuitOnSignal)
#include "tst_quitonsignal.moc"
