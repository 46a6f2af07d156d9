// The Linux side of the transport: logind's sleep signal on a private bus of
// the test's own, and the real udev-backed system on a machine without a mouse.
#include "HIDManager.h"
#include "LogindSleepWatcher.h"
#include "PrivateSessionBus.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

class TestLinuxHidSystem : public QObject
{
    Q_OBJECT

private:
    PrivateSessionBus sessionBus;
    QString busAddress;

private slots:
    void initTestCase()
    {
        if (QStandardPaths::findExecutable("dbus-daemon").isEmpty())
            return;
        QVERIFY(sessionBus.start());
        busAddress = sessionBus.address();
    }

    void cleanupTestCase()
    {
        QDBusConnection::disconnectFromBus("watcher");
        QDBusConnection::disconnectFromBus("logind");
    }

    void reportsSleepAndWakeFromLogind()
    {
        if (busAddress.isEmpty())
            QSKIP("dbus-daemon is not installed");
        QDBusConnection logind = QDBusConnection::connectToBus(busAddress, "logind");
        QVERIFY(logind.registerService("org.freedesktop.login1"));
        QDBusConnection bus = QDBusConnection::connectToBus(busAddress, "watcher");
        QVERIFY(bus.isConnected());

        LogindSleepWatcher watcher(bus);
        QSignalSpy sleeping(&watcher, &LogindSleepWatcher::goingToSleep);
        QSignalSpy waking(&watcher, &LogindSleepWatcher::wakingUp);
        QVERIFY(watcher.start());

        const auto prepareForSleep = [](bool start) {
            return QDBusMessage::createSignal("/org/freedesktop/login1", "org.freedesktop.login1.Manager",
                                              "PrepareForSleep")
                   << start;
        };
        QVERIFY(logind.send(prepareForSleep(true)));
        QTRY_COMPARE(sleeping.count(), 1);
        QVERIFY(logind.send(prepareForSleep(false)));
        QTRY_COMPARE(waking.count(), 1);
        QCOMPARE(sleeping.count(), 1);
    }

    void withoutBusLogsOnceAndReportsNothing()
    {
        QTemporaryDir folder;
        QDBusConnection none =
            QDBusConnection::connectToBus(QString("unix:path=%1").arg(folder.filePath("none")), "none");
        QVERIFY(!none.isConnected());
        LogindSleepWatcher first(none);
        LogindSleepWatcher second(none);
        QTest::ignoreMessage(QtWarningMsg, "LogindSleepWatcher: no system bus; sleep and wake go unnoticed");
        QVERIFY(!first.start());
        QVERIFY(!second.start()); // not logged again
        QDBusConnection::disconnectFromBus("none");
    }

    void realSystemWithoutMouseOpensNothing()
    {
        // Runs the udev enumeration and monitor of this machine; it has no such mouse.
        HIDManager manager;
        QSignalSpy connects(&manager, &HIDInterface::mouseConnect);
        QVERIFY(!manager.isOpen());
        manager.subscribe();
        QCOMPARE(connects.count(), 0);
    }
};

QTEST_GUILESS_MAIN(TestLinuxHidSystem)
#include "tst_linuxhidsystem.moc"
