// The device object against a mouse that sends what nobody asked for and a
// user who does not wait: a command's wait ends only on its own answer, every
// other report still gets its usual handling, commands given during a wait
// run after it, and a refused firmware stays refused.
#include "GeneralControlCommand.h"
#include "MouseFunctions.h"
#include "PackageCreator.h"

#include "ConnectedMouse.h"
#include "FakeHidTransport.h"
#include "ProcessStateGuard.h"
#include "SampleModel.h"
#include "SimulatedMouse.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

#include <memory>
#include <optional>

namespace {

using Bytes = QVector<uint8_t>;
using Moment = SimulatedMouse::Moment;

const Bytes profileNotice{10, 0, 2, 3, 255};
const Bytes liveSample{20, 1, 0};
const Bytes oneByte{40};
const Bytes resetInfo{40, 2, 0, 0, 67, 1, 0x80, 0x04};

// The Save button's model: the full sample model, whose package takes
// several upload packets.
QByteArray buildModel()
{
    SampleModel::buildFullModel();
    PackageCreator::instance()->loading = false;
    return PackageCreator::instance()->package();
}

} // namespace

class TestReplyMatching : public QObject
{
    Q_OBJECT

private:
    std::optional<ProcessStateGuard> clean;
    std::unique_ptr<ConnectedMouse> fixture;
    SimulatedMouse *mouse = nullptr;

    MouseFunctions *device() { return MouseFunctions::instance(); }

private slots:
    void init()
    {
        clean.emplace();
        fixture = std::make_unique<ConnectedMouse>();
        mouse = fixture->mouse();
    }

    void cleanup()
    {
        fixture.reset();
        mouse = nullptr;
        clean.reset();
    }

    // Asking an incompatible firmware for its serial (as the firmware update
    // does) must not open it to the profiles: neither the next Save nor a
    // wake from sleep uploads into it, and no other profile command reaches it.
    void refusedFirmwareStaysRefused()
    {
        mouse->setFirmwareBuild("000207");
        mouse->plugIn();
        QSignalSpy connected(device(), &MouseFunctions::mouseConnect);
        QSignalSpy serial(device(), &MouseFunctions::fwReply_serial);
        fixture->start();
        QTRY_COMPARE(connected.count(), 1);
        QCOMPARE(connected.at(0).at(0).toBool(), false);
        buildModel();

        device()->getSerialNumber();
        device()->getCpuUniqueId();
        QCOMPARE(serial.count(), 1);
        QCOMPARE(serial.at(0).at(0).toByteArray(), mouse->serial());
        QVERIFY(!device()->isCompatibleMousePresent());
        QCOMPARE(device()->waitState(), int(MouseFunctions::WaitDisconnected));

        QCOMPARE(device()->sendProfilesToMouse(), MouseFunctions::UploadNoDevice);
        fixture->transport()->simulateWake();
        QTest::qWait(50);
        device()->saveToFlash();
        device()->switchToProfile(1, 255);
        device()->configReset();
        device()->getActiveProfile();
        QTest::qWait(50);

        QCOMPARE(mouse->countOf(1, 10, 1), 0);
        QCOMPARE(mouse->uploads(), 0);
        for (const SimulatedMouse::Command &command : mouse->commands())
            QVERIFY2(command.commandClass == 0 && command.group == 1 && (command.command == 15 || command.command == 10),
                     qPrintable(QStringLiteral("%1,%2,%3 sent").arg(command.commandClass).arg(command.group).arg(command.command)));
        QVERIFY(!device()->profilesSent());
    }

    // Reports the upload did not ask for, and refusals, never end in UploadOk
    // with nothing stored: either the upload fails or the mouse holds the
    // package.
    void strayReportsNeverFakeAnUpload_data()
    {
        QTest::addColumn<Bytes>("stray");
        QTest::addColumn<int>("strayCount");  // before every reply of the memory query and each upload packet
        QTest::addColumn<bool>("onlyMemory"); // only before the memory reply
        QTest::addColumn<int>("memory");
        QTest::addColumn<bool>("silent");     // the mouse answers nothing once connected
        QTest::addColumn<int>("refusedPacket"); // -2: none; -1: the last
        QTest::addColumn<int>("result");

        QTest::newRow("profile notice before the memory reply, package too large")
            << profileNotice << 1 << true << 100 << false << -2 << int(MouseFunctions::UploadTooLarge);
        QTest::newRow("one-byte reports around a mouse that answers nothing")
            << oneByte << 1 << false << 32768 << true << -2 << int(MouseFunctions::UploadTimedOut);
        QTest::newRow("one-byte reports before every reply, package too large")
            << oneByte << 1 << false << 100 << false << -2 << int(MouseFunctions::UploadTooLarge);
        QTest::newRow("live flood, second packet refused")
            << liveSample << 3 << false << 32768 << false << 1 << int(MouseFunctions::UploadRejected);
        QTest::newRow("live flood, last packet refused")
            << liveSample << 3 << false << 32768 << false << -1 << int(MouseFunctions::UploadRejected);
        QTest::newRow("live flood, every packet taken")
            << liveSample << 3 << false << 32768 << false << -2 << int(MouseFunctions::UploadOk);
    }

    void strayReportsNeverFakeAnUpload()
    {
        QFETCH(Bytes, stray);
        QFETCH(int, strayCount);
        QFETCH(bool, onlyMemory);
        QFETCH(int, memory);
        QFETCH(bool, silent);
        QFETCH(int, refusedPacket);
        QFETCH(int, result);
        mouse->setMemorySize(memory);
        fixture->connect();
        const QByteArray package = buildModel();
        QVERIFY(package.size() > 3 * 58);
        if (stray[0] == liveSample[0])
            device()->setInputStreaming(true);
        for (int i = 0; i < strayCount; ++i) {
            mouse->addStrayReport(0, 10, 10, stray);
            if (!onlyMemory)
                mouse->addStrayReport(1, 10, 1, stray);
        }
        if (refusedPacket > -2)
            mouse->setAcknowledgement(1, 10, 1, SimulatedMouse::BadPayload, refusedPacket);
        mouse->setSilent(silent);
        QSignalSpy input(device(), &MouseFunctions::UserInputEvent);
        QSignalSpy profile(device(), &MouseFunctions::profileChanged);
        QSignalSpy finished(device(), &MouseFunctions::uploadFinished);

        const MouseFunctions::UploadResult uploaded = device()->sendProfilesToMouse();

        QCOMPARE(int(uploaded), result);
        QCOMPARE(finished.count(), 1);
        QCOMPARE(device()->profilesSent(), uploaded == MouseFunctions::UploadOk);
        QCOMPARE(mouse->uploads(), uploaded == MouseFunctions::UploadOk ? 1 : 0);
        QCOMPARE(mouse->ramPackage(), uploaded == MouseFunctions::UploadOk ? package : QByteArray());
        if (uploaded == MouseFunctions::UploadOk || uploaded == MouseFunctions::UploadRejected)
            QCOMPARE(device()->deviceMemory(), memory);
        QCOMPARE(device()->waitState(), int(MouseFunctions::WaitIdle));
        // What came in between still had its usual handling.
        QTRY_COMPARE(mouse->pendingReports(), 0);
        QCoreApplication::processEvents();
        if (stray == liveSample) {
            int sent = 0;
            for (const Bytes &report : mouse->sentReports())
                sent += report[0] == liveSample[0];
            QVERIFY(sent >= 2 * strayCount);
            QCOMPARE(input.count(), sent);
        }
        if (stray == profileNotice) {
            QCOMPARE(profile.count(), 1);
            QCOMPARE(profile.at(0), QVariantList({3, 255}));
        }
    }

    // The last acknowledgement, the result and the announcement of the new
    // profile reach the device object in one turn: each ends the wait it
    // answers, so the upload does not sit out a time-out.
    void repliesThatArriveTogetherEachEndTheirWait()
    {
        fixture->connect();
        const QByteArray package = buildModel();
        mouse->setBurstDelivery(true);
        QSignalSpy profile(device(), &MouseFunctions::profileChanged);
        QElapsedTimer clock;
        clock.start();

        QCOMPARE(device()->sendProfilesToMouse(), MouseFunctions::UploadOk);

        QVERIFY2(clock.elapsed() < MouseFunctions::replyTimeoutMs, qPrintable(QString::number(clock.elapsed())));
        QCOMPARE(mouse->ramPackage(), package);
        QCOMPARE(mouse->sentReports().last()[0], uint8_t(10)); // the announcement came
        QTest::qWait(20);
        QCOMPARE(profile.count(), 0); // and was taken as the upload's
        mouse->pressProfileButton(2, 255);
        QTRY_COMPARE(profile.count(), 1);
    }

    // A report of another kind just before the sensor's or the DPI step's
    // reply is handled as usual and leaves the query waiting for its reply.
    void connectSequenceWaitsForItsOwnReplies_data()
    {
        QTest::addColumn<int>("command"); // 6: sensor id, 4: DPI step
        QTest::addColumn<Bytes>("stray");
        QTest::newRow("reset causes before the sensor reply") << 6 << resetInfo;
        QTest::newRow("profile notice before the sensor reply") << 6 << profileNotice;
        QTest::newRow("one-byte report before the DPI step") << 4 << oneByte;
        QTest::newRow("late sensor reply before the DPI step") << 4 << Bytes{40, 2, 15, 6, 65, 1};
    }

    void connectSequenceWaitsForItsOwnReplies()
    {
        QFETCH(int, command);
        QFETCH(Bytes, stray);
        mouse->setSensorId(1);
        mouse->setDpiStep(50);
        mouse->addStrayReport(0, 15, command, stray);
        if (stray == resetInfo) {
            QTest::ignoreMessage(QtWarningMsg, "Reset Code #1: 128");
            QTest::ignoreMessage(QtWarningMsg, "Reset Info: Power-on");
            QTest::ignoreMessage(QtWarningMsg, "Reset Code #2: 4");
            QTest::ignoreMessage(QtWarningMsg, "Reset Info: Software reset");
        }
        fixture->connect();
        QCOMPARE(device()->maxDpi(), 26000);
        QCOMPARE(device()->dpiStep(), 50);
        QVERIFY(device()->isCompatibleMousePresent());
    }

    // A timer or a click inside the connect sequence's sensor query: the
    // query keeps its reply, and the other command runs after the sequence.
    void commandsGivenDuringAWaitRunAfterIt()
    {
        mouse->setSensorId(1);
        mouse->setReplyDelay(20);
        mouse->plugIn();
        QSignalSpy connected(device(), &MouseFunctions::mouseConnect);
        QSignalSpy serial(device(), &MouseFunctions::fwReply_serial);
        std::optional<MouseFunctions::ReplyWait> rawCommand;
        std::optional<MouseFunctions::UploadResult> save;
        std::optional<bool> awaiting;
        connect(mouse, &SimulatedMouse::commandReceived, this, [&](int c, int g, int n) {
            if (c != 0 || g != 15 || n != 6)
                return;
            QTimer::singleShot(0, device(), [&] {
                awaiting = device()->isAwaitingReply();
                device()->getSerialNumber();
                rawCommand = device()->sendCommand(GeneralControlCommand(0, 1, 15));
                save = device()->sendProfilesToMouse();
            });
        });
        buildModel();
        fixture->start();
        QTRY_COMPARE(connected.count(), 1);
        QCOMPARE(connected.at(0).at(0).toBool(), true);
        QCOMPARE(awaiting, std::optional<bool>(true));
        QCOMPARE(rawCommand, std::optional<MouseFunctions::ReplyWait>(MouseFunctions::ReplyWait::Busy));
        QCOMPARE(save, std::optional<MouseFunctions::UploadResult>(MouseFunctions::UploadBusy));
        QCOMPARE(device()->maxDpi(), 26000);

        QTRY_COMPARE(serial.count(), 1);
        QCOMPARE(serial.at(0).at(0).toByteArray(), mouse->serial());
        QTest::qWait(50);
        QCOMPARE(serial.count(), 1); // the sensor's reply was not taken for a serial
        QStringList order;
        for (const SimulatedMouse::Command &command : mouse->commands())
            order << QStringLiteral("%1,%2,%3").arg(command.commandClass).arg(command.group).arg(command.command);
        QCOMPARE(order, QStringList({"0,1,60", "0,15,6", "0,15,4", "0,1,15"}));
        QVERIFY(!device()->isAwaitingReply());
    }
};

QTEST_MAIN(TestReplyMatching)
#include "tst_replymatching.moc"
