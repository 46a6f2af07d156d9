// The transport on the Linux HID system, against emulated devices: udev's
// enumeration labels each hidraw node with its hardware id, only the mouse's
// interface or a bootloader is opened, and udev's events bring the mouse's
// arrival and removal.
#include "HIDManager.h"
#include "HidTestbed.h"
#include "UdevHidEnumerator.h"
#include "UdevMonitor.h"

#include <QSignalSpy>
#include <QtTest>

#include <algorithm>
#include <unistd.h>

namespace {
enum class Link { Usb, Bluetooth };

QStringList hardwareIds(const QVector<HidDeviceInfo> &devices)
{
    QStringList ids;
    for (const HidDeviceInfo &device : devices)
        ids << device.hardwareId;
    ids.sort();
    return ids;
}
} // namespace

Q_DECLARE_METATYPE(Link)

class TestUdevHidSystem : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        const HidTestbed testbed;
        QVERIFY2(testbed.isActive(), "needs umockdev's preload: run it through umockdev-wrapper");
        qRegisterMetaType<QVector<uint8_t>>("QVector<uint8_t>");
    }

    void labelsEachDeviceAndOpensOnlyAMatch_data()
    {
        QTest::addColumn<Link>("link");
        QTest::addColumn<int>("vendorId");
        QTest::addColumn<int>("productId");
        QTest::addColumn<int>("interfaceNumber");
        QTest::addColumn<QString>("hardwareId");
        QTest::addColumn<int>("pid");
        QTest::newRow("mouse interface 3") << Link::Usb << 0x214E << 0x14 << 3 << "HID\\VID_214E&PID_0014&MI_03" << 20;
        QTest::newRow("mouse interface 0") << Link::Usb << 0x214E << 0x14 << 0 << "HID\\VID_214E&PID_0014&MI_00" << 0;
        QTest::newRow("other vendor's interface 3")
            << Link::Usb << 0x046D << 0xC31C << 3 << "HID\\VID_046D&PID_C31C&MI_03" << 0;
        // The adapter's interface number is the mouse's on the USB bus: the
        // Bluetooth mouse must not pass for it.
        QTest::newRow("Bluetooth mouse behind an adapter's interface 3")
            << Link::Bluetooth << 0x214E << 0x14 << 3 << "HID\\VID_214E&PID_0014" << 0;
        QTest::newRow("chip's ROM bootloader")
            << Link::Usb << 0x15A2 << 0x73 << 0 << "HID\\VID_15A2&PID_0073&MI_00" << 115;
        QTest::newRow("maker's bootloader") << Link::Usb << 0x214E << 0x07 << 0 << "HID\\VID_214E&PID_0007&MI_00" << 7;
    }
    void labelsEachDeviceAndOpensOnlyAMatch()
    {
        QFETCH(Link, link);
        QFETCH(int, vendorId);
        QFETCH(int, productId);
        QFETCH(int, interfaceNumber);
        QFETCH(QString, hardwareId);
        QFETCH(int, pid);

        HidTestbed testbed;
        const QString node =
            link == Link::Usb
                ? testbed.addHidInterface(testbed.addUsbDevice(quint16(vendorId), quint16(productId)), interfaceNumber)
                : testbed.addBluetoothHid(testbed.addBluetoothAdapter(interfaceNumber), quint16(vendorId),
                                          quint16(productId));
        QVector<HidDeviceInfo> devices;
        QVERIFY(UdevHidEnumerator::enumerate(devices));
        QCOMPARE(devices.size(), 1);
        QCOMPARE(devices[0].node, node);
        QCOMPARE(devices[0].hardwareId, hardwareId);

        HIDManager manager;
        QCOMPARE(manager.productId(), pid);
        QCOMPARE(manager.isOpen(), pid != 0);
        QCOMPARE(testbed.openNodes(), pid ? QStringList{node} : QStringList());
    }

    void readsTheMouseInterfaceAmongOtherDevices()
    {
        HidTestbed testbed;
        const QString keyboard = testbed.addUsbDevice(0x046D, 0xC31C);
        testbed.addHidInterface(keyboard, 0);
        testbed.addHidInterface(keyboard, 1);
        testbed.addBluetoothHid(testbed.addBluetoothAdapter(3), 0x214E, 0x14);
        const QString mouse = testbed.addUsbDevice(0x214E, 0x1E);
        for (int interfaceNumber : {0, 1, 2})
            testbed.addHidInterface(mouse, interfaceNumber);
        const QString node = testbed.addHidInterface(mouse, 3);

        QVector<HidDeviceInfo> devices;
        QVERIFY(UdevHidEnumerator::enumerate(devices));
        QCOMPARE(hardwareIds(devices),
                 QStringList({"HID\\VID_046D&PID_C31C&MI_00", "HID\\VID_046D&PID_C31C&MI_01", "HID\\VID_214E&PID_0014",
                              "HID\\VID_214E&PID_001E&MI_00", "HID\\VID_214E&PID_001E&MI_01",
                              "HID\\VID_214E&PID_001E&MI_02", "HID\\VID_214E&PID_001E&MI_03"}));

        HIDManager manager;
        QCOMPARE(manager.productId(), 30);
        QCOMPARE(testbed.openNodes(), QStringList{node});
        QSignalSpy reports(&manager, &HIDInterface::response);
        manager.subscribe();
        // A report shorter than 64 bytes reaches the owner as 64.
        const QVector<uint8_t> report{10, 0, 2, 3, 1};
        QCOMPARE(::write(testbed.deviceFd(node), report.constData(), size_t(report.size())), ssize_t(report.size()));
        QTRY_COMPARE(reports.count(), 1);
        QVector<uint8_t> expected = report;
        expected.resize(64);
        QCOMPARE(reports.at(0).at(0).value<QVector<uint8_t>>(), expected);
    }

    void followsTheMouseArrivingAndLeaving()
    {
        HidTestbed testbed;
        const QString keyboard = testbed.addUsbDevice(0x046D, 0xC31C);
        const QString keyboardNode = testbed.addHidInterface(keyboard, 0);
        HIDManager manager;
        QSignalSpy connects(&manager, &HIDInterface::mouseConnect);
        manager.subscribe();
        QVERIFY(!manager.isOpen());

        // Each of its interfaces is announced; the mouse is opened once.
        const QString mouse = testbed.addUsbDevice(0x214E, 0x14);
        testbed.addHidInterface(mouse, 0);
        const QString node = testbed.addHidInterface(mouse, 3);
        QTRY_COMPARE(connects.count(), 1);
        QCOMPARE(connects.at(0), QVariantList({true, 20}));
        QCOMPARE(testbed.openNodes(), QStringList{node});

        // A witness of the same events: once it has seen the keyboard go, so
        // has the transport.
        UdevMonitor witness;
        QSignalSpy removed(&witness, &UdevMonitor::removed);
        QVERIFY(witness.start());
        testbed.unplug(keyboard);
        QTRY_COMPARE(removed.count(), 1);
        QCOMPARE(removed.at(0).at(0).toString(), keyboardNode);
        QCoreApplication::processEvents();
        QCOMPARE(connects.count(), 1);
        QVERIFY(manager.isOpen());

        QTest::ignoreMessage(QtInfoMsg, "HIDManager: mouse removal, PID: 20");
        testbed.unplug(mouse);
        QTRY_COMPARE(connects.count(), 2);
        QCOMPARE(connects.at(1), QVariantList({false, 0}));
        QVERIFY(!manager.isOpen());
        QCOMPARE(testbed.openNodes(), QStringList());

        const QString again = testbed.addHidInterface(testbed.addUsbDevice(0x214E, 0x14), 3);
        QTRY_COMPARE(connects.count(), 3);
        QCOMPARE(connects.at(2), QVariantList({true, 20}));
        QCOMPARE(testbed.openNodes(), QStringList{again});
    }
};

QTEST_GUILESS_MAIN(TestUdevHidSystem)
#include "tst_udevhidsystem.moc"
