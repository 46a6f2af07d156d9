#include "ConfigFile.h"
#include "SampleModel.h"
#include "StoreFixture.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QtTest>

#include <csignal>

namespace {

const QString program = QStringLiteral(R7_PROGRAM);

} // namespace

using StoreFixture::readFile;
using StoreFixture::writeFile;

// The program itself, started as the desktop session's autostart entry
// starts it.
class TestProgramRun : public QObject
{
    Q_OBJECT

private slots:
    // Started hidden over a working file, it loads that file, backs it up,
    // refreshes the starter copy from its own folder, and ends cleanly on
    // SIGTERM without touching the working file.
    void hiddenStartBacksUpTheWorkingFile()
    {
        const QString config =
            QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + "/Corvanelle R7 Control Panel";
        const QString documents =
            QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) + "/Corvanelle R7 Settings";
        SampleModel::buildFullModel();
        const QByteArray working = ConfigFile::instance()->writeBytes();
        QVERIFY(writeFile(config + "/autosave.kvlf", working));
        const QByteArray shippedStarter = readFile(QFileInfo(program).path() + "/Starter Mappings.kvlf");
        QVERIFY(shippedStarter != StoreFixture::missing);

        QProcess run;
        run.setProcessChannelMode(QProcess::MergedChannels);
        run.start(program, {"hide"});
        QVERIFY(run.waitForStarted());
        // What the program printed and logged, for when it did not get there.
        QByteArray output;
        const auto report = [&] {
            output += run.readAll();
            return QByteArray("state " + QByteArray::number(run.state()) + ", exit code "
                              + QByteArray::number(run.exitCode()) + "\n" + output + "\nlog:\n"
                              + readFile(config + "/log.txt"));
        };
        QTRY_VERIFY2_WITH_TIMEOUT(readFile(documents + "/Backups/AutoBackup_0.kvlf") == working,
                                  report().constData(), 60000);
        QTRY_VERIFY2_WITH_TIMEOUT(readFile(config + "/Starter Mappings.kvlf") == shippedStarter,
                                  report().constData(), 10000);
        QCOMPARE(run.state(), QProcess::Running);

        ::kill(pid_t(run.processId()), SIGTERM);
        QVERIFY(run.waitForFinished(60000));
        QVERIFY2(run.exitStatus() == QProcess::NormalExit && run.exitCode() == 0, report().constData());
        QCOMPARE(readFile(config + "/autosave.kvlf"), working);
        const QByteArray log = readFile(config + "/log.txt");
        QVERIFY2(log.contains("copyStarterFile: true"), log.constData());
    }
};

QTEST_GUILESS_MAIN(TestProgramRun)
#include "tst_programrun.moc"
