// The Linux side of the transport: logind's sleep signal on a private bus of
// the test's own, and the real udev-backed system on a machine without a mouse.
#include "HIDManager.h"
#include "LogindSleepWatcher.h"

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
    QTemporaryDir folder;
    QProcess busDaemon;
    QString busAddress;

private slots:
    void initTestCase()
    {
        const QString daemon = QStandardPaths::findExecutable("dbus-daemon");
        if (daemon.isEmpty())
            return;
        QFile config(folder.filePath("bus.conf"));
        QVERIFY(config.open(QIODevice::WriteOnly));
        // Everyone may send, receive and own names, as on a session bus.
        config.write(QString("<busconfig><type>session</type><listen>unix:path=%1</listen><auth>EXTERNAL</auth>"
                             "<policy context=\"default\"><allow send_destination=\"*\"/>"
                             "<allow eavesdrop=\"true\"/><allow own=\"*\"/></policy></busconfig>")
                         .arg(folder.filePath("bus"))
                         .toUtf8());
        config.close();
        busDaemon.start(daemon, {"--config-file=" + config.fileName(), "--nofork", "--print-address"});
        QVERIFY(busDaemon.waitForStarted());
        QVERIFY(busDaemon.waitForReadyRead(5000));
        busAddress = QString::fromUtf8(busDaemon.readLine()).trimmed();
    }

    void cleanupTestCase()
    {
        QDBusConnection::disconnectFromBus("watcher");
        QDBusConnection::disconnectFromBus("logind");
        if (busDaemon.state() != QProcess::NotRunning) {
            busDaemon.terminate();
            busDaemon.waitForFinished();
        }
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
        QDBusConnection none = QDBusConnection::connectToBus(QString("unix:path=%1").arg(folder.filePath("none")),
                                                             "none");
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
