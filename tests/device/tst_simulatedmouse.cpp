// The simulated mouse that the device object's tests run against: it must
// speak the device's side of the protocol faithfully and refuse what a real
// mouse would refuse.
#include "Crc16.h"
#include "FakeHidTransport.h"
#include "GeneralControlCommand.h"
#include "SimulatedMouse.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

namespace {
using Report = QVector<uint8_t>;

Report padded(Report head)
{
    head.resize(64);
    return head;
}

// A package whose global block starts with the start-up item naming profile (index, sub).
QByteArray packageStartingIn(int index, int subIndex, int size)
{
    QByteArray package = QByteArray::fromHex("010B0400010006") + QByteArray("Global");
    package += QByteArray::fromHex("0205105001000103045B02") + char(index) + char(subIndex);
    while (package.size() < size)
        package += char(package.size() & 0x7F);
    return package.left(size);
}

QVector<uint8_t> uploadPayload(const QByteArray &package, int crcOffset = 0)
{
    const uint16_t crc = uint16_t(Crc16::compute(package) + crcOffset);
    QVector<uint8_t> payload{3, 0, uint8_t(crc & 0xFF), uint8_t(crc >> 8)};
    for (char c : package)
        payload << uint8_t(c);
    return payload;
}
} // namespace

class TestSimulatedMouse : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<SimulatedMouse> mouse;
    std::unique_ptr<FakeHidTransport> transport;
    std::unique_ptr<QSignalSpy> reports;
    std::unique_ptr<QSignalSpy> connects;

    void connectMouse(int pid = 20)
    {
        mouse = std::make_unique<SimulatedMouse>();
        mouse->setProductId(pid);
        mouse->plugIn();
        transport = std::make_unique<FakeHidTransport>(mouse.get());
        reports = std::make_unique<QSignalSpy>(transport.get(), &HIDInterface::response);
        connects = std::make_unique<QSignalSpy>(transport.get(), &HIDInterface::mouseConnect);
        transport->subscribe();
    }

    // Sends every packet of a command, as the device object does, and returns
    // the reports that came back once the mouse fell silent.
    QVector<Report> exchange(GeneralControlCommand &command)
    {
        reports->clear();
        transport->writePacket(command.packet());
        while (command.nextPacket())
            transport->writePacket(command.packet());
        return collect();
    }
    QVector<Report> exchange(int c, int g, int n, QVector<uint8_t> payload = {})
    {
        GeneralControlCommand command(c, g, n, payload);
        return exchange(command);
    }
    QVector<Report> collect()
    {
        QTest::qWait(20);
        QElapsedTimer waited;
        waited.start();
        while (mouse->pendingReports() > 0 && waited.elapsed() < 5000)
            QTest::qWait(5);
        QVector<Report> result;
        for (const QVariantList &args : qAsConst(*reports))
            result.append(args[0].value<Report>());
        reports->clear();
        return result;
    }

private slots:
    void cleanup()
    {
        connects.reset();
        reports.reset();
        transport.reset();
        mouse.reset();
    }

    void crcMatchesTheCheckValue()
    {
        QCOMPARE(Crc16::compute(QByteArray("123456789")), uint16_t(0x29B1));
        QCOMPARE(Crc16::compute(QByteArray()), uint16_t(0xFFFF));
    }

    // The mouse's own check, written apart from the program's.
    void mouseCrcMatchesTheCheckValue()
    {
        QCOMPARE(SimulatedMouse::crc16(QByteArray("123456789")), uint16_t(0x29B1));
        QCOMPARE(SimulatedMouse::crc16(QByteArray()), uint16_t(0xFFFF));
    }

    void answersQueries_data()
    {
        QTest::addColumn<int>("commandClass");
        QTest::addColumn<int>("group");
        QTest::addColumn<int>("command");
        QTest::addColumn<Report>("reply");

        QTest::newRow("memory") << 0 << 10 << 10 << padded({40, 2, 10, 10, 72, 0x00, 0x80, 0, 0, 0x00, 0x80, 0, 0});
        QTest::newRow("serial") << 0 << 1 << 15 << padded({40, 2, 1, 15, 73, 'R', '7', '0', '0', '0', '0', '0', '0', '1'});
        QTest::newRow("cpu id") << 0 << 1 << 10
                                << padded({40, 2, 1, 10, 74, 0x00, 0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77, 0x88, 0x99});
        QTest::newRow("sensor id") << 0 << 15 << 6 << padded({40, 2, 15, 6, 65, 1});
        QTest::newRow("dpi step") << 0 << 15 << 4 << padded({40, 2, 15, 4, 65, 50});
        QTest::newRow("active profile") << 0 << 1 << 60 << padded({10, 0, 2, 255, 255});
        QTest::newRow("calibration block")
            << 0 << 25 << 1 << padded({40, 2, 25, 1, 92, 0, 0, 0, 0, 0x10, 0x27, 0xCC, 0x4C, 0xCC, 0xCC, 0x10, 0x27});
        QTest::newRow("store to flash") << 2 << 10 << 1 << padded({40, 2, 0x8A, 1, 66, 0});
        QTest::newRow("unknown command") << 3 << 63 << 99 << padded({40, 2, 0xFF, 99, 66, 1});
    }
    void answersQueries()
    {
        QFETCH(int, commandClass);
        QFETCH(int, group);
        QFETCH(int, command);
        QFETCH(Report, reply);
        connectMouse();
        mouse->setSensorId(1);
        mouse->setDpiStep(50);

        GeneralControlCommand query(commandClass, group, command);
        transport->writePacket(query.packet());
        QCOMPARE(reports->count(), 0); // never from inside the write
        const QVector<Report> replies = collect();
        QCOMPARE(replies.size(), 1);
        QCOMPARE(replies[0].mid(0, 17), reply.mid(0, 17));
        QCOMPARE(mouse->lastCommand().is(commandClass, group, command), true);
    }

    void reassemblesUploadOfThreePackets()
    {
        connectMouse();
        const QByteArray package = packageStartingIn(3, 1, 120); // 124 payload bytes: 58 + 58 + 8
        const QVector<Report> replies = exchange(1, 10, 1, uploadPayload(package));

        const Report ack = padded({40, 2, 0x4A, 1, 66, 0});
        QCOMPARE(replies, (QVector<Report>{ack, ack, ack, padded({40, 2, 0x4A, 1, 68, 0}), padded({10, 0, 2, 3, 1})}));
        QCOMPARE(mouse->ramPackage(), package);
        QCOMPARE(mouse->lastCommand().packets, 3);
        QCOMPARE(mouse->uploads(), 1);
        QCOMPARE(mouse->profileIndex(), 3);
        QCOMPARE(mouse->subProfileIndex(), 1);
    }

    void acceptsUploadsWhoseSequenceWraps()
    {
        connectMouse();
        const QByteArray package = packageStartingIn(1, 255, 300 * 58);
        const QVector<Report> replies = exchange(1, 10, 1, uploadPayload(package));
        QCOMPARE(replies.size(), 301 + 2);
        QCOMPARE(replies[301], padded({40, 2, 0x4A, 1, 68, 0}));
        QCOMPARE(mouse->ramPackage(), package);
    }

    void rejectsBadUploads_data()
    {
        QTest::addColumn<QVector<uint8_t>>("payload");
        QTest::addColumn<int>("memory");
        QTest::addColumn<int>("status");

        const QByteArray package = packageStartingIn(2, 255, 120);
        QTest::newRow("bad crc") << uploadPayload(package, 1) << 32768 << int(SimulatedMouse::BadCrc);
        QTest::newRow("larger than memory") << uploadPayload(package) << 119 << int(SimulatedMouse::TooLarge);
        QVector<uint8_t> wrongCommandByte = uploadPayload(package);
        wrongCommandByte[0] = 2;
        QTest::newRow("wrong header") << wrongCommandByte << 32768 << int(SimulatedMouse::BadPayload);
        QTest::newRow("no header") << QVector<uint8_t>{3, 0} << 32768 << int(SimulatedMouse::BadPayload);
    }
    void rejectsBadUploads()
    {
        QFETCH(QVector<uint8_t>, payload);
        QFETCH(int, memory);
        QFETCH(int, status);
        connectMouse();
        const QByteArray earlier = packageStartingIn(1, 255, 30);
        exchange(1, 10, 1, uploadPayload(earlier));
        mouse->setMemorySize(memory);

        const QVector<Report> replies = exchange(1, 10, 1, payload);
        QCOMPARE(replies.last(), padded({40, 2, 0x4A, 1, 68, uint8_t(status)})); // and no profile notice
        QCOMPARE(mouse->ramPackage(), earlier);
        QCOMPARE(mouse->rejectedUploads(), 1);
        QCOMPARE(mouse->profileIndex(), 1);
    }

    void acceptsAPackageOfExactlyItsMemory()
    {
        connectMouse();
        mouse->setMemorySize(120);
        exchange(1, 10, 1, uploadPayload(packageStartingIn(0, 255, 120)));
        QCOMPARE(mouse->uploads(), 1);
    }

    void refusesMalformedPackets_data()
    {
        QTest::addColumn<QVector<Report>>("packets");
        QTest::addColumn<QVector<Report>>("replies");
        QTest::addColumn<int>("ignored");

        const Report first = padded({41, 1, 0x4A, 1, 0, 0xFA}); // 58 bytes, more follow
        QTest::newRow("wrong report id") << QVector<Report>{padded({42, 1, 10, 10, 0, 0x40})} << QVector<Report>{} << 1;
        QTest::newRow("byte 1 not 1") << QVector<Report>{padded({41, 0, 10, 10, 0, 0x40})} << QVector<Report>{} << 1;
        QTest::newRow("short report") << QVector<Report>{Report{41, 1, 10, 10, 0, 0x40}} << QVector<Report>{} << 1;
        QTest::newRow("chunk over 58") << QVector<Report>{padded({41, 1, 10, 10, 0, 0x7B})} << QVector<Report>{} << 1;
        QTest::newRow("continuation without start")
            << QVector<Report>{padded({41, 1, 0x4A, 1, 1, 0x01})} << QVector<Report>{padded({40, 2, 0x4A, 1, 66, 3})} << 0;
        QTest::newRow("sequence gap")
            << QVector<Report>{first, padded({41, 1, 0x4A, 1, 2, 0x01})}
            << QVector<Report>{padded({40, 2, 0x4A, 1, 66, 0}), padded({40, 2, 0x4A, 1, 66, 3})} << 0;
        QTest::newRow("other command in between")
            << QVector<Report>{first, padded({41, 1, 0x4A, 30, 1, 0x01})}
            << QVector<Report>{padded({40, 2, 0x4A, 1, 66, 0}), padded({40, 2, 0x4A, 30, 66, 3})} << 0;
        QTest::newRow("short chunk with more to follow")
            << QVector<Report>{padded({41, 1, 0x4A, 1, 0, 0xC4})} << QVector<Report>{padded({40, 2, 0x4A, 1, 66, 2})} << 0;
        QTest::newRow("first packet not at sequence 0")
            << QVector<Report>{padded({41, 1, 10, 10, 5, 0x40})} << QVector<Report>{padded({40, 2, 10, 10, 66, 3})} << 0;
    }
    void refusesMalformedPackets()
    {
        QFETCH(QVector<Report>, packets);
        QFETCH(QVector<Report>, replies);
        QFETCH(int, ignored);
        connectMouse();
        for (const Report &packet : packets)
            mouse->receiveOutputReport(packet);
        QCOMPARE(collect(), replies);
        QCOMPARE(mouse->ignoredReports(), ignored);
        QCOMPARE(mouse->commands().size(), 0);
    }

    void storesToFlashAndRunsItAfterReplugging()
    {
        connectMouse();
        const QByteArray package = packageStartingIn(4, 255, 80);
        exchange(1, 10, 1, uploadPayload(package));
        QVERIFY(mouse->flashPackage().isEmpty());
        exchange(2, 10, 1);
        QCOMPARE(mouse->flashPackage(), package);

        exchange(2, 1, 2); // configuration reset: RAM only
        QVERIFY(mouse->ramPackage().isEmpty());
        QCOMPARE(mouse->profileIndex(), 255);

        mouse->unplug();
        QCOMPARE(connects->last(), (QVariantList{false, 0}));
        mouse->plugIn();
        QCOMPARE(connects->last(), (QVariantList{true, 20}));
        QCOMPARE(connects->count(), 3);
        QCOMPARE(mouse->ramPackage(), package);
        QCOMPARE(mouse->profileIndex(), 4);

        exchange(2, 1, 30); // user data reset clears flash
        QVERIFY(mouse->flashPackage().isEmpty());
        QCOMPARE(mouse->userDataResets(), 1);
    }

    void switchesProfiles()
    {
        connectMouse();
        QCOMPARE(exchange(1, 10, 30, {2, 1, 255}), (QVector<Report>{padded({10, 0, 1, 1, 255})}));
        QCOMPARE(mouse->profileIndex(), 1);
        QCOMPARE(mouse->subProfileIndex(), 255);
        QCOMPARE(exchange(1, 10, 30, {7, 1, 255}), (QVector<Report>{padded({40, 2, 0x4A, 30, 66, 2})}));

        mouse->pressProfileButton(2, 0);
        QCOMPARE(collect(), (QVector<Report>{padded({10, 0, 2, 2, 0})}));
        QCOMPARE(exchange(0, 1, 60), (QVector<Report>{padded({10, 0, 2, 2, 0})}));
    }

    void streamsLiveInputOnlyWhenAsked()
    {
        connectMouse();
        QVERIFY(!mouse->sendLiveSample(0, 1000, 2000));
        exchange(1, 5, 10, {3});
        QVERIFY(mouse->isStreaming());

        QVERIFY(mouse->sendLiveSample(0x0102, 0x1234, 0xABCD));
        QVERIFY(mouse->sendMotionSample(QByteArray(36, 7)));
        const QVector<Report> live = collect();
        QCOMPARE(live.size(), 2);
        QCOMPARE(live[0], padded({20, 0x02, 0x01, 0, 0, 0, 0, 0, 0x34, 0x12, 0xCD, 0xAB}));
        QCOMPARE(live[1][0], uint8_t(23));
        QCOMPARE(live[1].mid(1, 36), QVector<uint8_t>(36, 7));

        // Click capture: the first sample with a button down is captured.
        exchange(2, 25, 5);
        mouse->sendLiveSample(0, 900, 900);
        mouse->sendLiveSample(0x0100, 800, 700);
        mouse->sendLiveSample(0x0100, 600, 500);
        mouse->sendLiveSample(0, 900, 900);
        collect();
        exchange(1, 5, 10, {0});
        QVERIFY(!mouse->sendLiveSample(0, 1, 1));
        QCOMPARE(exchange(0, 25, 5), (QVector<Report>{padded({40, 2, 25, 5, 69, 0x20, 0x03, 0xBC, 0x02, 8})}));

        QCOMPARE(exchange(1, 5, 10, {1}).last(), padded({40, 2, 0x45, 10, 66, 2}));
    }

    void writesCalibrationBlockOfExactly28Bytes()
    {
        connectMouse();
        QVector<uint8_t> block(28);
        for (int i = 0; i < 28; ++i)
            block[i] = uint8_t(i);
        QCOMPARE(exchange(1, 25, 1, block.mid(0, 27)).last(), padded({40, 2, 0x59, 1, 66, 2}));
        QCOMPARE(exchange(1, 25, 1, block).last(), padded({40, 2, 0x59, 1, 66, 0}));
        QCOMPARE(exchange(0, 25, 1).last().mid(5, 28), block);
    }

    void vibratesAndCalibratesOnlyWhereTheModelCan_data()
    {
        QTest::addColumn<int>("pid");
        QTest::addColumn<bool>("haptics");
        QTest::addColumn<bool>("tilt");
        QTest::newRow("5") << 5 << true << true;
        QTest::newRow("10") << 10 << true << false;
        QTest::newRow("20") << 20 << false << false;
        QTest::newRow("30") << 30 << true << true;
    }
    void vibratesAndCalibratesOnlyWhereTheModelCan()
    {
        QFETCH(int, pid);
        QFETCH(bool, haptics);
        QFETCH(bool, tilt);
        connectMouse(pid);
        QCOMPARE(connects->last(), (QVariantList{true, pid}));

        const Report vibration = exchange(2, 40, 1, {1, 0, 0x2C, 0x01, 80}).last();
        QCOMPARE(vibration[5], uint8_t(haptics ? SimulatedMouse::Ok : SimulatedMouse::Unsupported));
        QCOMPARE(mouse->vibrations().size(), haptics ? 1 : 0);
        if (haptics) {
            QCOMPARE(mouse->vibrations()[0].duration, 300);
            QCOMPARE(mouse->vibrations()[0].strength, 80);
        }
        exchange(2, 20, 1);
        QCOMPARE(mouse->imuCalibrations(), tilt ? 1 : 0);
    }

    void reportsFirmwareBuildAsFeature()
    {
        connectMouse();
        mouse->setFirmwareBuild("000208-rc");
        QVector<uint8_t> buffer(64, 0xEE);
        buffer[0] = 1;
        transport->getFeature(buffer);
        QCOMPARE(buffer.mid(0, 6), (QVector<uint8_t>{1, 0, 0, 0, 0, 0}));
        QCOMPARE(buffer.mid(6, 10), (QVector<uint8_t>{'0', '0', '0', '2', '0', '8', '-', 'r', 'c', 0}));

        QVector<uint8_t> other(64, 0xEE);
        other[0] = 2;
        const QVector<uint8_t> before = other;
        transport->getFeature(other);
        QCOMPARE(other, before);
    }

    void restartsIntoBootloaderAndBack()
    {
        connectMouse();
        QCOMPARE(exchange(2, 1, 1), QVector<Report>{}); // no reply: it restarts
        QCOMPARE(connects->count(), 3);
        QCOMPARE(connects->at(1), (QVariantList{false, 0}));
        QCOMPARE(connects->at(2), (QVariantList{true, 7}));
        QVERIFY(mouse->inBootloader());

        QCOMPARE(exchange(0, 10, 10), QVector<Report>{}); // a bootloader answers no command
        QVector<uint8_t> buffer(64, 0);
        buffer[0] = 1;
        transport->getFeature(buffer);
        QCOMPARE(buffer, QVector<uint8_t>(padded({1})));

        mouse->leaveBootloader();
        QCOMPARE(connects->last(), (QVariantList{true, 20}));
        QCOMPARE(exchange(0, 15, 6).size(), 1);
    }

    void startsInBootloaderWhenAsked()
    {
        mouse = std::make_unique<SimulatedMouse>();
        mouse->plugInAsBootloader(115);
        FakeHidTransport fresh(mouse.get());
        QSignalSpy spy(&fresh, &HIDInterface::mouseConnect);
        fresh.subscribe();
        QCOMPARE(spy.last(), (QVariantList{true, 115}));
    }

    void unpluggingDropsWhatHasNotLeft()
    {
        connectMouse();
        GeneralControlCommand query(0, 10, 10);
        transport->writePacket(query.packet());
        mouse->unplug();
        QTest::qWait(20);
        QCOMPARE(reports->count(), 0);
        transport->writePacket(query.packet()); // nothing reaches an unplugged mouse
        QCOMPARE(mouse->commands().size(), 1);
    }

    void silentMouseAnswersNothing()
    {
        connectMouse();
        mouse->setSilent(true);
        QCOMPARE(exchange(0, 10, 10), QVector<Report>{});
        QCOMPARE(mouse->outputReports().size(), 1);
    }

    // Strays go out around each packet's reply, also from a silent mouse.
    void sendsStrayReportsAroundReplies()
    {
        connectMouse();
        const QByteArray package = packageStartingIn(3, 1, 100); // two packets
        mouse->addStrayReport(1, 10, 1, {20, 1}, SimulatedMouse::Moment::BeforeReply, 1);
        mouse->addStrayReport(1, 10, 1, {10, 0, 2, 4, 255}, SimulatedMouse::Moment::AfterReply);
        const Report ack = padded({40, 2, 0x4A, 1, 66, 0});
        const Report notice = padded({10, 0, 2, 4, 255});
        QCOMPARE(exchange(1, 10, 1, uploadPayload(package)),
                 (QVector<Report>{padded({20, 1}), ack, notice, ack, padded({40, 2, 0x4A, 1, 68, 0}),
                                  padded({10, 0, 2, 3, 1}), notice}));
        mouse->clearStrayReports();
        mouse->addStrayReport(0, 10, 10, {40});
        mouse->setSilent(true);
        QCOMPARE(exchange(0, 10, 10), QVector<Report>{padded({40})});
    }

    // A chosen status refuses the command at that packet: nothing is stored.
    void acknowledgesWithAChosenStatus_data()
    {
        QTest::addColumn<int>("packet");
        QTest::addColumn<int>("acknowledgements"); // before the refusal
        QTest::newRow("first packet") << 0 << 0;
        QTest::newRow("last packet") << -1 << 2;
    }
    void acknowledgesWithAChosenStatus()
    {
        QFETCH(int, packet);
        QFETCH(int, acknowledgements);
        connectMouse();
        mouse->setAcknowledgement(1, 10, 1, SimulatedMouse::BadCrc, packet);
        const QVector<Report> replies = exchange(1, 10, 1, uploadPayload(packageStartingIn(3, 1, 160)));
        QCOMPARE(replies.mid(0, acknowledgements + 1).last(), padded({40, 2, 0x4A, 1, 66, SimulatedMouse::BadCrc}));
        QCOMPARE(mouse->uploads(), 0);
        QVERIFY(mouse->ramPackage().isEmpty());
        // Once: the next upload is taken.
        exchange(1, 10, 1, uploadPayload(packageStartingIn(3, 1, 160)));
        QCOMPARE(mouse->uploads(), 1);
    }

    void burstDeliversEverythingInOneTurn()
    {
        connectMouse();
        mouse->setBurstDelivery(true);
        int deliveredInFirstTurn = -1; // counted on the turn after the first report
        connect(transport.get(), &HIDInterface::response, this, [&] {
            if (deliveredInFirstTurn == -1) {
                deliveredInFirstTurn = 0;
                QTimer::singleShot(0, this, [&] { deliveredInFirstTurn = reports->count(); });
            }
        });
        transport->writePacket(GeneralControlCommand(1, 10, 1, uploadPayload(packageStartingIn(3, 1, 20))).packet());
        QTRY_VERIFY(deliveredInFirstTurn > 0);
        QCOMPARE(deliveredInFirstTurn, 3); // acknowledgement, result, notice
    }

    void repliesReachAWaitingEventLoop()
    {
        // A device object waits for its reply in a nested event loop.
        connectMouse();
        mouse->setReplyDelay(5);
        QEventLoop loop;
        connect(transport.get(), &HIDInterface::response, &loop, &QEventLoop::quit, Qt::QueuedConnection);
        QTimer::singleShot(500, &loop, [&loop] { loop.exit(1); });
        GeneralControlCommand query(0, 15, 4);
        transport->writePacket(query.packet());
        QCOMPARE(loop.exec(), 0);
    }

    void wakeIsPassedOn()
    {
        connectMouse();
        QSignalSpy wakes(transport.get(), &HIDInterface::wakeFromSleep);
        transport->simulateWake();
        QCOMPARE(wakes.count(), 1);
    }
};

QTEST_GUILESS_MAIN(TestSimulatedMouse)
#include "tst_simulatedmouse.moc"
