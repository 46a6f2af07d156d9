#pragma once
// A D-Bus bus of the test's own, run by dbus-daemon in a temporary folder,
// on which everyone may send, receive and own names, as on a session bus.

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

class PrivateSessionBus
{
public:
    PrivateSessionBus() = default;
    PrivateSessionBus(const PrivateSessionBus &) = delete;
    PrivateSessionBus &operator=(const PrivateSessionBus &) = delete;
    ~PrivateSessionBus()
    {
        if (daemon.state() != QProcess::NotRunning) {
            daemon.terminate();
            daemon.waitForFinished();
        }
    }

    // False when dbus-daemon is not installed or does not come up.
    bool start()
    {
        const QString program = QStandardPaths::findExecutable("dbus-daemon");
        if (program.isEmpty() || !folder.isValid())
            return false;
        QFile config(folder.filePath("bus.conf"));
        if (!config.open(QIODevice::WriteOnly))
            return false;
        config.write(QString("<busconfig><type>session</type><listen>unix:path=%1</listen><auth>EXTERNAL</auth>"
                             "<policy context=\"default\"><allow send_destination=\"*\"/>"
                             "<allow eavesdrop=\"true\"/><allow own=\"*\"/></policy></busconfig>")
                         .arg(folder.filePath("bus"))
                         .toUtf8());
        config.close();
        daemon.start(program, {"--config-file=" + config.fileName(), "--nofork", "--print-address"});
        if (!daemon.waitForStarted())
            return false;
        while (!daemon.canReadLine()) {
            if (!daemon.waitForReadyRead(10000))
                return false;
        }
        m_address = QString::fromUtf8(daemon.readLine()).trimmed();
        return true;
    }

    // Empty until started.
    QString address() const { return m_address; }

private:
    QTemporaryDir folder;
    QProcess daemon;
    QString m_address;
};
