#include "GeneralControlCommand.h"

#include <QtTest>

namespace {
QVector<uint8_t> payloadOf(int size)
{
    QVector<uint8_t> payload(size);
    for (int i = 0; i < size; ++i)
        payload[i] = uint8_t(i * 7 + 1);
    return payload;
}

QVector<QVector<uint8_t>> allPackets(GeneralControlCommand &command)
{
    QVector<QVector<uint8_t>> packets{command.packet()};
    while (command.nextPacket())
        packets.append(command.packet());
    return packets;
}
} // namespace

class TestCommandPackets : public QObject
{
    Q_OBJECT

private slots:
    void splitsPayloadIntoPackets_data()
    {
        QTest::addColumn<int>("size");
        QTest::addColumn<QVector<uint8_t>>("lengthBytes"); // byte 5 of each packet

        QTest::newRow("empty") << 0 << QVector<uint8_t>{0x40};
        QTest::newRow("one byte") << 1 << QVector<uint8_t>{0x41};
        QTest::newRow("exactly one chunk") << 58 << QVector<uint8_t>{0x7A};
        QTest::newRow("one byte over") << 59 << QVector<uint8_t>{0xFA, 0x01};
        QTest::newRow("two full chunks") << 116 << QVector<uint8_t>{0xFA, 0x3A};
        QTest::newRow("three packets") << 130 << QVector<uint8_t>{0xFA, 0xBA, 0x0E};
    }
    void splitsPayloadIntoPackets()
    {
        QFETCH(int, size);
        QFETCH(QVector<uint8_t>, lengthBytes);
        const QVector<uint8_t> payload = payloadOf(size);
        GeneralControlCommand command(1, 10, 1, payload);

        const QVector<QVector<uint8_t>> packets = allPackets(command);
        QCOMPARE(packets.size(), lengthBytes.size());
        QVector<uint8_t> joined;
        for (int i = 0; i < packets.size(); ++i) {
            const QVector<uint8_t> &packet = packets[i];
            const int chunk = lengthBytes[i] & 0x3F;
            QCOMPARE(packet.size(), 6 + chunk);
            QCOMPARE(packet.mid(0, 5), (QVector<uint8_t>{41, 1, 1 << 6 | 10, 1, uint8_t(i)}));
            QCOMPARE(packet[5], lengthBytes[i]);
            joined << packet.mid(6);
        }
        QCOMPARE(joined, payload);
        QVERIFY(!command.nextPacket()); // stays at the end
        QCOMPARE(command.packet(), packets.last());
    }

    void emptyCommandIsOneHeaderPacket()
    {
        GeneralControlCommand command(0, 10, 10);
        QCOMPARE(command.packet(), (QVector<uint8_t>{41, 1, 10, 10, 0, 0x40}));
        QCOMPARE(command.packet(), command.packet());
        QVERIFY(!command.nextPacket());

        GeneralControlCommand vibration(2, 40, 1, {1, 0, 0x2C, 0x01, 80});
        QCOMPARE(vibration.packet(), (QVector<uint8_t>{41, 1, 0xA8, 1, 0, 0x45, 1, 0, 0x2C, 0x01, 80}));
    }

    void sequenceWrapsAfter255()
    {
        GeneralControlCommand command(1, 10, 1, payloadOf(258 * 58));
        const QVector<QVector<uint8_t>> packets = allPackets(command);
        QCOMPARE(packets.size(), 258);
        QCOMPARE(packets[255][4], uint8_t(255));
        QCOMPARE(packets[256][4], uint8_t(0));
        QCOMPARE(packets[256][5], uint8_t(0xBA)); // not first, more follow
        QCOMPARE(packets[257][4], uint8_t(1));
        QCOMPARE(packets[257][5], uint8_t(0x3A)); // last, full
    }
};

QTEST_GUILESS_MAIN(TestCommandPackets)
#include "tst_commandpackets.moc"
