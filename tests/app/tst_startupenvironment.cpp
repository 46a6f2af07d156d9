#include "PrivateXServer.h"
#include "StartupEnvironment.h"

#include <QGuiApplication>
#include <QProcess>
#include <QtTest>

#include <cstdio>

namespace {

// Run with this argument, the test is a program of its own: it settles its
// environment and builds its application object as the panel does, then
// starts a child and prints its platform and, quoted, the child's
// QT_QPA_PLATFORM.
const char asProgram[] = "--as-program";

int runAsProgram(int argc, char *argv[])
{
    StartupEnvironment::apply();
    QGuiApplication application(argc, argv);
    StartupEnvironment::applicationBuilt();
    QProcess child;
    child.start("/bin/sh", {"-c", "printf %s \"${QT_QPA_PLATFORM-<unset>}\""});
    if (!child.waitForFinished(20000))
        return 1;
    std::printf("%s \"%s\"\n", qPrintable(QGuiApplication::platformName()), child.readAllStandardOutput().constData());
    return 0;
}

} // namespace

class TestStartupEnvironment : public QObject
{
    Q_OBJECT

    PrivateXServer server;

private slots:
    void platformForTheSession_data()
    {
        QTest::addColumn<QStringList>("variables");
        QTest::addColumn<QByteArray>("platform");
        QTest::newRow("X11 session") << QStringList{"DISPLAY=:0", "XDG_SESSION_TYPE=x11"} << QByteArray();
        QTest::newRow("Wayland session with XWayland")
            << QStringList{"DISPLAY=:0", "WAYLAND_DISPLAY=wayland-0"} << QByteArray("xcb");
        QTest::newRow("Wayland session told by its type")
            << QStringList{"DISPLAY=:1", "XDG_SESSION_TYPE=wayland"} << QByteArray("xcb");
        QTest::newRow("Wayland session, platform left empty")
            << QStringList{"DISPLAY=:0", "WAYLAND_DISPLAY=wayland-0", "QT_QPA_PLATFORM= "} << QByteArray("xcb");
        // What the user asked for is theirs, Wayland too.
        QTest::newRow("Wayland asked for")
            << QStringList{"DISPLAY=:0", "WAYLAND_DISPLAY=wayland-0", "QT_QPA_PLATFORM=wayland"} << QByteArray();
        QTest::newRow("Wayland asked for on a session of unknown type")
            << QStringList{"DISPLAY=:0", "QT_QPA_PLATFORM=wayland"} << QByteArray();
        QTest::newRow("Wayland's EGL variant asked for")
            << QStringList{"DISPLAY=:0", "WAYLAND_DISPLAY=wayland-0", "QT_QPA_PLATFORM=wayland-egl"} << QByteArray();
        QTest::newRow("Wayland first in a list")
            << QStringList{"DISPLAY=:0", "WAYLAND_DISPLAY=wayland-0", "QT_QPA_PLATFORM=wayland;xcb"} << QByteArray();
        QTest::newRow("xcb asked for") << QStringList{"DISPLAY=:0", "WAYLAND_DISPLAY=wayland-0", "QT_QPA_PLATFORM=xcb"}
                                       << QByteArray();
        QTest::newRow("offscreen asked for")
            << QStringList{"DISPLAY=:0", "WAYLAND_DISPLAY=wayland-0", "QT_QPA_PLATFORM=offscreen"} << QByteArray();
        QTest::newRow("Wayland without an X display")
            << QStringList{"WAYLAND_DISPLAY=wayland-0", "QT_QPA_PLATFORM=wayland"} << QByteArray();
        QTest::newRow("Wayland session, DISPLAY empty")
            << QStringList{"DISPLAY=", "WAYLAND_DISPLAY=wayland-0"} << QByteArray();
        QTest::newRow("nothing") << QStringList{} << QByteArray();
    }
    void platformForTheSession()
    {
        QFETCH(QStringList, variables);
        QFETCH(QByteArray, platform);
        QProcessEnvironment environment;
        for (const QString &variable : variables)
            environment.insert(variable.section('=', 0, 0), variable.section('=', 1));
        QCOMPARE(StartupEnvironment::platformFor(environment), platform);
    }

    // On a Wayland session with an X display (a server of the test's own; no
    // Wayland compositor answers), the program runs on the platform it chose
    // or the one asked for, and a program it starts finds the variable as the
    // user left it, not the program's own choice.
    void startedProgramsKeepTheUsersPlatform_data()
    {
        QTest::addColumn<QString>("asked");
        QTest::addColumn<QString>("ran");
        QTest::newRow("left to the toolkit") << "<unset>"
                                             << "xcb \"<unset>\"";
        QTest::newRow("left empty") << ""
                                    << "xcb \"\"";
        // The Wayland platform is not there or does not connect; the list's
        // next entry is taken.
        QTest::newRow("Wayland asked for, then offscreen") << "wayland;offscreen"
                                                           << "offscreen \"wayland;offscreen\"";
    }
    void startedProgramsKeepTheUsersPlatform()
    {
        QFETCH(QString, asked);
        QFETCH(QString, ran);
        if (server.display().isEmpty())
            QVERIFY(server.start());
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("DISPLAY", server.display());
        environment.insert("WAYLAND_DISPLAY", "wayland-of-no-one");
        environment.remove("QT_QPA_PLATFORM");
        if (asked != "<unset>")
            environment.insert("QT_QPA_PLATFORM", asked);
        QProcess program;
        program.setProcessEnvironment(environment);
        program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        program.start(QCoreApplication::applicationFilePath(), {asProgram});
        QVERIFY(program.waitForFinished(60000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 0);
        QCOMPARE(QString::fromLocal8Bit(program.readAllStandardOutput()).trimmed(), ran);
    }
};

int main(int argc, char *argv[])
{
    if (argc > 1 && qstrcmp(argv[1], asProgram) == 0)
        return runAsProgram(argc, argv);
    QCoreApplication application(argc, argv);
    TestStartupEnvironment test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_startupenvironment.moc"
