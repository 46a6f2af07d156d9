// The small helpers the application object and the views share: the rounded
// logo pixmap, reading a text file, and the process list with which the
// older driver program is found and ended.
#include "FakeProcessTools.h"
#include "ProcessTools.h"
#include "ReadTextFile.h"
#include "RoundedPixmap.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>

namespace {

QPixmap filled(int width, int height, const QColor &colour)
{
    QPixmap pixmap(width, height);
    pixmap.fill(colour);
    return pixmap;
}

} // namespace

class TestAppHelpers : public QObject
{
    Q_OBJECT

private slots:
    void roundedPixmapOfNothingIsNothing() { QVERIFY(roundedPixmap(QPixmap(), QSize(64, 64), 8).isNull()); }

    // A wide logo fills the width and sits in the middle from top to bottom;
    // a tall one the other way round; the corners stay clear either way.
    void roundedPixmapCentresTheSource_data()
    {
        QTest::addColumn<QSize>("source");
        QTest::addColumn<QRect>("covered");
        QTest::newRow("wide") << QSize(200, 100) << QRect(0, 16, 64, 32);
        QTest::newRow("tall") << QSize(50, 100) << QRect(16, 0, 32, 64);
        QTest::newRow("square") << QSize(10, 10) << QRect(0, 0, 64, 64);
    }
    void roundedPixmapCentresTheSource()
    {
        QFETCH(QSize, source);
        QFETCH(QRect, covered);
        const QImage image = roundedPixmap(filled(source.width(), source.height(), Qt::red), QSize(64, 64), 12)
                                 .toImage()
                                 .convertToFormat(QImage::Format_ARGB32);
        QCOMPARE(image.size(), QSize(64, 64));
        for (const QPoint corner : {QPoint(0, 0), QPoint(63, 0), QPoint(0, 63), QPoint(63, 63)})
            QCOMPARE(qAlpha(image.pixel(corner)), 0);
        const QPoint inside = covered.center();
        QCOMPARE(image.pixelColor(inside), QColor(Qt::red));
        if (covered.top() > 0) {
            QCOMPARE(qAlpha(image.pixel(32, covered.top() - 2)), 0);
            QCOMPARE(qAlpha(image.pixel(32, covered.bottom() + 2)), 0);
        }
        if (covered.left() > 0) {
            QCOMPARE(qAlpha(image.pixel(covered.left() - 2, 32)), 0);
            QCOMPARE(qAlpha(image.pixel(covered.right() + 2, 32)), 0);
        }
    }

    void readTextFileDecodesUtf8()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath("sheet.css");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("QLabel { content: \"\xc3\xa9\"; }");
        file.close();
        bool ok = false;
        QCOMPARE(readTextFile(path, &ok), QString::fromUtf8("QLabel { content: \"\xc3\xa9\"; }"));
        QVERIFY(ok);
    }

    void readTextFileOfAMissingFileIsEmptyAndLogged()
    {
        QTest::ignoreMessage(QtDebugMsg, QRegularExpression("^Error opening file [^\"]*missing.css [^\"]"));
        bool ok = true;
        QVERIFY(readTextFile(QDir::temp().filePath("missing.css"), &ok).isEmpty());
        QVERIFY(!ok);
    }

    // By the executable's file name, case-sensitively; a process whose
    // executable cannot be read by the 15 bytes the kernel keeps of its name.
    void processesAreFoundByTheirExecutablesName_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("shortName");
        QTest::addColumn<bool>("found");
        QTest::newRow("same name") << "/opt/wine/CorvanelleDriver.exe"
                                   << "" << true;
        QTest::newRow("other case") << "/opt/wine/corvanelledriver.exe"
                                    << "" << false;
        QTest::newRow("name in the folder only") << "/opt/CorvanelleDriver.exe/run"
                                                 << "" << false;
        QTest::newRow("unreadable, short name") << ""
                                                << "CorvanelleDrive" << true;
        QTest::newRow("unreadable, other name") << ""
                                                << "Corvanelle" << false;
        QTest::newRow("readable wins over the short name") << "/usr/bin/wine"
                                                           << "CorvanelleDrive" << false;
    }
    void processesAreFoundByTheirExecutablesName()
    {
        QFETCH(QString, path);
        QFETCH(QString, shortName);
        QFETCH(bool, found);
        FakeProcessTools processes;
        processes.addProcess(7, "/usr/bin/bash", "bash");
        processes.addProcess(42, path, shortName);
        QCOMPARE(processes.findProcesses("CorvanelleDriver.exe"), found ? QList<quint32>{42} : QList<quint32>{});
    }

    void endingWaitsForAProcessThatStaysAtMostTwoSeconds()
    {
        FakeProcessTools processes;
        processes.addProcess(42, "/opt/CorvanelleDriver.exe");
        processes.addProcess(43, "/opt/CorvanelleDriver.exe");
        processes.keepRunning(43);
        QVERIFY(!processes.endProcesses("CorvanelleDriver.exe"));
        QList<quint32> asked = processes.terminated();
        std::sort(asked.begin(), asked.end());
        QCOMPARE(asked, (QList<quint32>{42, 43}));
        QCOMPARE(processes.pauses(), 40); // 40 looks, 50 ms apart
        QCOMPARE(processes.findProcesses("CorvanelleDriver.exe"), QList<quint32>{43});
    }

    // The system's own list: a program of that name started here is seen
    // running, and ended.
    void runningProgramIsFoundAndEnded()
    {
        QTemporaryDir folder;
        const QString copy = folder.filePath("CorvanelleDriver.exe");
        QVERIFY(QFile::copy(QStandardPaths::findExecutable("sleep"), copy));
        QProcess driver;
        driver.start(copy, {"300"});
        QVERIFY(driver.waitForStarted());
        QVERIFY(isProcessRunning("CorvanelleDriver.exe"));
        QVERIFY(!isProcessRunning("corvanelledriver.exe"));
        QVERIFY(ProcessTools::current().endProcesses("CorvanelleDriver.exe"));
        QVERIFY(!isProcessRunning("CorvanelleDriver.exe"));
        QVERIFY(driver.waitForFinished());
        QCOMPARE(driver.exitStatus(), QProcess::CrashExit);
    }
};

QTEST_MAIN(TestAppHelpers)
#include "tst_apphelpers.moc"
