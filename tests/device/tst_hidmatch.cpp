#include "HidHardwareId.h"
#include "HidMatch.h"
#include "HidReport.h"

#include <QtTest>

class TestHidMatch : public QObject
{
    Q_OBJECT

private slots:
    void matchesHardwareIds_data()
    {
        QTest::addColumn<QString>("hardwareId");
        QTest::addColumn<int>("pid");

        QTest::newRow("mouse 20") << "HID\\VID_214E&PID_0014&MI_03" << 20;
        QTest::newRow("mouse 5") << "HID\\VID_214E&PID_0005&MI_03" << 5;
        QTest::newRow("mouse 10") << "HID\\VID_214E&PID_000A&MI_03" << 10;
        QTest::newRow("mouse 15") << "HID\\VID_214E&PID_000F&MI_03" << 15;
        QTest::newRow("mouse 25") << "HID\\VID_214E&PID_0019&MI_03" << 25;
        QTest::newRow("mouse 30") << "HID\\VID_214E&PID_001E&MI_03&Col01" << 30;
        QTest::newRow("other interface") << "HID\\VID_214E&PID_0014&MI_00" << 0;
        QTest::newRow("no interface") << "HID\\VID_214E&PID_0014" << 0;
        QTest::newRow("lower-case digits") << "HID\\VID_214e&PID_0014&MI_03" << 0;
        QTest::newRow("lower-case prefix") << "HID\\vid_214E&pid_0014&MI_03" << 0;
        QTest::newRow("unknown product") << "HID\\VID_214E&PID_0015&MI_03" << 0;
        QTest::newRow("other vendor") << "HID\\VID_046D&PID_0014&MI_03" << 0;
        QTest::newRow("rom bootloader") << "HID\\VID_15A2&PID_0073" << 115;
        QTest::newRow("rom bootloader lower case") << "HID\\VID_15a2&PID_0073" << 0;
        QTest::newRow("maker bootloader") << "HID\\VID_214E&PID_0007" << 7;
        QTest::newRow("maker bootloader on interface 3") << "HID\\VID_214E&PID_0007&MI_03" << 7;
        QTest::newRow("empty") << "" << 0;
    }
    void matchesHardwareIds()
    {
        QFETCH(QString, hardwareId);
        QFETCH(int, pid);
        QCOMPARE(HidMatch::productId(hardwareId), pid);
    }

    void firstMatchInOrderWins()
    {
        const QString keyboard = "HID\\VID_046D&PID_C31C&MI_00";
        const QString mouse = "HID\\VID_214E&PID_0014&MI_03";
        const QString bootloader = "HID\\VID_214E&PID_0007";
        int index = 99;
        QCOMPARE(HidMatch::firstMatch({keyboard, bootloader, mouse}, &index), 7);
        QCOMPARE(index, 1);
        QCOMPARE(HidMatch::firstMatch({mouse, bootloader}, &index), 20);
        QCOMPARE(index, 0);
        QCOMPARE(HidMatch::firstMatch({keyboard}, &index), 0);
        QCOMPARE(index, -1);
    }

    void composesHardwareIdsInTheMatchedForm_data()
    {
        QTest::addColumn<int>("vendorId");
        QTest::addColumn<int>("productId");
        QTest::addColumn<int>("interfaceNumber");
        QTest::addColumn<QString>("hardwareId");
        QTest::addColumn<int>("pid");
        QTest::newRow("mouse interface") << 0x214E << 0x1E << 3 << "HID\\VID_214E&PID_001E&MI_03" << 30;
        QTest::newRow("no interface") << 0x15A2 << 0x73 << -1 << "HID\\VID_15A2&PID_0073" << 115;
        QTest::newRow("upper-case digits") << 0xabcd << 0x1e << 0 << "HID\\VID_ABCD&PID_001E&MI_00" << 0;
        QTest::newRow("interface in hexadecimal") << 0x214E << 0x14 << 10 << "HID\\VID_214E&PID_0014&MI_0A" << 0;
        QTest::newRow("interface 19") << 0x214E << 0x14 << 19 << "HID\\VID_214E&PID_0014&MI_13" << 0;
    }
    void composesHardwareIdsInTheMatchedForm()
    {
        QFETCH(int, vendorId);
        QFETCH(int, productId);
        QFETCH(int, interfaceNumber);
        QFETCH(QString, hardwareId);
        QFETCH(int, pid);
        QCOMPARE(HidHardwareId::compose(quint16(vendorId), quint16(productId), interfaceNumber), hardwareId);
        QCOMPARE(HidMatch::productId(hardwareId), pid);
    }

    void readsUdevHidIds()
    {
        quint16 bus = 0;
        quint16 vendor = 0;
        quint16 product = 0;
        QVERIFY(HidHardwareId::parseHidId("0003:0000214E:00000014", bus, vendor, product));
        QCOMPARE(bus, HidHardwareId::usbBus);
        QCOMPARE(vendor, quint16(0x214E));
        QCOMPARE(product, quint16(0x14));
        QVERIFY(HidHardwareId::parseHidId("0005:0000214E:00000014", bus, vendor, product));
        QCOMPARE(bus, quint16(0x0005));
        QVERIFY(!HidHardwareId::parseHidId("0003:0000214E", bus, vendor, product));
        QVERIFY(!HidHardwareId::parseHidId("0003:0001214E:00000014", bus, vendor, product));
        QVERIFY(!HidHardwareId::parseHidId("10003:0000214E:00000014", bus, vendor, product));
    }

    void padsPacketsToReportLength()
    {
        const QVector<uint8_t> packet{41, 1, 10, 10, 0, 0x40};
        const QVector<uint8_t> report = HidReport::padded(packet);
        QCOMPARE(report.size(), 64);
        QCOMPARE(report.mid(0, 6), packet);
        QCOMPARE(report.mid(6), QVector<uint8_t>(58, 0));
        QCOMPARE(HidReport::padded(QVector<uint8_t>(70, 5)), QVector<uint8_t>(64, 5));
    }
};

QTEST_GUILESS_MAIN(TestHidMatch)
#include "tst_hidmatch.moc"
