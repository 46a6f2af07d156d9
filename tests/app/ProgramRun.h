#pragma once
// Starting the real program from a test, as a user would meet it: on the
// offscreen platform with no X display, in the test's own home (isolated.sh),
// its update check pointed at a loopback address, and read back through its
// log and settings files.

#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <QtTest>

#include <memory>

namespace ProgramRun {

inline QString configFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + "/Corvanelle R7 Control Panel";
}

inline QString settingsPath()
{
    return configFolder() + "/settings.ini";
}

inline QString autostartPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
           + "/autostart/Corvanelle R7 Control Panel.desktop";
}

inline QByteArray log()
{
    QFile file(configFolder() + "/log.txt");
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline int countInLog(const QByteArray &text)
{
    return log().count(text);
}

inline bool waitForLog(const QByteArray &text, int count = 1, int timeoutMs = 20000)
{
    return QTest::qWaitFor([&] { return countInLog(text) >= count; }, timeoutMs);
}

// The environment of every start: no display, and an update server that is
// this machine (nothing answers on port 1 unless the test serves one).
inline QProcessEnvironment environment(const QString &updateServer = QStringLiteral("http://127.0.0.1:1"))
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove("DISPLAY");
    environment.remove("WAYLAND_DISPLAY");
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    environment.insert("R7_UPDATE_SERVER", updateServer);
    return environment;
}

// The program is the built one unless another path (a link to it) is given.
inline std::unique_ptr<QProcess> start(const QStringList &arguments,
                                       const QProcessEnvironment &processEnvironment = environment(),
                                       const QString &program = QStringLiteral(R7_APP_EXECUTABLE))
{
    auto process = std::make_unique<QProcess>();
    process->setProcessChannelMode(QProcess::ForwardedChannels);
    process->setProcessEnvironment(processEnvironment);
    process->start(program, arguments);
    // Its state is Running from here on (a fast start may log before the
    // start is seen otherwise); a start that fails shows in the checks.
    process->waitForStarted(20000);
    return process;
}

// SIGTERM, as at log-out: the program ends cleanly with 0.
inline void stop(QProcess &process)
{
    process.terminate();
    QVERIFY(process.waitForFinished(20000));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), 0);
}

} // namespace ProgramRun
