// The firmware update end to end: the dialog and its state machine drive the
// simulated mouse into its bootloader, and the fake bootloader library (in
// the "fw" folder beside this test, with "VMFW.hex", the GCC fixture) takes
// the flashing. Every wait is shortened through UpdateClock.
#include "AppFont.h"
#include "FWUpdate.h"
#include "FirmwareFlasher.h"
#include "MouseFunctions.h"
#include "UpdateClock.h"

#include "ConnectedMouse.h"
#include "FakeBlfwkControl.h"
#include "LogRecorder.h"
#include "ProcessStateGuard.h"
#include "SimulatedMouse.h"
#include "TestImages.h"
#include "WidgetDriver.h"

#include <QDir>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>
#include <memory>
#include <optional>

using namespace TestImages;

namespace {

constexpr int fastDivisor = 100;
constexpr int resultTimeoutMs = 30000;

} // namespace

class TestFWUpdate : public QObject
{
    Q_OBJECT

private:
    FakeBlfwkControl fake;
    std::optional<ProcessStateGuard> clean;
    std::unique_ptr<ConnectedMouse> fixture;
    QTemporaryDir dir;
    // What the test does at the fake's next reset, besides moving the mouse.
    std::function<void(int bootedProductId)> atReset;
    QVector<int> waitsAsked;

    SimulatedMouse *mouse() const { return fixture->mouse(); }
    MouseFunctions *device() const { return MouseFunctions::instance(); }
    FWUpdate *update() const { return FWUpdate::instance(); }
    QLabel *label() const { return WidgetDriver::child<QLabel>(update(), "label_text"); }
    QProgressBar *bar() const { return WidgetDriver::child<QProgressBar>(update(), "progressBar"); }
    QPushButton *finish() const { return WidgetDriver::child<QPushButton>(update(), "pushButton_finish"); }

    // The chip restarted: as the ROM bootloader, or on its firmware.
    static void chipReset(int bootedProductId, void *context)
    {
        auto *test = static_cast<TestFWUpdate *>(context);
        if (bootedProductId)
            test->mouse()->plugInAsBootloader(bootedProductId);
        else
            test->mouse()->leaveBootloader();
        if (test->atReset)
            test->atReset(bootedProductId);
    }

    // The fake answers as the bootloader the simulated mouse is in.
    void followMouse()
    {
        connect(mouse(), &SimulatedMouse::pluggedIn, this,
                [this](int pid) { fake.setPresent(mouse()->inBootloader() ? pid : 0); });
        connect(mouse(), &SimulatedMouse::unplugged, this, [this] { fake.setPresent(0); });
        syncFake();
    }
    void syncFake()
    {
        fake.setPresent(mouse()->isPluggedIn() && mouse()->inBootloader() ? mouse()->connectedProductId() : 0);
        fake.setResetHook(&TestFWUpdate::chipReset, this);
    }
    // Start-bootloader commands (2,1,1) the mouse was sent, in whatever mode.
    int bootloaderRequests() const
    {
        int count = 0;
        for (const QVector<uint8_t> &report : mouse()->outputReports())
            count += report.size() > 3 && report[2] == ((2 << 6) | 1) && report[3] == 1;
        return count;
    }

    void connectMouse(int pid = 5)
    {
        fixture = std::make_unique<ConnectedMouse>(pid);
        fixture->connect();
        followMouse();
    }

    // A mouse that is on the bus as a bootloader when the program starts.
    void connectBootloader(int bootloaderPid)
    {
        fixture = std::make_unique<ConnectedMouse>(5);
        mouse()->plugInAsBootloader(bootloaderPid);
        fixture->start();
        QTRY_COMPARE(device()->mousePID(), bootloaderPid);
        followMouse();
    }

    bool resultShown() const { return !finish()->isHidden(); }
    bool waitForResult()
    {
        return QTest::qWaitFor([this] { return resultShown(); }, resultTimeoutMs);
    }
    QString pageTitle() const
    {
        const QString html = label()->text();
        const int start = html.indexOf("<h3 style='text-align: center;'>");
        return start < 0 ? QString() : html.mid(start + 32, html.indexOf("</h3>") - start - 32);
    }
    QString customImage(const QStringList &image)
    {
        const QString path = dir.filePath("custom.hex");
        return writeFile(path, image.join('\n').toUtf8()) ? path : QString();
    }
    // The flash holds every data byte of the image.
    void expectImageInFlash(const QStringList &image)
    {
        for (const auto &[address, value] : imageBytes(image)) {
            if (fake.flash(address, 1) != QByteArray(1, char(value)))
                QFAIL(qPrintable(QString("flash differs from the image at 0x%1").arg(address, 0, 16)));
        }
    }
    QStringList flashChanges() const
    {
        return fake.callsStartingWith("erase") + fake.callsStartingWith("write") + fake.callsStartingWith("flash");
    }

private slots:
    void initTestCase()
    {
        QVERIFY(fake.isLoaded());
        QVERIFY(dir.isValid());
        // The program's style sheets give every widget this font.
        QApplication::setFont(appFont());
        UpdateClock::setObserver([this](int ms) { waitsAsked.append(ms); });
    }

    void cleanupTestCase() { UpdateClock::setObserver({}); }

    void init()
    {
        clean.emplace();
        fake.restore();
        UpdateClock::setDivisor(fastDivisor);
        waitsAsked.clear();
        atReset = nullptr;
    }

    void cleanup()
    {
        FWUpdate::destroyInstance();
        fixture.reset();
        clean.reset();
        QDir(FirmwareFlasher::workingFolder()).removeRecursively();
    }

    void updatesARunningMouse()
    {
        // Slow enough to look at the 10 s after completion on the way.
        UpdateClock::setDivisor(5);
        connectMouse(5);
        fake.setPercentages({0, 50, 50, 100});
        QSignalSpy restores(device(), &MouseFunctions::fwRestoreRequired);
        QSignalSpy barValues(bar(), &QProgressBar::valueChanged);
        LogRecorder log;

        update()->startCustomUpdate(QString());
        QVERIFY(update()->isVisible());
        QVERIFY(update()->isModal());
        QVERIFY(update()->windowFlags() & Qt::FramelessWindowHint);
        QVERIFY(update()->windowFlags() & Qt::Tool);
        QVERIFY(update()->testAttribute(Qt::WA_TranslucentBackground));
        QCOMPARE(update()->size(), QSize(430, 241));
        QCOMPARE(update()->state(), int(FWUpdate::eStartBootloader));
        QCOMPARE(device()->operationMode(), 2);
        QVERIFY(finish()->isHidden());
        QVERIFY(label()->text().contains("Do not unplug the mouse or launch any other<br>software until the firmware "
                                         "upgrade is complete.<br><br>This should take approximately 60 seconds"));
        QVERIFY(!WidgetDriver::grabToPng(update(), "working-page").isEmpty());
        // Once USB has settled, with the bar at 28.
        QString progressPicture;
        atReset = [&](int) {
            if (progressPicture.isEmpty())
                progressPicture = WidgetDriver::grabToPng(update(), "working-page-progress");
        };

        QVERIFY(waitForResult());
        QVERIFY(!progressPicture.isEmpty());
        QCOMPARE(pageTitle(), QString("Upgrade Complete"));
        QVERIFY(label()->text().contains("If the mouse is not responding after 10 seconds,<br>please unplug"));
        QVERIFY(bar()->isHidden());
        QCOMPARE(update()->state(), int(FWUpdate::eWaitReconnect));
        QCOMPARE(device()->operationMode(), 0);
        QVERIFY(!WidgetDriver::grabToPng(update(), "completion-page").isEmpty());

        // The bootloader was asked for once; the mouse came back as 7.
        QCOMPARE(bootloaderRequests(), 1);
        QCOMPARE(fake.calls().first(), QString("connect 0x214e 0x7"));
        QVERIFY(log.indexOf("Blfwk: connected to V Mouse bootloader") < log.indexOf("FWUpdate: Waiting for USB"));
        // After the bootloader-mode reset the ROM bootloader answered.
        QVERIFY(
            log.indexOf("Blfwk: connected to Kinesis bootloader", log.indexOf("FWUpdate: resetting bootloader (2nd)"))
            > 0);

        // Everything the image holds is in the flash: the sector image at 0
        // (0xFF between the Vectors and the configuration) and, at 0x400, the
        // image's own Flash Config rather than the bootloader-mode one.
        const QStringList image = fixtureLines("gcc.hex");
        expectImageInFlash(image);
        QCOMPARE(fake.flash(0x100, 0x3C0 - 0x100), QByteArray(0x3C0 - 0x100, char(0xFF)));
        QCOMPARE(fake.flash(0x400, 16), QByteArray::fromHex("FFFFFFFFFFFFFFFFFFFFFFFFFE3DFFFF"));
        QCOMPARE(fake.callsStartingWith("flash"), QStringList{"flash " + FirmwareFlasher::reducedFilePath() + " 0"});

        // 1 at the bootloader request, 4 to 28 while USB settles, then the
        // flashing's 0, 50 and 100 % (the repeated 50 % logged once).
        QList<int> values;
        for (const QList<QVariant> &signal : barValues)
            values.append(signal.at(0).toInt());
        QCOMPARE(values, QList<int>({0, 1, 4, 6, 8, 10, 12, 14, 16, 18, 20, 22, 24, 26, 28, 30, 65, 95}));
        QCOMPARE(log.count("FWUpdate: progressCallback"), 3);
        QVERIFY(!QFile::exists(FirmwareFlasher::workingCopyPath()));
        QVERIFY(QFile::exists(FirmwareFlasher::reducedFilePath()));

        // The last reset started the new firmware; a bootloader showing up
        // within the 10 s is no reason for a restore.
        QTRY_COMPARE(device()->mousePID(), 5);
        mouse()->plugInAsBootloader(7);
        QTRY_COMPARE(device()->mousePID(), 7);
        QCOMPARE(restores.count(), 0);

        QVERIFY(WidgetDriver::click(update(), "pushButton_finish"));
        QVERIFY(!update()->isVisible());
        QCOMPARE(update()->state(), int(FWUpdate::eWaitReconnect));
        QCOMPARE(waitsAsked.count(FWUpdate::completionDelayMs), 1);
        QTRY_COMPARE(update()->state(), int(FWUpdate::eNone));

        // Idle again: a bootloader now leads to the restore offer.
        mouse()->leaveBootloader();
        QTRY_COMPARE(device()->mousePID(), 5);
        mouse()->plugInAsBootloader(7);
        QTRY_COMPARE(restores.count(), 1);
        QCOMPARE(restores.at(0).at(0).toInt(), 6);
    }

    void flashesAMouseAlreadyInItsBootloader_data()
    {
        QTest::addColumn<int>("bootloader");
        QTest::addColumn<bool>("restore");
        QTest::newRow("maker's bootloader") << 7 << false;
        QTest::newRow("ROM bootloader") << 115 << false;
        QTest::newRow("restore") << 7 << true;
    }

    void flashesAMouseAlreadyInItsBootloader()
    {
        QFETCH(int, bootloader);
        QFETCH(bool, restore);
        connectBootloader(bootloader);
        LogRecorder log;
        if (restore)
            update()->restoreFirmware();
        else
            update()->startCustomUpdate(QString());
        QCOMPARE(update()->state(), int(FWUpdate::eUploadApplication));
        QCOMPARE(log.count(restore ? "FWUpdate: Restoring firmware..." : "FWUpdate: start custom firmware update"), 1);
        QVERIFY(waitForResult());
        QCOMPARE(pageTitle(), QString("Upgrade Complete"));
        QCOMPARE(bootloaderRequests(), 0);
        QCOMPARE(waitsAsked.count(FWUpdate::stepDelayMs), 1);
        expectImageInFlash(fixtureLines("gcc.hex"));
    }

    void customImageServesOneUpdate()
    {
        connectBootloader(7);
        const QStringList keil = fixtureLines("keil.hex");
        LogRecorder log;
        update()->startCustomUpdate(customImage(keil));
        QVERIFY(waitForResult());
        QCOMPARE(pageTitle(), QString("Upgrade Complete"));
        QCOMPARE(log.count("FWUpdate: Keil Firmware Detected"), 1);
        QCOMPARE(log.count("FWUpdate: created " + FirmwareFlasher::workingCopyPath()), 1);
        expectImageInFlash(keil);

        // The next update without a path takes the default image.
        QTRY_COMPARE(device()->mousePID(), 5);
        update()->startCustomUpdate(QString());
        QVERIFY(waitForResult());
        QCOMPARE(pageTitle(), QString("Upgrade Complete"));
        QCOMPARE(log.count("FWUpdate: GCC Firmware Detected"), 1);
        expectImageInFlash(fixtureLines("gcc.hex"));
    }

    void verifyIsRetriedThreeTimes_data()
    {
        QTest::addColumn<int>("mismatches");
        QTest::addColumn<QString>("title");
        QTest::addColumn<int>("reads");
        // Three reads of the bootloader-mode Flash Config, and after success
        // one of the firmware's.
        QTest::newRow("two mismatches") << 2 << "Upgrade Complete" << 4;
        QTest::newRow("three mismatches") << 3 << "Upgrade Failed" << 3;
    }

    void verifyIsRetriedThreeTimes()
    {
        QFETCH(int, mismatches);
        QFETCH(QString, title);
        QFETCH(int, reads);
        connectBootloader(7);
        fake.corruptReads(0x400, mismatches);
        LogRecorder log;
        update()->startCustomUpdate(QString());
        QVERIFY(waitForResult());
        QCOMPARE(pageTitle(), title);
        QCOMPARE(fake.callsStartingWith("read 0x400 16").size(), reads);
        QCOMPARE(fake.callsStartingWith("erase 0x400 16").size(), reads);
        QCOMPARE(log.count("FWUpdate: failed in verify read phase of erase/write/verify."), mismatches == 3);
        if (mismatches == 3) {
            QVERIFY(label()->text().contains("Unexpected error occured<br>"));
            QVERIFY(log.contains("FWUpdate: exception doing upgrade DoEraseWriteVerifyWithRetries failed"));
            QVERIFY(fake.callsStartingWith("flash").isEmpty());
        }
    }

    void failuresEndWithUpgradeFailed_data()
    {
        QTest::addColumn<QString>("entryPoint");
        QTest::addColumn<int>("failures");
        QTest::addColumn<QString>("message");
        QTest::newRow("read BootloaderConfigExt")
            << "readFlash" << 5 << "failed while reading BootloaderConfigExt from flash";
        QTest::newRow("erase") << "eraseFlashRegion" << 15 << "DoEraseWriteVerifyWithRetries failed";
        QTest::newRow("reset") << "reset" << 5 << "failed while resetting mouse bootloader";
        QTest::newRow("reconnect") << "" << 0 << "failed to reconnect";
        QTest::newRow("flash") << "flashFirmwareWithProgressCallback" << 5 << "Failed while flashing new firmware";
    }

    void failuresEndWithUpgradeFailed()
    {
        QFETCH(QString, entryPoint);
        QFETCH(int, failures);
        QFETCH(QString, message);
        connectBootloader(7);
        if (entryPoint.isEmpty())
            atReset = [this](int) { mouse()->unplug(); };
        else
            fake.failNext(entryPoint.toLatin1().constData(), failures);
        LogRecorder log;
        update()->startCustomUpdate(QString());
        QVERIFY(waitForResult());
        QCOMPARE(pageTitle(), QString("Upgrade Failed"));
        QVERIFY(label()->text().contains("Unexpected error occured<br>"));
        QVERIFY(log.contains("FWUpdate: exception doing upgrade " + message));
        QCOMPARE(update()->state(), int(FWUpdate::eNone));
        // The device object stays in its update mode; the files stay.
        QCOMPARE(device()->operationMode(), 2);
        QVERIFY(QFile::exists(FirmwareFlasher::workingCopyPath()));
        QVERIFY(QFile::exists(FirmwareFlasher::reducedFilePath()));
        if (entryPoint == "reset")
            QVERIFY(!WidgetDriver::grabToPng(update(), "failure-page").isEmpty());
    }

    void mouseThatNeverReachesItsBootloader()
    {
        connectMouse(5);
        mouse()->setSilent(true);
        update()->startCustomUpdate(QString());
        QVERIFY(waitForResult());
        QCOMPARE(pageTitle(), QString("Upgrade Failed"));
        QVERIFY(label()->text().contains("Failed to connect to the bootloader.<br>"));
        QCOMPARE(update()->state(), int(FWUpdate::eNone));
        QCOMPARE(fake.calls(), QStringList({"connect 0x214e 0x7", "connect 0x15a2 0x73"}));
    }

    // Nothing reaches the chip from an image that is damaged or whose
    // segments do not fit.
    void refusedImagesWriteNothing_data()
    {
        QTest::addColumn<QStringList>("image");
        QTest::addColumn<QString>("message");
        QTest::newRow("checksum") << withBadChecksum() << "damaged record in line 6 of firmware upgrade file";
        QTest::newRow("cut line") << withCutLine() << "damaged record in line 6 of firmware upgrade file";
        addOversizeRows();
    }

    void refusedImagesWriteNothing()
    {
        QFETCH(QStringList, image);
        QFETCH(QString, message);
        connectBootloader(7);
        LogRecorder log;
        update()->startCustomUpdate(customImage(image));
        QVERIFY(waitForResult());
        QCOMPARE(pageTitle(), QString("Upgrade Failed"));
        QVERIFY(log.contains("FWUpdate: exception doing upgrade " + message));
        QCOMPARE(flashChanges(), QStringList());
        QCOMPARE(fake.callsStartingWith("reset"), QStringList());
    }

    // An image whose bytes would be flashed at other addresses than its own
    // is refused before the bootloader is asked for anything, and the user
    // is told why.
    void misplacingImagesReachNoBootloader_data()
    {
        QTest::addColumn<QStringList>("image");
        QTest::addColumn<QString>("message");
        addMisplacedRows();
    }

    void misplacingImagesReachNoBootloader()
    {
        QFETCH(QStringList, image);
        QFETCH(QString, message);
        connectBootloader(7);
        LogRecorder log;
        update()->startCustomUpdate(customImage(image));
        QVERIFY(waitForResult());
        QCOMPARE(pageTitle(), QString("Upgrade Failed"));
        QVERIFY(label()->text().contains("The firmware file was refused: parts of it would<br>be written to other "
                                         "addresses than it gives them.<br>Nothing was written to the mouse.<br>"));
        QVERIFY(log.contains("FWUpdate: firmware image refused, " + message));
        QCOMPARE(fake.calls(), QStringList());
        QCOMPARE(update()->state(), int(FWUpdate::eNone));
        if (QTest::currentDataTag() == QLatin1String("keil: gap in the Vectors run"))
            QVERIFY(!WidgetDriver::grabToPng(update(), "refused-page").isEmpty());
    }

    // A failed update keeps its working copy; a later copy that fails must
    // not leave that one to be flashed.
    void failedCopyNeverFlashesAnEarlierImage()
    {
        connectBootloader(7);
        fake.failNext("flashFirmwareWithProgressCallback", 5);
        update()->startCustomUpdate(customImage(fixtureLines("keil.hex")));
        QVERIFY(waitForResult());
        QVERIFY(QFile::exists(FirmwareFlasher::workingCopyPath()));

        fake.restore();
        syncFake();
        LogRecorder log;
        update()->startCustomUpdate(dir.filePath("missing.hex"));
        QTRY_VERIFY_WITH_TIMEOUT(log.count("FWUpdate: exception doing upgrade") == 1, resultTimeoutMs);
        QCOMPARE(pageTitle(), QString("Upgrade Failed"));
        QVERIFY(!QFile::exists(FirmwareFlasher::workingCopyPath()));
        QCOMPARE(fake.calls(), QStringList());
    }

    // A reduced file that cannot be written must not leave the earlier one
    // to be flashed.
    void reducedFileThatCannotBeWrittenStopsTheUpdate()
    {
        connectBootloader(7);
        QVERIFY(QDir().mkpath(FirmwareFlasher::reducedFilePath()));
        QVERIFY(writeFile(FirmwareFlasher::reducedFilePath() + "/old", "x"));
        update()->startCustomUpdate(QString());
        QVERIFY(waitForResult());
        QCOMPARE(pageTitle(), QString("Upgrade Failed"));
        QCOMPARE(flashChanges(), QStringList());
    }

    void startDuringAnUpdateIsRefused()
    {
        connectMouse(5);
        LogRecorder log;
        update()->startCustomUpdate(QString());
        update()->startCustomUpdate(customImage(fixtureLines("keil.hex")));
        update()->restoreFirmware();
        QCOMPARE(log.count("FWUpdate: an update is already running, start refused"), 2);
        QCOMPARE(update()->state(), int(FWUpdate::eStartBootloader));

        // Inside the flashing: a start from the menu, and a step, whose timer
        // then fires in one of the binding's waits.
        bool tried = false;
        atReset = [&](int) {
            if (tried)
                return;
            tried = true;
            update()->startCustomUpdate(QString());
            update()->scheduleStep();
            update()->upgradeVMouse();
        };
        QVERIFY(waitForResult());
        QVERIFY(tried);
        QCOMPARE(pageTitle(), QString("Upgrade Complete"));
        QCOMPARE(log.count("FWUpdate: an update is already running, start refused"), 3);
        QCOMPARE(log.count("FWUpdate: flashing already running, not started again"), 1);
        QCOMPARE(log.count("FWUpdate: step refused while flashing"), 1);
        QCOMPARE(fake.callsStartingWith("flash").size(), 1);
        QCOMPARE(log.count("FWUpdate: GCC Firmware Detected"), 1);
        QCOMPARE(bootloaderRequests(), 1);
    }

    // The application object destroys the dialog before it ends, possibly
    // while it is shown and a step is pending.
    void destroyingTheShownDialog()
    {
        connectMouse(5);
        update()->startCustomUpdate(QString());
        QVERIFY(update()->isVisible());
        FWUpdate::destroyInstance();
        QTest::qWait(2 * UpdateClock::interval(FWUpdate::stepDelayMs));
        QCOMPARE(bootloaderRequests(), 0);

        // The device object no longer asks the destroyed dialog for its state.
        QSignalSpy restores(device(), &MouseFunctions::fwRestoreRequired);
        mouse()->plugInAsBootloader(7);
        QTRY_COMPARE(restores.count(), 1);
    }
};

QTEST_MAIN(TestFWUpdate)
#include "tst_fwupdate.moc"
