#pragma once
// An X server of the test's own (Xvfb) on a display it picks itself, so that
// tests never meet the user's desktop or each other. While it runs, DISPLAY
// names it.
//
//     PrivateXServer server;                       // a member of the test
//     QVERIFY(server.start());                     // initTestCase()
//     xcb_connect(server.display().constData(), nullptr);

#include <QByteArray>
#include <QProcess>
#include <QStandardPaths>
#include <QtTest>

class PrivateXServer
{
public:
    ~PrivateXServer() { stop(); }

    // False, with the reason as a test warning, when it does not come up.
    bool start()
    {
        const QString xvfb = QStandardPaths::findExecutable("Xvfb");
        if (xvfb.isEmpty()) {
            qWarning("Xvfb is not installed (tools/setup.sh installs it)");
            return false;
        }
        // The server picks a free display and prints its number.
        server.start(xvfb, {"-displayfd", "1", "-nolisten", "tcp", "-screen", "0", "320x240x24"});
        if (!server.waitForStarted())
            return false;
        while (!server.canReadLine()) {
            if (!server.waitForReadyRead(10000))
                return false;
        }
        m_display = ":" + server.readLine().trimmed();
        qputenv("DISPLAY", m_display);
        return true;
    }

    QByteArray display() const { return m_display; }

    // Ends the server (its clients lose their connections); true once it
    // has gone.
    bool stop()
    {
        if (server.state() == QProcess::NotRunning)
            return true;
        server.terminate();
        return server.waitForFinished();
    }

private:
    QProcess server;
    QByteArray m_display;
};
