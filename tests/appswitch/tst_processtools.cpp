// What /proc tells about a process: its executable's path and its short name.
#include "ProcessTools.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <unistd.h>

class TestProcessTools : public QObject
{
    Q_OBJECT

private slots:
    void describesItsOwnProcess()
    {
        const ProcessTools processes;
        const QString executable = QFileInfo(QCoreApplication::applicationFilePath()).canonicalFilePath();
        QCOMPARE(processes.executablePath(quint32(getpid())), executable);
        // The kernel keeps 15 bytes of the name.
        QCOMPARE(processes.shortName(quint32(getpid())), QFileInfo(executable).fileName().left(15));
    }

    void removedExecutableKeepsItsPath()
    {
        QTemporaryDir folder;
        const QString copy = folder.filePath("sleepy copy");
        QVERIFY(QFile::copy(QStandardPaths::findExecutable("sleep"), copy));
        QProcess sleeper;
        sleeper.start(copy, {"300"});
        QVERIFY(sleeper.waitForStarted());
        QVERIFY(QFile::remove(copy));

        const ProcessTools processes;
        QCOMPARE(processes.executablePath(quint32(sleeper.processId())), copy);
        QCOMPARE(processes.shortName(quint32(sleeper.processId())), QString("sleepy copy"));
        sleeper.kill();
        sleeper.waitForFinished();
    }

    void unknownProcessHasNoNames_data()
    {
        QTest::addColumn<quint32>("processId");
        QTest::newRow("no process") << 0u;
        QTest::newRow("beyond any process id") << 0x7fffffffu;
    }
    void unknownProcessHasNoNames()
    {
        QFETCH(quint32, processId);
        const ProcessTools processes;
        QVERIFY(processes.executablePath(processId).isEmpty());
        QVERIFY(processes.shortName(processId).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestProcessTools)
#include "tst_processtools.moc"
