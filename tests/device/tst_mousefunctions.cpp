// The device object against the simulated mouse: connection, firmware and
// bootloader handling, report parsing, the commands and the upload.
#include "Crc16.h"
#include "InputMapAction_Button.h"
#include "MouseFunctions.h"
#include "OutputAction_Haptic.h"
#include "OutputAction_Keyboard.h"
#include "OutputAction_Led.h"
#include "OutputAction_Oled.h"
#include "OutputAction_Tilts.h"
#include "PackageCreator.h"
#include "SettingsFile.h"

#include "ConnectedMouse.h"
#include "FakeHidTransport.h"
#include "OutputBuilders.h"
#include "ProcessStateGuard.h"
#include "SimulatedMouse.h"

#include <QElapsedTimer>
#include <QSettings>
#include <QSignalSpy>
#include <QThread>
#include <QtTest>

#include <memory>
#include <optional>

namespace {

using Bytes = QVector<uint8_t>;

InputMapPtr buttonMapping(int buttonId, const OutputPtr &output)
{
    auto mapping = std::make_shared<InputMapAction_Button>();
    mapping->buttonId = buttonId;
    mapping->activationOutputs = {output};
    return mapping;
}

InputMapPtr textMapping(int buttonId, int length)
{
    return buttonMapping(buttonId, text(QByteArray(length, 'a')));
}

InputMapPtr keyMapping(int buttonId, int usage)
{
    return buttonMapping(buttonId, keyInGroup(1, usage));
}

// The payload of the upload command, reassembled from the written packets.
Bytes uploadPayloadWritten(const QVector<Bytes> &packets)
{
    Bytes payload;
    for (const Bytes &p : packets) {
        if (p.size() >= 6 && p[2] == ((1 << 6) | 10) && p[3] == 1)
            payload << p.mid(6, p[5] & 0x3F);
    }
    return payload;
}

int uploadPacketsWritten(const QVector<Bytes> &packets)
{
    int count = 0;
    for (const Bytes &p : packets)
        count += p.size() >= 4 && p[2] == ((1 << 6) | 10) && p[3] == 1;
    return count;
}

} // namespace

class TestMouseFunctions : public QObject
{
    Q_OBJECT

private:
    PackageCreator *store = PackageCreator::instance();
    std::optional<ProcessStateGuard> clean;
    std::unique_ptr<ConnectedMouse> fixture;
    SimulatedMouse *mouse = nullptr;
    FakeHidTransport *transport = nullptr; // owned by the device object

    MouseFunctions *device() { return MouseFunctions::instance(); }

    // Creates the device object on the simulated mouse.
    void startDevice()
    {
        fixture->start();
        transport = fixture->transport();
    }

    // A mouse of that model on the bus, connected and through its queries.
    void connectMouse(int pid = 20)
    {
        fixture->connect(pid);
        transport = fixture->transport();
    }

    // Global profile and two profiles with a mapping each; Work is active.
    void buildTwoProfiles()
    {
        ProfileData *global = store->addProfile(255, 255, "Global");
        global->inputMaps = {keyMapping(3, 0x04)};
        ProfileData *work = store->addProfile(1, 255, "Work");
        work->inputMaps = {keyMapping(0, 0x05), keyMapping(4, 0x06)};
        ProfileData *game = store->addProfile(2, 255, "Game");
        game->inputMaps = {textMapping(1, 12)};
        store->setActiveProfile(work);
        store->setCurrentProfile(global);
        store->loading = false;
    }

    // A model whose package is exactly size bytes (text outputs fill it).
    QByteArray modelWithPackageOf(int size)
    {
        store->addProfile(255, 255, "Global");
        store->loading = false;
        InputMapList maps;
        store->setInputMaps(maps);
        int now = store->package().size();
        while (now + 80 < size) {
            maps.append(textMapping(maps.size() % 13, 50));
            store->setInputMaps(maps);
            now = store->package().size();
        }
        maps.append(textMapping(maps.size() % 13, 1));
        store->setInputMaps(maps);
        const int missing = size - store->package().size();
        auto text = std::static_pointer_cast<OutputAction_Keyboard>(maps.last()->activationOutputs.first());
        text->keyString = QByteArray(1 + missing, 'a');
        return store->package();
    }

private slots:
    void init()
    {
        clean.emplace();
        fixture = std::make_unique<ConnectedMouse>();
        mouse = fixture->mouse();
        transport = nullptr;
    }

    void cleanup()
    {
        fixture.reset();
        mouse = nullptr;
        transport = nullptr;
        clean.reset();
    }

    // --- The model before and after a connection

    void startsWithTheLastConnectedModel()
    {
        QSettings(SettingsFile::path(), QSettings::IniFormat).setValue("LastMouseConnected", 20);
        QCOMPARE(device()->mousePID(), 20);
        QVERIFY(device()->hasBacklight());
        QVERIFY(!device()->isBootloader());
        QVERIFY(!device()->hasHaptics());
        QCOMPARE(device()->waitState(), int(MouseFunctions::WaitDisconnected));
        QVERIFY(device()->capabilities().logoLed);
        QCOMPARE(device()->maxDpi(), 12000);
        QCOMPARE(device()->dpiStep(), 100);

        QSettings(SettingsFile::path(), QSettings::IniFormat).setValue("LastMouseConnected", 10);
        QCOMPARE(MouseFunctions::lastMouseConnected(), 10);
        QCOMPARE(device()->mousePID(), 20); // read once, at construction
    }

    void capabilitiesFollowTheModel_data()
    {
        QTest::addColumn<int>("model");
        QTest::addColumn<bool>("tilt");
        QTest::addColumn<bool>("oled");
        QTest::addColumn<bool>("logoLed");
        QTest::addColumn<bool>("haptics");
        QTest::newRow("5") << 5 << true << true << true << true;
        QTest::newRow("10") << 10 << false << false << false << true;
        QTest::newRow("15") << 15 << false << false << false << false;
        QTest::newRow("20") << 20 << false << false << true << false;
        QTest::newRow("25") << 25 << false << false << false << false;
        QTest::newRow("30") << 30 << true << true << true << true;
        QTest::newRow("none") << 0 << false << false << false << false;
    }

    void capabilitiesFollowTheModel()
    {
        QFETCH(int, model);
        QFETCH(bool, tilt);
        QFETCH(bool, oled);
        QFETCH(bool, logoLed);
        QFETCH(bool, haptics);
        const MouseCapabilities c = MouseCapabilities::forModel(model);
        QCOMPARE(c.tilt, tilt);
        QCOMPARE(c.oled, oled);
        QCOMPARE(c.logoLed, logoLed);
        QCOMPARE(c.haptics, haptics);
        QCOMPARE(c.dpiStep, 100);
        QCOMPARE(c.maxDpi, 12000);

        QCOMPARE(c.supportsOutput(OutputAction_Haptic(80)), haptics);
        for (int code : {97, 98, 103})
            QCOMPARE(c.supportsOutput(OutputAction_Oled(code)), oled);
        QCOMPARE(c.supportsOutput(OutputAction_Tilts(114)), tilt);
        QCOMPARE(c.supportsOutput(OutputAction_Led(95)), logoLed);
        QVERIFY(c.supportsOutput(OutputAction_Keyboard(30)));
    }

    void outputDescriptionsFollowTheConnectedModel()
    {
        QVERIFY(OutputActionConfig::isSupported(OutputAction_Haptic(80))); // no device object yet
        connectMouse(20);
        QVERIFY(!OutputActionConfig::isSupported(OutputAction_Haptic(80)));
        QVERIFY(OutputActionConfig::isSupported(OutputAction_Led(95)));
        QVERIFY(OutputActionConfig::isSupported(OutputAction_Keyboard(30)));

        mouse->unplug();
        mouse->setProductId(10);
        mouse->plugIn();
        QTRY_COMPARE(device()->mousePID(), 10);
        QTRY_VERIFY(OutputActionConfig::isSupported(OutputAction_Haptic(80)));
        QVERIFY(!OutputActionConfig::isSupported(OutputAction_Led(95)));

        MouseFunctions::destroyInstance();
        QVERIFY(OutputActionConfig::isSupported(OutputAction_Led(95)));
    }

    void snapsDpiToTheSensor_data()
    {
        QTest::addColumn<int>("maxDpi");
        QTest::addColumn<int>("step");
        QTest::addColumn<int>("dpi");
        QTest::addColumn<int>("snapped");
        QTest::newRow("above maximum") << 26000 << 50 << 30000 << 26000;
        QTest::newRow("below one step") << 12000 << 100 << 30 << 100;
        QTest::newRow("between steps") << 12000 << 100 << 1250 << 1200;
        QTest::newRow("fine step") << 26000 << 50 << 1275 << 1250;
        QTest::newRow("maximum off the step grid") << 12050 << 100 << 20000 << 12000;
    }

    void snapsDpiToTheSensor()
    {
        QFETCH(int, maxDpi);
        QFETCH(int, step);
        QFETCH(int, dpi);
        QFETCH(int, snapped);
        MouseCapabilities c;
        c.maxDpi = maxDpi;
        c.dpiStep = step;
        QCOMPARE(c.snapDpi(dpi), snapped);
    }

    // --- Connecting

    void connectSequenceQueriesTheSensor_data()
    {
        QTest::addColumn<int>("sensor");
        QTest::addColumn<int>("step");
        QTest::addColumn<int>("maxDpi");
        QTest::addColumn<int>("dpiStep");
        QTest::newRow("sensor 1, step 0") << 1 << 0 << 26000 << 100;
        QTest::newRow("sensor 1, step 50") << 1 << 50 << 26000 << 50;
        QTest::newRow("sensor 0, step 0") << 0 << 0 << 12000 << 100;
        QTest::newRow("sensor 3, step 25") << 3 << 25 << 12000 << 25;
    }

    void connectSequenceQueriesTheSensor()
    {
        QFETCH(int, sensor);
        QFETCH(int, step);
        QFETCH(int, maxDpi);
        QFETCH(int, dpiStep);
        mouse->setSensorId(sensor);
        mouse->setDpiStep(step);
        mouse->pressProfileButton(2, 255); // not plugged in: ignored
        mouse->setProductId(10);
        mouse->plugIn();
        QSignalSpy connected(device(), &MouseFunctions::mouseConnect);
        QSignalSpy profile(device(), &MouseFunctions::profileChanged);
        startDevice();
        QTRY_COMPARE(connected.count(), 1);
        QCOMPARE(connected.at(0).at(0).toBool(), true);

        QCOMPARE(transport->activity(),
                 QStringList({"feature 1", "write 0,1,60", "write 0,15,6", "write 0,15,4"}));
        QCOMPARE(device()->mousePID(), 10);
        const MouseCapabilities c = device()->capabilities();
        QVERIFY(!c.tilt && !c.oled && !c.logoLed && c.haptics);
        QCOMPARE(device()->maxDpi(), maxDpi);
        QCOMPARE(device()->dpiStep(), dpiStep);
        QCOMPARE(device()->waitState(), int(MouseFunctions::WaitIdle));
        // Before the first upload the answer to the profile query is passed on.
        QCOMPARE(profile.count(), 1);
        QCOMPARE(profile.at(0), QVariantList({255, 255}));
    }

    void firmwareBuildIsChecked_data()
    {
        QTest::addColumn<QByteArray>("build");
        QTest::addColumn<bool>("checkEnabled");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<int>("updateRequired"); // -1 none, else deviceIsOlder
        QTest::newRow("required") << QByteArray("000208") << true << true << -1;
        QTest::newRow("longer text holding it") << QByteArray("R7-000208b") << true << true << -1;
        QTest::newRow("older") << QByteArray("000207") << true << false << 1;
        QTest::newRow("newer") << QByteArray("000209") << true << false << 0;
        QTest::newRow("empty") << QByteArray() << true << false << -1;
        QTest::newRow("check off") << QByteArray("000100") << false << true << -1;
    }

    void firmwareBuildIsChecked()
    {
        QFETCH(QByteArray, build);
        QFETCH(bool, checkEnabled);
        QFETCH(bool, accepted);
        QFETCH(int, updateRequired);
        mouse->setProductId(10);
        mouse->setFirmwareBuild(build);
        mouse->plugIn();
        device()->setFirmwareCheckEnabled(checkEnabled);
        QSignalSpy connected(device(), &MouseFunctions::mouseConnect);
        QSignalSpy update(device(), &MouseFunctions::fwUpdateRequired);
        startDevice();
        QTRY_COMPARE(connected.count(), 1);
        QCOMPARE(connected.at(0).at(0).toBool(), accepted);
        QCOMPARE(update.count(), updateRequired < 0 ? 0 : 1);
        if (updateRequired >= 0)
            QCOMPARE(update.at(0).at(0).toBool(), updateRequired == 1);
        QCOMPARE(device()->waitState(), int(accepted ? MouseFunctions::WaitIdle : MouseFunctions::WaitDisconnected));
        if (!accepted) {
            QVERIFY(transport->writtenPackets().isEmpty()); // no queries
            QVERIFY(device()->isDevicePresent());         // the device stays open
            store->addProfile(255, 255, "Global");
            store->loading = false;
            QCOMPARE(device()->sendProfilesToMouse(), MouseFunctions::UploadNoDevice);
            QCOMPARE(device()->waitState(), int(MouseFunctions::WaitDisconnected));
        }
    }

    void readsBuildTextFromFeatureReport_data()
    {
        QTest::addColumn<QByteArray>("build");
        QTest::addColumn<QString>("text");
        QTest::newRow("ends at zero") << QByteArray("000208") << QString("000208");
        QTest::newRow("at most 16 characters") << QByteArray("0123456789ABCDEFGHIJ") << QString("0123456789ABCDEF");
    }

    void readsBuildTextFromFeatureReport()
    {
        QFETCH(QByteArray, build);
        QFETCH(QString, text);
        mouse->setFirmwareBuild(build);
        mouse->plugIn();
        device()->setFirmwareCheckEnabled(false);
        startDevice();
        QCOMPARE(device()->getBuildNumber(), text);
    }

    void firmwareUpdateStateDecidesOnRestore_data()
    {
        QTest::addColumn<bool>("bootloader");
        QTest::addColumn<int>("pid");
        QTest::addColumn<int>("fwState");
        QTest::addColumn<int>("restoreStage"); // -1: none
        QTest::addColumn<int>("connected");    // -1: no mouseConnect
        QTest::newRow("maker's bootloader, no update") << true << 7 << 6 << 6 << -1;
        QTest::newRow("ROM bootloader, no update") << true << 115 << 6 << 6 << -1;
        QTest::newRow("bootloader while flashing") << true << 7 << 2 << -1 << 0;
        QTest::newRow("mouse while flashing") << false << 20 << 2 << 2 << -1;
        QTest::newRow("mouse, other update step") << false << 20 << 4 << -1 << 1;
    }

    void firmwareUpdateStateDecidesOnRestore()
    {
        QFETCH(bool, bootloader);
        QFETCH(int, pid);
        QFETCH(int, fwState);
        QFETCH(int, restoreStage);
        QFETCH(int, connected);
        if (bootloader)
            mouse->plugInAsBootloader(pid);
        else
            mouse->plugIn();
        device()->setFirmwareStateProvider([fwState] { return fwState; });
        QSignalSpy connect(device(), &MouseFunctions::mouseConnect);
        QSignalSpy restore(device(), &MouseFunctions::fwRestoreRequired);
        startDevice();
        QTRY_VERIFY(connect.count() + restore.count() > 0);
        QTest::qWait(20);
        QCOMPARE(device()->mousePID(), pid);
        QCOMPARE(restore.count(), restoreStage < 0 ? 0 : 1);
        if (restoreStage >= 0)
            QCOMPARE(restore.at(0).at(0).toInt(), restoreStage);
        QCOMPARE(connect.count(), connected < 0 ? 0 : 1);
        if (connected >= 0)
            QCOMPARE(connect.at(0).at(0).toBool(), connected == 1);
    }

    void withoutProviderABootloaderMeansRestore()
    {
        mouse->plugInAsBootloader(7);
        QSignalSpy restore(device(), &MouseFunctions::fwRestoreRequired);
        startDevice();
        QTRY_COMPARE(restore.count(), 1);
        QCOMPARE(restore.at(0).at(0).toInt(), 6);
        QVERIFY(device()->isBootloader());
    }

    void disconnectionIsReported()
    {
        connectMouse(30);
        QSignalSpy connected(device(), &MouseFunctions::mouseConnect);
        mouse->unplug();
        QTRY_COMPARE(connected.count(), 1);
        QCOMPARE(connected.at(0).at(0).toBool(), false);
        QCOMPARE(device()->waitState(), int(MouseFunctions::WaitDisconnected));
        QCOMPARE(device()->mousePID(), 30); // the last model stays known
        QVERIFY(device()->isVModel());
    }

    // --- Upload

    void uploadSendsPackageBehindCrcHeader()
    {
        connectMouse();
        buildTwoProfiles();
        const QByteArray package = store->package();
        QVERIFY(package.size() > 58); // more than one packet
        QSignalSpy finished(device(), &MouseFunctions::uploadFinished);
        transport->clearWrittenPackets();

        QCOMPARE(device()->sendProfilesToMouse(), MouseFunctions::UploadOk);

        QCOMPARE(mouse->ramPackage(), package);
        QCOMPARE(mouse->uploads(), 1);
        QCOMPARE(mouse->rejectedUploads(), 0);
        const uint16_t crc = Crc16::compute(package);
        Bytes expected{3, 0, uint8_t(crc & 0xFF), uint8_t(crc >> 8)};
        expected << Bytes(package.cbegin(), package.cend());
        QCOMPARE(uploadPayloadWritten(transport->writtenPackets()), expected);
        QCOMPARE(uploadPacketsWritten(transport->writtenPackets()), (package.size() + 4 + 57) / 58);
        QCOMPARE(transport->writtenPackets().first(), Bytes({41, 1, 10, 10, 0, 0x40})); // memory query first
        QCOMPARE(finished.count(), 1);
        QCOMPARE(finished.at(0).at(0).value<MouseFunctions::UploadResult>(), MouseFunctions::UploadOk);
        QVERIFY(device()->profilesSent());
        QCOMPARE(device()->waitState(), int(MouseFunctions::WaitIdle));
        QCOMPARE(device()->deviceMemory(), 32768);
    }

    void uploadPayloadOfAnEmptyPackage()
    {
        QCOMPARE(MouseFunctions::uploadPayload(QByteArray()), Bytes({3, 0, 0xFF, 0xFF}));
        QCOMPARE(MouseFunctions::uploadPayload(QByteArray("123456789")).mid(0, 4), Bytes({3, 0, 0xB1, 0x29}));
    }

    void uploadFitsTheMemory_data()
    {
        QTest::addColumn<int>("size");
        QTest::addColumn<bool>("uploaded");
        QTest::newRow("exactly the memory") << 1000 << true;
        QTest::newRow("one byte more") << 1001 << false;
    }

    void uploadFitsTheMemory()
    {
        QFETCH(int, size);
        QFETCH(bool, uploaded);
        mouse->setMemorySizes(1200, 1000); // the smaller counts
        connectMouse();
        const QByteArray package = modelWithPackageOf(size);
        QCOMPARE(package.size(), size);
        QSignalSpy finished(device(), &MouseFunctions::uploadFinished);

        const auto result = device()->sendProfilesToMouse();

        QCOMPARE(result, uploaded ? MouseFunctions::UploadOk : MouseFunctions::UploadTooLarge);
        QCOMPARE(device()->deviceMemory(), 1000);
        QCOMPARE(mouse->ramPackage(), uploaded ? package : QByteArray());
        QCOMPARE(mouse->countOf(1, 10, 1), uploaded ? 1 : 0);
        QCOMPARE(device()->profilesSent(), uploaded);
        QCOMPARE(finished.count(), 1);
        QCOMPARE(finished.at(0).at(0).value<MouseFunctions::UploadResult>(), result);
        QCOMPARE(finished.at(0).at(1).toString().isEmpty(), uploaded);
        QCOMPARE(device()->memoryUsedPercent(), size / 10.0);
        QCOMPARE(device()->waitState(), int(MouseFunctions::WaitIdle));
    }

    void uploadStopsWhenTheMouseFallsSilent()
    {
        connectMouse();
        modelWithPackageOf(400); // 7 packets
        bool silenced = false;
        connect(mouse, &SimulatedMouse::inputReport, mouse, [&](Bytes report) {
            if (!silenced && report[2] == ((1 << 6) | 10) && report[3] == 1) {
                silenced = true;
                mouse->setSilent(true);
            }
        });
        transport->clearWrittenPackets();
        QSignalSpy profile(device(), &MouseFunctions::profileChanged);

        QCOMPARE(device()->sendProfilesToMouse(), MouseFunctions::UploadTimedOut);

        QCOMPARE(uploadPacketsWritten(transport->writtenPackets()), 2); // nothing after the unanswered one
        QCOMPARE(mouse->uploads(), 0);
        QVERIFY(!device()->profilesSent());
        QCOMPARE(device()->waitState(), int(MouseFunctions::WaitIdle));
        // A later switch on the mouse is not taken for an upload's notice.
        mouse->setSilent(false);
        mouse->pressProfileButton(1, 255);
        QTRY_COMPARE(profile.count(), 1);
    }

    // The program busy past the reply time while the upload waits (a large
    // page polished in the wait's event loop): the mouse answered meanwhile,
    // its answer is behind the deadline in the queue, and it counts.
    void answerThatCameWhileTheProgramWasBusyCounts()
    {
        connectMouse();
        buildTwoProfiles();
        QMetaObject::invokeMethod(
            mouse, [] { QThread::msleep(MouseFunctions::replyTimeoutMs + 300); }, Qt::QueuedConnection);

        QCOMPARE(device()->sendProfilesToMouse(), MouseFunctions::UploadOk);

        QCOMPARE(mouse->uploads(), 1);
        QCOMPARE(mouse->ramPackage(), store->package());
        QVERIFY(device()->profilesSent());
    }

    void uploadNeedsNoReportAfterTheLastReply()
    {
        connectMouse();
        buildTwoProfiles();
        mouse->setUploadAnnounced(false); // the last packet's reply is all that comes
        QSignalSpy finished(device(), &MouseFunctions::uploadFinished);
        QSignalSpy profile(device(), &MouseFunctions::profileChanged);

        QTest::ignoreMessage(QtDebugMsg, "MouseFunctions: no report after the upload");
        QCOMPARE(device()->sendProfilesToMouse(), MouseFunctions::UploadOk);

        QCOMPARE(mouse->uploads(), 1);
        QCOMPARE(mouse->ramPackage(), store->package());
        QCOMPARE(finished.count(), 1);
        QCOMPARE(finished.at(0).at(0).value<MouseFunctions::UploadResult>(), MouseFunctions::UploadOk);
        QVERIFY(device()->profilesSent());
        QCOMPARE(device()->waitState(), int(MouseFunctions::WaitIdle));
        // No announcement is awaited any more: the next switch is the user's.
        mouse->pressProfileButton(2, 255);
        QTRY_COMPARE(profile.count(), 1);
        QCOMPARE(profile.at(0), QVariantList({2, 255}));
    }

    void unplugDuringUploadFailsIt_data()
    {
        QTest::addColumn<bool>("atLastWait");
        QTest::addColumn<bool>("replug");
        QTest::newRow("stays away") << false << false;
        QTest::newRow("comes back at once") << false << true;
        QTest::newRow("during the wait after the last packet") << true << false;
    }

    void unplugDuringUploadFailsIt()
    {
        QFETCH(bool, atLastWait);
        QFETCH(bool, replug);
        connectMouse();
        modelWithPackageOf(400);
        // Unplugged at the reply to the first packet, or at the reply to the
        // last when nothing else would follow it.
        mouse->setUploadAnnounced(!atLastWait);
        const int unplugAt = atLastWait ? (400 + 4 + 57) / 58 : 1;
        int replies = 0;
        connect(mouse, &SimulatedMouse::inputReport, this, [&](Bytes report) {
            if (report[2] == ((1 << 6) | 10) && report[3] == 1 && ++replies == unplugAt) {
                mouse->unplug();
                if (replug)
                    mouse->plugIn();
            }
        });
        QSignalSpy connected(device(), &MouseFunctions::mouseConnect);
        QSignalSpy finished(device(), &MouseFunctions::uploadFinished);

        QElapsedTimer clock;
        clock.start();
        QCOMPARE(device()->sendProfilesToMouse(), MouseFunctions::UploadDisconnected);
        QVERIFY(clock.elapsed() < MouseFunctions::replyTimeoutMs);

        QCOMPARE(finished.count(), 1);
        QVERIFY(!finished.at(0).at(1).toString().isEmpty());
        QVERIFY(!device()->profilesSent());
        QCOMPARE(connected.count(), 1);
        QCOMPARE(connected.at(0).at(0).toBool(), false);
        QCOMPARE(device()->waitState(), int(MouseFunctions::WaitDisconnected));
        if (replug) {
            // The new connection is handled once the upload has ended.
            QTRY_COMPARE(connected.count(), 2);
            QCOMPARE(connected.at(1).at(0).toBool(), true);
            QCOMPARE(device()->waitState(), int(MouseFunctions::WaitIdle));
            QCOMPARE(device()->sendProfilesToMouse(), MouseFunctions::UploadOk);
            QCOMPARE(mouse->ramPackage(), device()->package());
        }
    }

    void uploadWithoutMouseIsRefused()
    {
        store->addProfile(255, 255, "Global");
        store->loading = false;
        startDevice(); // nothing plugged in
        QSignalSpy finished(device(), &MouseFunctions::uploadFinished);
        QSignalSpy connected(device(), &MouseFunctions::mouseConnect);

        QCOMPARE(device()->sendProfilesToMouse(), MouseFunctions::UploadNoDevice);
        QCOMPARE(finished.count(), 1);
        transport->simulateWake();
        QTest::qWait(20);

        QCOMPARE(finished.count(), 1); // waking without a mouse uploads nothing
        QCOMPARE(device()->waitState(), int(MouseFunctions::WaitDisconnected));
        QVERIFY(!device()->profilesSent());
        QVERIFY(transport->writtenPackets().isEmpty());
        QCOMPARE(connected.count(), 0);
    }

    void uploadOfAModelThatCannotBeEncodedIsRefused()
    {
        connectMouse();
        store->loading = false; // no global profile: the package cannot be made
        QSignalSpy finished(device(), &MouseFunctions::uploadFinished);
        QCOMPARE(device()->sendProfilesToMouse(), MouseFunctions::UploadEncodingFailed);
        QCOMPARE(mouse->countOf(1, 10, 1), 0);
        QCOMPARE(finished.count(), 1);
        QVERIFY(!finished.at(0).at(1).toString().isEmpty());
        QVERIFY(!device()->profilesSent());
        QCOMPARE(device()->waitState(), int(MouseFunctions::WaitIdle));
    }

    void uploadWaitsForTheEndOfABatch()
    {
        connectMouse();
        store->addProfile(255, 255, "Global"); // loading still set
        QSignalSpy finished(device(), &MouseFunctions::uploadFinished);
        transport->clearWrittenPackets();
        QCOMPARE(device()->sendProfilesToMouse(), MouseFunctions::UploadSkipped);
        QVERIFY(transport->writtenPackets().isEmpty());
        QCOMPARE(finished.count(), 0);
    }

    void wakeFromSleepUploadsAgain()
    {
        connectMouse();
        buildTwoProfiles();
        transport->simulateWake();
        QTRY_COMPARE(mouse->uploads(), 1);
        QCOMPARE(mouse->ramPackage(), store->package());
    }

    void uploadIsNotStartedInsideAnotherCommand()
    {
        connectMouse();
        buildTwoProfiles();
        device()->setInputStreaming(true);
        mouse->setSilent(true);
        QVector<MouseFunctions::UploadResult> results;
        connect(device(), &MouseFunctions::UserInputEvent, this, [&] {
            results.append(device()->sendProfilesToMouse()); // the Save button, while a command waits
            transport->simulateWake();
        });
        QVERIFY(mouse->sendLiveSample(1, 0, 0));
        device()->getSerialNumber(); // gets no answer: waits its full time
        QCOMPARE(results, QVector<MouseFunctions::UploadResult>{MouseFunctions::UploadBusy});
        QCOMPARE(mouse->countOf(1, 10, 1), 0);

        // The upload after waking is done once the wait is over.
        mouse->setSilent(false);
        QTRY_COMPARE(mouse->uploads(), 1);
        QCOMPARE(mouse->ramPackage(), store->package());
    }

    void profileNoticeAfterUploadIsDropped()
    {
        connectMouse();
        buildTwoProfiles();
        QSignalSpy profile(device(), &MouseFunctions::profileChanged);
        QCOMPARE(device()->sendProfilesToMouse(), MouseFunctions::UploadOk);
        QTRY_COMPARE(mouse->pendingReports(), 0);
        QCoreApplication::processEvents();
        QCOMPARE(mouse->sentReports().last()[0], uint8_t(10)); // the mouse did announce
        QCOMPARE(profile.count(), 0);

        mouse->pressProfileButton(2, 255);
        QTRY_COMPARE(profile.count(), 1);
        QCOMPARE(profile.at(0), QVariantList({2, 255}));
    }

    void activeProfileIsAskedForAfterAReset()
    {
        connectMouse();
        buildTwoProfiles();
        device()->configReset();
        QCOMPARE(mouse->userDataResets(), 1);
        QCOMPARE(mouse->configResets(), 1);
        QVERIFY(device()->resetPending());
        QSignalSpy profile(device(), &MouseFunctions::profileChanged);
        mouse->clearLog();

        QCOMPARE(device()->sendProfilesToMouse(), MouseFunctions::UploadOk);

        QCOMPARE(mouse->commands().last().is(0, 1, 60), true);
        // The announcement is dropped; the answer to the query is passed on.
        QTRY_COMPARE(profile.count(), 1);
        QCOMPARE(profile.at(0), QVariantList({1, 255}));
        QTRY_COMPARE(mouse->pendingReports(), 0);
        mouse->pressProfileButton(2, 255);
        QTRY_COMPARE(profile.count(), 2);
        QCOMPARE(profile.at(1), QVariantList({2, 255}));

        // Stored to flash: no more queries after an upload.
        device()->saveToFlash();
        QVERIFY(device()->savedToFlash());
        mouse->clearLog();
        QCOMPARE(device()->sendProfilesToMouse(), MouseFunctions::UploadOk);
        QCOMPARE(mouse->countOf(0, 1, 60), 0);
    }

    void reconnectionAfterUploadConsumesTheProfileAnswer()
    {
        connectMouse();
        buildTwoProfiles();
        QCOMPARE(device()->sendProfilesToMouse(), MouseFunctions::UploadOk);
        QTRY_COMPARE(mouse->pendingReports(), 0);
        QSignalSpy profile(device(), &MouseFunctions::profileChanged);
        QSignalSpy connected(device(), &MouseFunctions::mouseConnect);
        mouse->unplug();
        mouse->plugIn();
        QTRY_COMPARE(connected.count(), 2);
        QCOMPARE(connected.at(1).at(0).toBool(), true);
        QCOMPARE(profile.count(), 0);
        QCOMPARE(device()->waitState(), int(MouseFunctions::WaitIdle));
    }

    // --- Other commands

    void commandPayloads_data()
    {
        QTest::addColumn<int>("model");
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("address"); // empty: nothing sent
        QTest::addColumn<Bytes>("payload");
        QTest::newRow("switch to global") << 20 << "switch 255 255" << "1,10,30" << Bytes{2, 0xFF, 0xFF};
        QTest::newRow("switch to sub-profile") << 20 << "switch 1 2" << "1,10,30" << Bytes{2, 1, 2};
        QTest::newRow("vibration on model 5") << 5 << "vibrate" << "2,40,1" << Bytes{1, 0, 0x2C, 0x01, 80};
        QTest::newRow("vibration on model 10") << 10 << "vibrate" << "2,40,1" << Bytes{1, 0, 0x2C, 0x01, 80};
        QTest::newRow("no vibration on model 20") << 20 << "vibrate" << "" << Bytes{};
        QTest::newRow("streaming on") << 20 << "stream on" << "1,5,10" << Bytes{3};
        QTest::newRow("streaming off") << 20 << "stream off" << "1,5,10" << Bytes{0};
        QTest::newRow("store to flash") << 20 << "flash" << "2,10,1" << Bytes{};
        QTest::newRow("user data reset") << 20 << "user reset" << "2,1,30" << Bytes{};
        QTest::newRow("IMU calibration") << 30 << "imu" << "2,20,1" << Bytes{};
        QTest::newRow("bootloader") << 20 << "bootloader" << "2,1,1" << Bytes{};
    }

    void commandPayloads()
    {
        QFETCH(int, model);
        QFETCH(QString, command);
        QFETCH(QString, address);
        QFETCH(Bytes, payload);
        connectMouse(model);
        transport->clearActivity();
        mouse->clearLog();
        MouseFunctions *d = device();
        if (command == "switch 255 255")
            d->switchToProfile(255, 255);
        else if (command == "switch 1 2")
            d->switchToProfile(1, 2);
        else if (command == "vibrate")
            d->triggerVibration(300, 80);
        else if (command == "stream on")
            d->setInputStreaming(true);
        else if (command == "stream off")
            d->setInputStreaming(false);
        else if (command == "flash")
            d->saveToFlash();
        else if (command == "user reset")
            d->userDataReset();
        else if (command == "imu")
            d->calibrateIMU();
        else if (command == "bootloader")
            d->startBootloader();

        if (address.isEmpty()) {
            QVERIFY(transport->activity().isEmpty());
            return;
        }
        QCOMPARE(transport->activity(), QStringList{"write " + address});
        const QStringList parts = address.split(',');
        QVERIFY(mouse->lastCommand().is(parts[0].toInt(), parts[1].toInt(), parts[2].toInt()));
        QCOMPARE(mouse->lastCommand().payload, payload);
    }

    void calibrateImuTellsHowItsSendEnded_data()
    {
        QTest::addColumn<QString>("state");
        QTest::addColumn<int>("model");
        QTest::addColumn<MouseFunctions::ReplyWait>("outcome");
        QTest::addColumn<int>("calibrations");
        QTest::newRow("answered") << "connected" << 30 << MouseFunctions::ReplyWait::Received << 1;
        // The answer is not read, a refusal included.
        QTest::newRow("model without tilt") << "connected" << 20 << MouseFunctions::ReplyWait::Received << 0;
        QTest::newRow("no answer") << "silent" << 30 << MouseFunctions::ReplyWait::TimedOut << 0;
        QTest::newRow("no mouse") << "absent" << 30 << MouseFunctions::ReplyWait::NotSent << 0;
        // Refused, not queued: the caller learns it was not sent.
        QTest::newRow("during another wait") << "busy" << 30 << MouseFunctions::ReplyWait::Busy << 0;
    }

    void calibrateImuTellsHowItsSendEnded()
    {
        QFETCH(QString, state);
        QFETCH(int, model);
        QFETCH(MouseFunctions::ReplyWait, outcome);
        QFETCH(int, calibrations);
        if (state == "absent")
            startDevice();
        else
            connectMouse(model);
        std::optional<MouseFunctions::ReplyWait> sent;
        if (state == "busy") {
            mouse->setSilent(true);
            QTimer::singleShot(0, device(), [&] { sent = device()->calibrateIMU(); });
            QCOMPARE(device()->startWaitForResponse(), MouseFunctions::ReplyWait::TimedOut);
            mouse->setSilent(false);
            QTest::qWait(50);
        } else {
            mouse->setSilent(state == "silent");
            sent = device()->calibrateIMU();
        }
        QCOMPARE(sent, std::optional<MouseFunctions::ReplyWait>(outcome));
        QCOMPARE(mouse->imuCalibrations(), calibrations);
        if (state == "busy" || state == "absent")
            QCOMPARE(mouse->countOf(2, 20, 1), 0);
    }

    void bootloaderStartRestartsTheMouse()
    {
        connectMouse();
        device()->setFirmwareStateProvider([] { return 0; }); // the update's own step
        QSignalSpy connected(device(), &MouseFunctions::mouseConnect);
        device()->startBootloader();
        QTRY_VERIFY(mouse->inBootloader());
        QTRY_COMPARE(connected.count(), 2);
        QCOMPARE(connected.at(0).at(0).toBool(), false);
        QCOMPARE(connected.at(1).at(0).toBool(), false); // no build text in the bootloader
        QCOMPARE(device()->mousePID(), 7);
    }

    void saveToFlashTellsWhetherTheMouseStoredIt_data()
    {
        QTest::addColumn<QString>("state");
        QTest::addColumn<bool>("stored");
        QTest::addColumn<int>("flashWrites");
        QTest::newRow("acknowledged") << "connected" << true << 1;
        QTest::newRow("refused") << "refused" << false << 0;
        QTest::newRow("no answer") << "silent" << false << 0;
        QTest::newRow("no mouse") << "absent" << false << 0;
        // Put off behind the running wait: not stored yet, sent afterwards.
        QTest::newRow("during another wait") << "busy" << false << 1;
    }

    void saveToFlashTellsWhetherTheMouseStoredIt()
    {
        QFETCH(QString, state);
        QFETCH(bool, stored);
        QFETCH(int, flashWrites);
        if (state == "absent") {
            startDevice();
            QCOMPARE(device()->saveToFlash(), stored);
            QVERIFY(transport->writtenPackets().isEmpty());
            return;
        }
        connectMouse();
        buildTwoProfiles();
        QCOMPARE(device()->sendProfilesToMouse(), MouseFunctions::UploadOk);
        device()->configReset(); // the flash no longer holds what runs
        QCOMPARE(device()->sendProfilesToMouse(), MouseFunctions::UploadOk);
        QVERIFY(!device()->savedToFlash());
        const QByteArray package = mouse->ramPackage();
        if (state == "refused")
            mouse->setAcknowledgement(2, 10, 1, SimulatedMouse::Unsupported);
        mouse->setSilent(state == "silent");
        std::optional<bool> result;
        if (state == "busy") {
            mouse->setSilent(true);
            QTimer::singleShot(0, device(), [&] { result = device()->saveToFlash(); });
            QCOMPARE(device()->startWaitForResponse(), MouseFunctions::ReplyWait::TimedOut);
            mouse->setSilent(false);
            QTRY_VERIFY(device()->savedToFlash());
        } else {
            result = device()->saveToFlash();
        }
        QCOMPARE(result, std::optional<bool>(stored));
        QCOMPARE(mouse->flashWrites(), flashWrites);
        QCOMPARE(mouse->countOf(2, 10, 1), flashWrites); // a refused command is not taken
        QCOMPARE(device()->savedToFlash(), flashWrites == 1);
        if (flashWrites)
            QCOMPARE(mouse->flashPackage(), package);
        else
            QVERIFY(mouse->flashPackage().isEmpty()); // the reset cleared it
    }

    void serialNumberReply_data()
    {
        QTest::addColumn<bool>("silent");
        QTest::addColumn<Bytes>("report"); // sent by the mouse first
        QTest::addColumn<bool>("valid");
        QTest::newRow("serial") << false << Bytes{} << true;
        QTest::newRow("a notice first") << false << Bytes{10, 0, 2, 1, 255} << true;
        QTest::newRow("refused") << true << Bytes{40, 2, 1, 15, 66, 1} << false;
        QTest::newRow("no answer") << true << Bytes{} << false;
    }

    void serialNumberReply()
    {
        QFETCH(bool, silent);
        QFETCH(Bytes, report);
        QFETCH(bool, valid);
        connectMouse();
        QSignalSpy serial(device(), &MouseFunctions::fwReply_serial);
        mouse->setSilent(silent);
        if (!report.isEmpty())
            mouse->addStrayReport(0, 1, 15, report);
        if (!valid)
            QTest::ignoreMessage(QtWarningMsg, "Invalid Serial Reply, using empty serial 0xFF");
        device()->getSerialNumber();
        QCOMPARE(serial.count(), 1);
        QCOMPARE(serial.at(0).at(0).toByteArray(), valid ? mouse->serial() : QByteArray(9, char(0xFF)));
        QCOMPARE(device()->waitState(), int(MouseFunctions::WaitIdle));
    }

    void cpuIdIsPassedOnOnlyDuringAnUpdate_data()
    {
        QTest::addColumn<int>("mode");
        QTest::newRow("normal") << 0;
        QTest::newRow("firmware update") << 2;
    }

    void cpuIdIsPassedOnOnlyDuringAnUpdate()
    {
        QFETCH(int, mode);
        connectMouse();
        device()->setOperationMode(mode);
        QSignalSpy cpu(device(), &MouseFunctions::fwReply_cpu);
        device()->getCpuUniqueId();
        QCOMPARE(cpu.count(), mode == 2 ? 1 : 0);
        if (mode == 2)
            QCOMPARE(cpu.at(0).at(0).toByteArray(), QByteArray::fromHex("00112233445566778899"));
        QCOMPARE(device()->waitState(), int(MouseFunctions::WaitIdle));
    }

    void liveReportsReachUserInputEvent()
    {
        connectMouse();
        QSignalSpy input(device(), &MouseFunctions::UserInputEvent);
        device()->setInputStreaming(true);
        QVERIFY(mouse->isStreaming());
        QVERIFY(mouse->sendLiveSample(0x0081, 0x1234, 0xABCD));
        QVERIFY(mouse->sendMotionSample(QByteArray("\x01\x02\x03", 3)));
        QTRY_COMPARE(input.count(), 2);
        const Bytes sample = input.at(0).at(0).value<Bytes>();
        QCOMPARE(sample.size(), 64);
        QCOMPARE(sample.mid(0, 12), Bytes({20, 0x81, 0x00, 0, 0, 0, 0, 0, 0x34, 0x12, 0xCD, 0xAB}));
        QCOMPARE(input.at(1).at(0).value<Bytes>().mid(0, 4), Bytes({23, 1, 2, 3}));

        device()->setInputStreaming(false);
        QVERIFY(!mouse->isStreaming());
    }

    // A wait that sent nothing has no answer of its own to wait for.
    void plainWaitEndsOnAnyReportAndPassesItOn()
    {
        connectMouse();
        device()->setInputStreaming(true);
        mouse->setSilent(true);
        QSignalSpy input(device(), &MouseFunctions::UserInputEvent);
        QVERIFY(mouse->sendLiveSample(1, 0, 0));
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(device()->startWaitForResponse(), MouseFunctions::ReplyWait::Received);
        QVERIFY(clock.elapsed() < MouseFunctions::replyTimeoutMs);
        QCOMPARE(input.count(), 1);
        QCOMPARE(device()->startWaitForResponse(), MouseFunctions::ReplyWait::TimedOut);
    }

    void resetCausesAreLogged()
    {
        connectMouse();
        QSignalSpy generic(device(), &MouseFunctions::genericResponse);
        QTest::ignoreMessage(QtWarningMsg, "Reset Code #1: 130");
        QTest::ignoreMessage(QtWarningMsg, "Reset Info: Low-voltage");
        QTest::ignoreMessage(QtWarningMsg, "Reset Info: Power-on");
        QTest::ignoreMessage(QtWarningMsg, "Reset Code #2: 36");
        QTest::ignoreMessage(QtWarningMsg, "Reset Info: Software reset");
        QTest::ignoreMessage(QtWarningMsg, "Reset Info: Stop-mode Ack");
        mouse->sendResetInfo(0x82, 0x24);
        QTRY_COMPARE(mouse->pendingReports(), 0);
        QCoreApplication::processEvents();
        QCOMPARE(generic.count(), 0);

        mouse->sendReport({40, 2, 0, 0, 99, 1});
        QTRY_COMPARE(generic.count(), 1);
    }

    // --- End to end

    void uploadedPackageIsWhatTheModelEncodes()
    {
        connectMouse(5);
        buildTwoProfiles();
        QCOMPARE(device()->sendProfilesToMouse(), MouseFunctions::UploadOk);
        const QByteArray package = store->package();
        QVERIFY(!package.isEmpty());
        QCOMPARE(mouse->ramPackage(), package);
        QCOMPARE(device()->package(), package);
        QCOMPARE(mouse->profileIndex(), 1); // the start-up profile: Work
        QCOMPARE(mouse->subProfileIndex(), 255);
        QCOMPARE(device()->memoryUsedPercent(), package.size() * 100.0 / 32768);

        device()->saveToFlash();
        QCOMPARE(mouse->flashPackage(), package);

        // After a power cycle the mouse runs what was stored and says so.
        QSignalSpy profile(device(), &MouseFunctions::profileChanged);
        QSignalSpy connected(device(), &MouseFunctions::mouseConnect);
        mouse->unplug();
        mouse->plugIn();
        QTRY_COMPARE(connected.count(), 2);
        QCOMPARE(mouse->ramPackage(), package);
        QCOMPARE(profile.count(), 0); // a reconnection after an upload: consumed
        QCOMPARE(device()->sendProfilesToMouse(), MouseFunctions::UploadOk);
        QCOMPARE(mouse->uploads(), 2);
    }
};

QTEST_MAIN(TestMouseFunctions)
#include "tst_mousefunctions.moc"
