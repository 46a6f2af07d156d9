// Without the bootloader library beside the program (this test runs from a
// folder with no "fw" in it): the program starts, says so once, and an
// update ends at the connection.
#include "Blfwk.h"
#include "FWUpdate.h"
#include "FirmwareFlasher.h"
#include "UpdateClock.h"

#include "LogRecorder.h"
#include "ProcessStateGuard.h"
#include "TestImages.h"
#include "WidgetDriver.h"

#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

#include <optional>

class TestFWUpdateNoLibrary : public QObject
{
    Q_OBJECT

private:
    // From before the library is first looked for.
    std::optional<LogRecorder> log;
    int waits = 0;

    int loadWarnings() const { return log->count("Blfwk: libblfwk_wrapper not loaded"); }

private slots:
    void initTestCase()
    {
        log.emplace();
        UpdateClock::setDivisor(100);
        UpdateClock::setObserver([this](int ms) { waits += ms == Blfwk::attemptWaitMs; });
    }

    void cleanupTestCase()
    {
        UpdateClock::setObserver({});
        log.reset();
    }

    void bindingWithoutLibraryFailsWithoutCalling()
    {
        Blfwk first;
        Blfwk second;
        QVERIFY(!first.connect());
        QVERIFY(!second.connect());
        QByteArray read;
        QVERIFY(!first.eraseFlashRegionWithRetries(0, 1024));
        QVERIFY(!first.writeFlashDataWithRetries(0, QByteArray(4, 0)));
        QVERIFY(!first.readFlashWithRetries(0, 4, read));
        QVERIFY(!first.resetWithRetries());
        QVERIFY(!first.flashFirmware("image.hex", 0, nullptr));
        QCOMPARE(waits, 0);
        QCOMPARE(loadWarnings(), 1);
    }

    void updateEndsAtTheConnection()
    {
        ProcessStateGuard clean;
        FWUpdate *update = FWUpdate::instance();
        update->startCustomUpdate(TestImages::fixturePath("gcc.hex"));
        auto *finish = WidgetDriver::child<QPushButton>(update, "pushButton_finish");
        QTRY_VERIFY_WITH_TIMEOUT(!finish->isHidden(), 10000);
        const QString text = WidgetDriver::child<QLabel>(update, "label_text")->text();
        QVERIFY(text.contains("Upgrade Failed"));
        QVERIFY(text.contains("Failed to connect to the bootloader.<br>"));
        QCOMPARE(update->state(), int(FWUpdate::eNone));
        QCOMPARE(log->count("Blfwk: Connecting to Bootloader..."), 3);
        QCOMPARE(loadWarnings(), 1);
        FWUpdate::destroyInstance();
        QDir(FirmwareFlasher::workingFolder()).removeRecursively();
    }
};

QTEST_MAIN(TestFWUpdateNoLibrary)
#include "tst_fwupdate_nolibrary.moc"
