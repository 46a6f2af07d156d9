// The binding to the bootloader library, against the fake library in the
// "fw" folder beside this test: the connection order, the retries and their
// waits, and the library's error texts.
#include "Blfwk.h"
#include "UpdateClock.h"

#include "FakeBlfwkControl.h"
#include "LogRecorder.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QSet>
#include <QThread>
#include <QtTest>

// QtTest's watchdog thread is detached: QTest::qExec waits only until its run
// has ended, and the thread drops its reference to its thread data only in
// its own last step, after that. A test as short as this one can end the
// process while the thread is still ending, and LeakSanitizer then reports
// that data (allocated in the watchdog's QThread constructor) as lost. So
// the process waits for that one thread to be gone; any other thread still
// running at the end is reported as before.
class QtTestWatchdog
{
public:
    static void noteThreadsBeforeRun() { before() = threadIds(); }
    // From the first test function on: QtTest starts the watchdog before it.
    static void noteWatchdog() { watchdog() = threadIds() - before(); }
    static void awaitEnd()
    {
        const QDeadlineTimer deadline(5000);
        while (threadIds().intersects(watchdog()) && !deadline.hasExpired())
            QThread::msleep(1);
    }

private:
    static QSet<QString> threadIds()
    {
        const QStringList ids = QDir(QStringLiteral("/proc/self/task")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
        return QSet<QString>(ids.cbegin(), ids.cend());
    }
    static QSet<QString> &before()
    {
        static QSet<QString> ids;
        return ids;
    }
    static QSet<QString> &watchdog()
    {
        static QSet<QString> ids;
        return ids;
    }
};

class TestBlfwk : public QObject
{
    Q_OBJECT

private:
    FakeBlfwkControl fake;
    int waits = 0;

    bool connectTo(Blfwk &binding, int productId)
    {
        fake.setPresent(productId);
        return binding.connect();
    }

private slots:
    void initTestCase()
    {
        QtTestWatchdog::noteWatchdog();
        QVERIFY(fake.isLoaded());
        UpdateClock::setDivisor(100);
        UpdateClock::setObserver([this](int ms) { waits += ms == Blfwk::attemptWaitMs; });
    }

    void cleanupTestCase() { UpdateClock::setObserver({}); }

    void init()
    {
        fake.restore();
        waits = 0;
    }

    void connectsToTheMakersBootloaderFirst()
    {
        Blfwk binding;
        LogRecorder log;
        QVERIFY(connectTo(binding, 7));
        QCOMPARE(log.lines(),
                 QStringList({"Blfwk: Connecting to Bootloader...", "Blfwk: connected to V Mouse bootloader"}));
        QCOMPARE(fake.calls(), QStringList{"connect 0x214e 0x7"});
        QCOMPARE(waits, 0);
    }

    void connectFallsBackToTheRomBootloader()
    {
        Blfwk binding;
        LogRecorder log;
        QVERIFY(connectTo(binding, 115));
        QCOMPARE(log.lines(), QStringList({"Blfwk: Connecting to Bootloader...",
                                           "Blfwk: Could not connect to V Mouse Bootloader: no bootloader answers at "
                                           "0x214e:0x7",
                                           "Blfwk: connected to Kinesis bootloader"}));
        QCOMPARE(fake.calls(), QStringList({"connect 0x214e 0x7", "connect 0x15a2 0x73"}));
    }

    void connectFailsWithoutBootloader()
    {
        Blfwk binding;
        LogRecorder log;
        QVERIFY(!connectTo(binding, 0));
        QCOMPARE(log.lines().last(), QString("Blfwk: connect fail no bootloader answers at 0x15a2:0x73"));
        QCOMPARE(fake.calls().size(), 2);
    }

    // The slot starts with a value of the binding's own; the library's
    // handle written by connect is what the other calls receive.
    void callsPassTheHandleThatConnectWrote()
    {
        Blfwk binding;
        {
            LogRecorder log;
            QVERIFY(!binding.eraseFlashRegionWithRetries(0x400, 16));
            QCOMPARE(log.count("Blfwk: eraseFlashRegionWithRetries not connected"), 5);
        }
        QVERIFY(connectTo(binding, 7));
        QVERIFY(binding.eraseFlashRegionWithRetries(0x400, 16));
    }

    void operationsRetryFiveTimes_data()
    {
        QTest::addColumn<QString>("operation");
        QTest::addColumn<QString>("entryPoint");
        QTest::addColumn<int>("failures");
        QTest::addColumn<bool>("result");
        QTest::addColumn<int>("expectedWaits");
        for (const auto &[operation, entry] :
             {std::pair<QString, QString>{"eraseFlashRegionWithRetries", "eraseFlashRegion"},
              {"writeFlashDataWithRetries", "writeFlashData"},
              {"readFlashWithRetries", "readFlash"},
              {"resetWithRetries", "reset"},
              {"flashFirmware", "flashFirmwareWithProgressCallback"}}) {
            const QByteArray name = operation.toLatin1();
            QTest::newRow(name + " at once") << operation << entry << 0 << true << 1;
            QTest::newRow(name + " after four failures") << operation << entry << 4 << true << 5;
            QTest::newRow(name + " never") << operation << entry << 5 << false << 5;
        }
    }

    void operationsRetryFiveTimes()
    {
        QFETCH(QString, operation);
        QFETCH(QString, entryPoint);
        QFETCH(int, failures);
        QFETCH(bool, result);
        QFETCH(int, expectedWaits);
        QTemporaryDir dir;
        const QString hexPath = dir.filePath("image.hex");
        QFile hex(hexPath);
        QVERIFY(hex.open(QIODevice::WriteOnly));
        hex.write(":0400000001020304F2\n:00000001FF\n");
        hex.close();

        Blfwk binding;
        QVERIFY(connectTo(binding, 7));
        fake.failNext(entryPoint.toLatin1().constData(), failures);
        fake.setPercentages({});
        waits = 0;
        LogRecorder log;
        bool done = false;
        QByteArray read;
        if (operation == "eraseFlashRegionWithRetries")
            done = binding.eraseFlashRegionWithRetries(0x1000, 32);
        else if (operation == "writeFlashDataWithRetries")
            done = binding.writeFlashDataWithRetries(0x1000, QByteArray::fromHex("0102"));
        else if (operation == "readFlashWithRetries")
            done = binding.readFlashWithRetries(0x1000, 24, read);
        else if (operation == "resetWithRetries")
            done = binding.resetWithRetries();
        else
            done = binding.flashFirmware(QFile::encodeName(hexPath), 0, nullptr);

        QCOMPARE(done, result);
        QCOMPARE(waits, expectedWaits);
        QCOMPARE(log.count("Blfwk: " + operation + " scripted failure of " + entryPoint), failures);
        QCOMPARE(fake.callsStartingWith(fake.calls().last().section(' ', 0, 0)).size(), expectedWaits);
        if (operation == "readFlashWithRetries" && result)
            QCOMPARE(read, QByteArray(24, char(0xFF)));
        if (operation == "resetWithRetries")
            QCOMPARE(log.count("Blfwk: resetWithRetries"), 1 + failures);
    }

    void readHandsBackTheRequestedLength_data()
    {
        QTest::addColumn<int>("length");
        QTest::newRow("one byte") << 1;
        QTest::newRow("security block") << 16;
        QTest::newRow("BootloaderConfigExt") << 160;
    }

    void readHandsBackTheRequestedLength()
    {
        QFETCH(int, length);
        Blfwk binding;
        QVERIFY(connectTo(binding, 7));
        QVERIFY(binding.writeFlashDataWithRetries(0x3D800, QByteArray(200, 0x11)));
        QByteArray out(500, 'x');
        QVERIFY(binding.readFlashWithRetries(0x3D800, uint32_t(length), out));
        QCOMPARE(out, QByteArray(length, 0x11));
    }

    // The library may fill the whole buffer without ending the text.
    void errorTextFillingTheBufferIsReadWithinIt()
    {
        Blfwk binding;
        QVERIFY(connectTo(binding, 7));
        fake.setFullErrorText(true);
        fake.failNext("eraseFlashRegion", 1);
        LogRecorder log;
        QVERIFY(binding.eraseFlashRegionWithRetries(0, 1024));
        const QStringList warnings = log.matching("Blfwk: eraseFlashRegionWithRetries ");
        QCOMPARE(warnings.size(), 1);
        const QString text = warnings.first().mid(QString("Blfwk: eraseFlashRegionWithRetries ").size());
        QCOMPARE(text.size(), Blfwk::errorBufferSize);
        QVERIFY(text.startsWith("scripted failure of eraseFlashRegionscripted"));
    }
};

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    app.setAttribute(Qt::AA_Use96Dpi, true);
    TestBlfwk test;
    QTEST_SET_MAIN_SOURCE_PATH
    QtTestWatchdog::noteThreadsBeforeRun();
    const int result = QTest::qExec(&test, argc, argv);
    QtTestWatchdog::awaitEnd();
    return result;
}

#include "tst_blfwk.moc"
