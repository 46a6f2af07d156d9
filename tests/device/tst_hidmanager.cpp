// The transport on a stand-in system: each "device node" is one end of a
// SOCK_SEQPACKET socket pair, so the real reader thread, writes and removal
// run on file descriptors the test controls through the other end.
#include "HIDManager.h"
#include "HidSystem.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QtTest>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <functional>
#include <future>
#include <thread>
#include <fcntl.h>
#include <poll.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {
const QString mouseId = "HID\\VID_214E&PID_0014&MI_03";
const QString keyboardId = "HID\\VID_046D&PID_C31C&MI_00";
const QString bootloaderId = "HID\\VID_214E&PID_0007";

class FakeSystem : public HidSystem
{
public:
    ~FakeSystem() override
    {
        for (int fd : qAsConst(unopened))
            ::close(fd);
    }

    // A device whose node opens as fd (taken over by whoever opens it).
    void addDevice(const QString &node, const QString &hardwareId, int fd)
    {
        devices.append({node, hardwareId});
        if (fd >= 0)
            unopened.insert(node, fd);
    }

    // A device plugged in: listed from now on, and announced once the system watches.
    void plugIn(const QString &node, const QString &hardwareId, int fd)
    {
        addDevice(node, hardwareId, fd);
        if (watching)
            QMetaObject::invokeMethod(this, [this, node] { emit deviceArrived(node); }, Qt::QueuedConnection);
    }
    // A device unplugged: no longer listed (the removal notice is the test's).
    void removeDevice(const QString &node)
    {
        devices.erase(std::remove_if(devices.begin(), devices.end(),
                                     [&](const HidDeviceInfo &info) { return info.node == node; }),
                      devices.end());
        if (unopened.contains(node))
            ::close(unopened.take(node));
    }

    bool enumerate(QVector<HidDeviceInfo> &out) override
    {
        if (!enumerateWorks)
            return false;
        out = devices;
        if (afterEnumerate)
            afterEnumerate();
        return true;
    }
    int open(const QString &node, int &error) override
    {
        if (!unopened.contains(node)) {
            error = EACCES;
            return -1;
        }
        return unopened.take(node);
    }
    void startWatching() override { watching = true; }

    QVector<HidDeviceInfo> devices;
    QMap<QString, int> unopened;
    std::function<void()> afterEnumerate;
    bool enumerateWorks = true;
    bool watching = false;
};

// A socket pair: one end for the transport, the other played by the test as the mouse.
struct FakeNode
{
    FakeNode()
    {
        int fds[2];
        if (::socketpair(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, fds) == 0) {
            transportEnd = fds[0];
            deviceEnd = fds[1];
        }
    }
    ~FakeNode() { closeDevice(); }
    void closeDevice()
    {
        if (deviceEnd >= 0)
            ::close(deviceEnd);
        deviceEnd = -1;
    }
    bool send(const QVector<uint8_t> &report) const
    {
        return ::send(deviceEnd, report.constData(), size_t(report.size()), MSG_NOSIGNAL) == report.size();
    }
    // The next report the transport wrote, or nothing after timeoutMs.
    QVector<uint8_t> receive(int timeoutMs = 2000) const
    {
        pollfd in = {deviceEnd, POLLIN, 0};
        if (::poll(&in, 1, timeoutMs) != 1)
            return {};
        QVector<uint8_t> buffer(256);
        const auto n = ::recv(deviceEnd, buffer.data(), size_t(buffer.size()), 0);
        buffer.resize(n > 0 ? int(n) : 0);
        return buffer;
    }

    int transportEnd = -1;
    int deviceEnd = -1;
};

QVector<uint8_t> reportOf(std::initializer_list<uint8_t> head, int length = 64)
{
    QVector<uint8_t> report(head);
    report.resize(length);
    return report;
}
} // namespace

class TestHidManager : public QObject
{
    Q_OBJECT

private:
    // A transport on a system with one mouse (model 20) at "/dev/hidraw1".
    struct Rig
    {
        Rig()
        {
            auto fake = std::make_unique<FakeSystem>();
            system = fake.get();
            fake->addDevice("/dev/hidraw0", keyboardId, -1);
            fake->addDevice("/dev/hidraw1", mouseId, node.transportEnd);
            manager = std::make_unique<HIDManager>(std::move(fake));
        }
        FakeNode node;
        FakeSystem *system = nullptr;
        std::unique_ptr<HIDManager> manager;
    };

private slots:
    void opensFirstMatchAndReportsOnSubscribe()
    {
        FakeNode mouse;
        FakeNode bootloader;
        auto fake = std::make_unique<FakeSystem>();
        FakeSystem *system = fake.get();
        fake->addDevice("/dev/hidraw0", keyboardId, -1);
        fake->addDevice("/dev/hidraw1", bootloaderId, bootloader.transportEnd);
        fake->addDevice("/dev/hidraw2", mouseId, mouse.transportEnd);
        QTest::ignoreMessage(QtInfoMsg, "HIDManager: Corvanelle Mouse Bootloader Found.");
        QTest::ignoreMessage(QtInfoMsg, "HIDManager: mouse match, PID: 7");
        HIDManager manager(std::move(fake));
        QSignalSpy connects(&manager, &HIDInterface::mouseConnect);

        QVERIFY(system->watching);
        QVERIFY(manager.isOpen());
        QCOMPARE(manager.productId(), 7);
        QVERIFY(system->unopened.contains("/dev/hidraw2")); // the mouse after it stays closed
        QCOMPARE(connects.count(), 0);                       // nothing before subscribe

        manager.subscribe();
        QCOMPARE(connects.count(), 1);
        QCOMPARE(connects.last(), (QVariantList{true, 7}));

        QTest::ignoreMessage(QtDebugMsg, "HIDManager: on_subscribe device already has read thread");
        manager.subscribe();
        QCOMPARE(connects.count(), 2);
        QCOMPARE(connects.last(), (QVariantList{true, 7}));
    }

    void failedEnumerationOrOpenLeavesNoDevice()
    {
        auto broken = std::make_unique<FakeSystem>();
        broken->enumerateWorks = false;
        QTest::ignoreMessage(QtWarningMsg, "HIDManager: udev enumeration failed");
        HIDManager unlisted(std::move(broken));
        QVERIFY(!unlisted.isOpen());

        auto locked = std::make_unique<FakeSystem>();
        locked->addDevice("/dev/hidraw3", mouseId, -1); // open fails: no access
        QTest::ignoreMessage(QtWarningMsg, "HIDManager: open failed. Error code: 13");
        HIDManager unopened(std::move(locked));
        QSignalSpy connects(&unopened, &HIDInterface::mouseConnect);
        QVERIFY(!unopened.isOpen());
        unopened.subscribe();
        QCOMPARE(connects.count(), 0);
    }

    void arrivalOpensAndReportsOnce()
    {
        FakeNode node;
        auto fake = std::make_unique<FakeSystem>();
        FakeSystem *system = fake.get();
        HIDManager manager(std::move(fake));
        QSignalSpy connects(&manager, &HIDInterface::mouseConnect);
        manager.subscribe();
        QCOMPARE(connects.count(), 0);

        system->addDevice("/dev/hidraw4", "HID\\VID_214E&PID_001E&MI_03", node.transportEnd);
        emit system->deviceArrived("/dev/hidraw4");
        QCOMPARE(connects.count(), 1);
        QCOMPARE(connects.last(), (QVariantList{true, 30}));

        emit system->deviceArrived("/dev/hidraw5"); // another device while the mouse is open
        QCOMPARE(connects.count(), 1);
    }

    void mousePluggedInDuringStartUpIsFound()
    {
        FakeNode node;
        auto fake = std::make_unique<FakeSystem>();
        FakeSystem *system = fake.get();
        // The mouse arrives right after the first look at the device list.
        bool plugged = false;
        fake->afterEnumerate = [&] {
            if (!plugged)
                system->plugIn("/dev/hidraw7", mouseId, node.transportEnd);
            plugged = true;
        };
        HIDManager manager(std::move(fake));
        QSignalSpy connects(&manager, &HIDInterface::mouseConnect);
        QVERIFY(!manager.isOpen());
        manager.subscribe();
        QTRY_COMPARE(connects.count(), 1);
        QCOMPARE(connects.last(), (QVariantList{true, 20}));
    }

    void deliversEveryReportAs64Bytes()
    {
        Rig rig;
        QSignalSpy reports(rig.manager.get(), &HIDInterface::response);
        rig.manager->subscribe();

        const QVector<uint8_t> full = reportOf({40, 2, 10, 10, 72, 0, 0x80}, 64);
        QVERIFY(rig.node.send(full));
        QTRY_COMPARE(reports.count(), 1);
        QCOMPARE(reports[0][0].value<QVector<uint8_t>>(), full);

        // A shorter read carries nothing over from the report before it.
        QVERIFY(rig.node.send({10, 0, 2, 1, 255}));
        QTRY_COMPARE(reports.count(), 2);
        QCOMPARE(reports[1][0].value<QVector<uint8_t>>(), reportOf({10, 0, 2, 1, 255}));
    }

    void writesPacketsPaddedTo64Bytes()
    {
        Rig rig;
        rig.manager->subscribe();
        rig.manager->writePacket({41, 1, 10, 10, 0, 0x40});
        const QVector<uint8_t> written = rig.node.receive();
        QCOMPARE(written.size(), 64);
        QCOMPARE(written, reportOf({41, 1, 10, 10, 0, 0x40}));
    }

    void removalIsReportedOnce_data()
    {
        QTest::addColumn<bool>("readerFirst");
        QTest::addColumn<bool>("monitorToo");
        QTest::newRow("reader, then monitor") << true << true;
        QTest::newRow("monitor, then reader") << false << true;
        QTest::newRow("reader alone") << true << false;
    }
    void removalIsReportedOnce()
    {
        QFETCH(bool, readerFirst);
        QFETCH(bool, monitorToo);
        Rig rig;
        QSignalSpy connects(rig.manager.get(), &HIDInterface::mouseConnect);
        rig.manager->subscribe();
        QCOMPARE(connects.count(), 1);

        QTest::ignoreMessage(QtInfoMsg, "HIDManager: mouse removal, PID: 20");
        if (readerFirst) {
            rig.node.closeDevice(); // the reader sees the hang-up
            QTRY_COMPARE(connects.count(), 2);
            if (monitorToo)
                emit rig.system->deviceRemoved("/dev/hidraw1");
        } else {
            emit rig.system->deviceRemoved("/dev/hidraw1");
            QCOMPARE(connects.count(), 2);
            rig.node.closeDevice();
        }
        QTest::qWait(50);
        QCOMPARE(connects.count(), 2);
        QCOMPARE(connects.last(), (QVariantList{false, 0}));
        QVERIFY(!rig.manager->isOpen());
        QCOMPARE(rig.manager->productId(), 0);

        // With no device, writes fail and say so.
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("HIDManager: write failed. Error code: \\d+"));
        rig.manager->writePacket({41, 1, 10, 10, 0, 0x40});
    }

    void lateReaderRemovalLeavesANewMouseOpen()
    {
        Rig rig;
        QSignalSpy connects(rig.manager.get(), &HIDInterface::mouseConnect);
        QSignalSpy reports(rig.manager.get(), &HIDInterface::response);
        rig.manager->subscribe();

        // The reader sees the hang-up and posts its removal, which waits in
        // the queue while the monitor's notice is handled and a new mouse
        // is plugged in.
        rig.node.closeDevice();
        QElapsedTimer timer;
        timer.start();
        while (rig.manager->isReading() && timer.elapsed() < 5000)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        QVERIFY(!rig.manager->isReading());
        QTest::ignoreMessage(QtInfoMsg, "HIDManager: mouse removal, PID: 20");
        rig.system->removeDevice("/dev/hidraw1");
        emit rig.system->deviceRemoved("/dev/hidraw1");
        FakeNode next;
        rig.system->addDevice("/dev/hidraw2", mouseId, next.transportEnd);
        emit rig.system->deviceArrived("/dev/hidraw2");
        QCOMPARE(connects.count(), 3);
        QCOMPARE(connects.last(), (QVariantList{true, 20}));

        QTest::qWait(50); // the reader's late notice is handled
        QVERIFY(rig.manager->isOpen());
        QCOMPARE(connects.count(), 3);
        QVERIFY(next.send(reportOf({10, 0, 2, 3, 255})));
        QTRY_COMPARE(reports.count(), 1);
        rig.manager.reset();
    }

    void removalOfAnotherDeviceIsIgnored()
    {
        Rig rig;
        QSignalSpy connects(rig.manager.get(), &HIDInterface::mouseConnect);
        rig.manager->subscribe();
        emit rig.system->deviceRemoved("/dev/hidraw0");
        QVERIFY(rig.manager->isOpen());
        QCOMPARE(connects.count(), 1);
    }

    void persistentReadErrorCountsAsRemoval()
    {
        // A directory polls as readable and every read fails with EISDIR.
        const int directory = ::open(".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        QVERIFY(directory >= 0);
        auto fake = std::make_unique<FakeSystem>();
        fake->addDevice("/dev/hidraw6", mouseId, directory);
        HIDManager manager(std::move(fake));
        QSignalSpy connects(&manager, &HIDInterface::mouseConnect);

        QTest::ignoreMessage(QtWarningMsg, QString("HIDManager: read failed. Error code: %1").arg(EISDIR).toUtf8());
        QTest::ignoreMessage(QtWarningMsg, "HIDManager: read keeps failing, treating the mouse as removed");
        QTest::ignoreMessage(QtInfoMsg, "HIDManager: mouse removal, PID: 20");
        QElapsedTimer timer;
        timer.start();
        manager.subscribe();
        QTRY_COMPARE(connects.count(), 2);
        QCOMPARE(connects.last(), (QVariantList{false, 0}));
        // It paused between attempts instead of spinning.
        QVERIFY(timer.elapsed() >= (HIDManager::maxReadFailures - 1) * HIDManager::readRetryMs);
    }

    void destructionStopsTheReader()
    {
        // Blocked in its wait.
        {
            Rig rig;
            rig.manager->subscribe();
            rig.manager.reset();
        }
        // Busy with reports, and with a removal on its way to the GUI thread.
        {
            Rig rig;
            QSignalSpy reports(rig.manager.get(), &HIDInterface::response);
            rig.manager->subscribe();
            for (int i = 0; i < 8; ++i)
                rig.node.send(reportOf({20, uint8_t(i)}));
            QTRY_VERIFY(reports.count() > 0);
            rig.node.closeDevice();
            // Let the reader notice and post the removal, without handling it.
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            rig.manager.reset();
            QTest::qWait(20); // the posted removal finds no object
        }
    }

    void resubscribesAfterStop()
    {
        Rig rig;
        QSignalSpy reports(rig.manager.get(), &HIDInterface::response);
        rig.manager->subscribe();
        QTest::ignoreMessage(QtDebugMsg, "HIDManager: read_thread got stop event");
        QVERIFY(rig.manager->stopReadThread());
        QVERIFY(!rig.manager->stopReadThread());
        rig.manager->subscribe(); // a new reader on the same device
        QVERIFY(rig.node.send(reportOf({10, 0, 2, 3, 255})));
        QTRY_COMPARE(reports.count(), 1);
    }

    void readerStopsWithoutAStopEvent()
    {
        FakeNode node;
        auto fake = std::make_unique<FakeSystem>();
        fake->addDevice("/dev/hidraw1", mouseId, node.transportEnd);
        // No descriptor is left for the stop event while the transport is made.
        rlimit saved{};
        QCOMPARE(::getrlimit(RLIMIT_NOFILE, &saved), 0);
        const int lowestFree = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
        QVERIFY(lowestFree >= 0);
        ::close(lowestFree);
        rlimit tight = saved;
        tight.rlim_cur = rlim_t(lowestFree);
        QTest::ignoreMessage(QtWarningMsg, QString("HIDManager: eventfd failed. Error code: %1").arg(EMFILE).toUtf8());
        QCOMPARE(::setrlimit(RLIMIT_NOFILE, &tight), 0);
        auto manager = std::make_unique<HIDManager>(std::move(fake));
        QCOMPARE(::setrlimit(RLIMIT_NOFILE, &saved), 0);

        QSignalSpy reports(manager.get(), &HIDInterface::response);
        manager->subscribe();
        QVERIFY(node.send(reportOf({10, 0, 2, 3, 255})));
        QTRY_COMPARE(reports.count(), 1);

        // Should the reader not notice, hanging up ends its wait after all.
        std::promise<void> stopped;
        std::thread watchdog([&node, done = stopped.get_future()] {
            if (done.wait_for(std::chrono::seconds(3)) == std::future_status::timeout)
                node.closeDevice();
        });
        QElapsedTimer timer;
        timer.start();
        const bool wasRunning = manager->stopReadThread();
        const qint64 took = timer.elapsed();
        stopped.set_value();
        watchdog.join();
        QVERIFY(wasRunning);
        QVERIFY2(took < 1000, qPrintable(QString("stopping took %1 ms").arg(took)));
    }

    void failedFeatureReadLeavesTheBuffer()
    {
        Rig rig;
        QVector<uint8_t> buffer(64, 0);
        buffer[0] = 1;
        const QVector<uint8_t> before = buffer;
        // A socket is not a hidraw node: the feature ioctl is refused.
        QTest::ignoreMessage(QtWarningMsg, QString("HIDManager: getFeature failed. Error code: %1").arg(ENOTTY).toUtf8());
        rig.manager->getFeature(buffer);
        QCOMPARE(buffer, before);
    }

    void writeGivesUpAfterTimeout()
    {
        Rig rig;
        // Fill the socket through a second descriptor until it takes no more.
        const int filler = ::dup(rig.node.transportEnd);
        QVERIFY(filler >= 0);
        const QVector<uint8_t> report(64, 1);
        while (::send(filler, report.constData(), 64, MSG_NOSIGNAL) == 64) {
        }
        QCOMPARE(errno, EAGAIN);
        ::close(filler);

        QTest::ignoreMessage(QtInfoMsg, QRegularExpression("HIDManager: write delay: (99\\d|1\\d\\d\\d)"));
        QTest::ignoreMessage(QtInfoMsg, "HIDManager: write timeout. Wait res: 0");
        QElapsedTimer timer;
        timer.start();
        rig.manager->writePacket({41, 1, 10, 10, 0, 0x40});
        QVERIFY(timer.elapsed() >= HIDManager::writeTimeoutMs - 10);
        QVERIFY(timer.elapsed() < 3 * HIDManager::writeTimeoutMs);
    }

    void wakeFromSleepIsPassedOn()
    {
        Rig rig;
        QSignalSpy wakes(rig.manager.get(), &HIDInterface::wakeFromSleep);
        QTest::ignoreMessage(QtDebugMsg, "HIDManager: System going to sleep");
        emit rig.system->goingToSleep();
        QCOMPARE(wakes.count(), 0);
        QTest::ignoreMessage(QtDebugMsg, "HIDManager: System waking from sleep");
        emit rig.system->wakingUp();
        QCOMPARE(wakes.count(), 1);
    }
};

QTEST_GUILESS_MAIN(TestHidManager)
#include "tst_hidmanager.moc"
