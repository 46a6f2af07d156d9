#include "StartupEnvironment.h"

#include <QtTest>

class TestStartupEnvironment : public QObject
{
    Q_OBJECT

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
        QTest::newRow("Wayland asked for")
            << QStringList{"DISPLAY=:0", "WAYLAND_DISPLAY=wayland-0", "QT_QPA_PLATFORM=wayland"} << QByteArray("xcb");
        QTest::newRow("Wayland's EGL variant asked for")
            << QStringList{"DISPLAY=:0", "WAYLAND_DISPLAY=wayland-0", "QT_QPA_PLATFORM=wayland-egl"}
            << QByteArray("xcb");
        QTest::newRow("Wayland first in a list")
            << QStringList{"DISPLAY=:0", "WAYLAND_DISPLAY=wayland-0", "QT_QPA_PLATFORM=wayland;xcb"}
            << QByteArray("xcb");
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
};

QTEST_GUILESS_MAIN(TestStartupEnvironment)
#include "tst_startupenvironment.moc"
