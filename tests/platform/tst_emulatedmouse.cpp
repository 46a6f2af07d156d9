// The device object on the real transport, with the simulated mouse behind an
// emulated hidraw node: the firmware build comes through HIDIOCGFEATURE, the
// connect sequence's queries and replies through the node's writes and reads.
#include "HIDManager.h"
#include "HidTestbed.h"
#include "MouseFunctions.h"
#include "SimulatedMouseNode.h"

#include "ProcessStateGuard.h"
#include "SimulatedMouse.h"

#include <QSignalSpy>
#include <QtTest>

#include <memory>
#include <optional>

class TestEmulatedMouse : public QObject
{
    Q_OBJECT

private:
    std::optional<ProcessStateGuard> clean;
    std::unique_ptr<HidTestbed> testbed;
    std::unique_ptr<SimulatedMouse> mouse;
    std::unique_ptr<SimulatedMouseNode> bridge;
    QString usbDevice;

    static MouseFunctions *device() { return MouseFunctions::instance(); }

    QStringList commandsReceived() const
    {
        QStringList commands;
        for (const SimulatedMouse::Command &command : mouse->commands())
            commands << QStringLiteral("%1,%2,%3").arg(command.commandClass).arg(command.group).arg(command.command);
        return commands;
    }

private Q_SLOTS:
    void initTestCase()
    {
        const HidTestbed probe;
        QVERIFY2(probe.isActive(), "needs umockdev's preload: run it through umockdev-wrapper");
    }

    void init()
    {
        clean.emplace();
        testbed = std::make_unique<HidTestbed>();
        mouse = std::make_unique<SimulatedMouse>();
        usbDevice = testbed->addUsbDevice(0x214E, 0x1E);
        testbed->addHidInterface(usbDevice, 0);
        const QString node = testbed->addHidInterface(usbDevice, 3);
        bridge = std::make_unique<SimulatedMouseNode>(*testbed, node, *mouse);
        QVERIFY(bridge->isAttached());
        mouse->setProductId(30);
    }

    void cleanup()
    {
        // The program closes the node before its handler goes.
        MouseFunctions::destroyInstance();
        bridge.reset();
        mouse.reset();
        testbed.reset();
        clean.reset();
    }

    void connectsThroughTheNode()
    {
        mouse->setSensorId(1);
        mouse->setDpiStep(50);
        mouse->plugIn();
        QSignalSpy connected(device(), &MouseFunctions::mouseConnect);
        QSignalSpy profile(device(), &MouseFunctions::profileChanged);
        device()->init();
        QTRY_COMPARE(connected.count(), 1);
        QCOMPARE(connected.at(0).at(0).toBool(), true);

        QCOMPARE(bridge->featureReads(), 1);
        QCOMPARE(commandsReceived(), QStringList({"0,1,60", "0,15,6", "0,15,4"}));
        QCOMPARE(mouse->ignoredReports(), 0);
        QCOMPARE(device()->mousePID(), 30);
        QVERIFY(device()->isCompatibleMousePresent());
        QCOMPARE(device()->waitState(), int(MouseFunctions::WaitIdle));
        QCOMPARE(device()->maxDpi(), 26000);
        QCOMPARE(device()->dpiStep(), 50);
        QCOMPARE(profile.count(), 1); // the mouse's answer to the profile query
        QCOMPARE(profile.at(0), QVariantList({255, 255}));

        testbed->unplug(usbDevice);
        QTRY_COMPARE(connected.count(), 2);
        QCOMPARE(connected.at(1).at(0).toBool(), false);
        QVERIFY(!device()->isDevicePresent());
        QCOMPARE(device()->waitState(), int(MouseFunctions::WaitDisconnected));
    }

    void olderBuildAsksForAnUpdate()
    {
        mouse->setFirmwareBuild("000207");
        mouse->plugIn();
        QSignalSpy connected(device(), &MouseFunctions::mouseConnect);
        QSignalSpy update(device(), &MouseFunctions::fwUpdateRequired);
        device()->init();
        QTRY_COMPARE(connected.count(), 1);
        QCOMPARE(connected.at(0).at(0).toBool(), false);
        QCOMPARE(update.count(), 1);
        QCOMPARE(update.at(0).at(0).toBool(), true); // the mouse's firmware is the older
        QVERIFY(device()->isDevicePresent());
        QVERIFY(!device()->isCompatibleMousePresent());
        QCOMPARE(device()->waitState(), int(MouseFunctions::WaitDisconnected));
        QCOMPARE(commandsReceived(), QStringList());
    }

    void featureReportTheMouseLacksLeavesTheBuffer()
    {
        mouse->plugIn();
        HIDManager manager;
        QVERIFY(manager.isOpen());
        QVector<uint8_t> buffer(64, 0xAA);
        buffer[0] = 1;
        manager.getFeature(buffer);
        QCOMPARE(buffer.mid(0, 12), QVector<uint8_t>({1, 0, 0, 0, 0, 0, '0', '0', '0', '2', '0', '8'}));

        buffer.fill(0xAA);
        buffer[0] = 2;
        const QVector<uint8_t> before = buffer;
        QTest::ignoreMessage(QtWarningMsg, "HIDManager: getFeature failed. Error code: 32");
        manager.getFeature(buffer);
        QCOMPARE(buffer, before);
        QCOMPARE(bridge->featureReads(), 2);
    }
};

QTEST_GUILESS_MAIN(TestEmulatedMouse)
#include "tst_emulatedmouse.moc"
