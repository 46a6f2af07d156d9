// The connection switch's answers to each event, as a table of event
// sequences over fixed device facts; and the device object's facts as the
// switch reads them from the simulated mouse.
#include "ConnectedMouse.h"
#include "ConnectionSwitch.h"
#include "MouseFunctions.h"

#include <QtTest>

#include <memory>

using Message = ConnectionSwitch::Message;

class TestConnectionSwitch : public QObject
{
    Q_OBJECT

private slots:
    void events_data();
    void events();
    void uploadEnded();
    void deviceFacts();
};

void TestConnectionSwitch::events_data()
{
    QTest::addColumn<bool>("bootloader");
    QTest::addColumn<bool>("firmware");
    QTest::addColumn<bool>("present");
    QTest::addColumn<double>("percent");
    // connect, disconnect, move (the user), recheck0 / recheck1, memory,
    // hidden (memory while the window is hidden), p99 (use drops to 99 %).
    QTest::addColumn<QStringList>("events");
    QTest::addColumn<int>("switchValue");
    QTest::addColumn<int>("picture"); // -1: not called
    QTest::addColumn<bool>("save");
    QTest::addColumn<int>("message");
    QTest::addColumn<QString>("label"); // empty: no memory event last
    QTest::addColumn<int>("bar");

    const int none = static_cast<int>(Message::None);
    const QStringList connect{"connect"};
    QTest::newRow("connect: on, save") << false << true << true << 50.0 << connect << 1 << 1 << true << none
                                       << QString() << 0;
    QTest::newRow("move inverts the state")
        << false << true << true << 50.0 << QStringList{"connect", "move"} << 0 << 0 << false << none << QString() << 0;
    QTest::newRow("move after move: on again")
        << false << true << true << 50.0 << QStringList{"connect", "move", "move"} << 1 << 1 << true << none
        << QString() << 0;
    QTest::newRow("disconnect: off, no save") << false << true << true << 50.0 << QStringList{"connect", "disconnect"}
                                              << 0 << 0 << false << none << QString() << 0;
    QTest::newRow("manual off + connect: unchanged")
        << false << true << true << 50.0 << QStringList{"connect", "move", "disconnect", "connect"} << 0 << -1 << false
        << none << QString() << 0;
    QTest::newRow("bootloader: nothing") << true << true << true << 50.0 << connect << 0 << -1 << false << none
                                         << QString() << 0;
    QTest::newRow("move with no device") << false << true << false << 50.0 << QStringList{"move"} << 0 << 0 << false
                                         << static_cast<int>(Message::NoMouse) << QString() << 0;
    QTest::newRow("move, device present, firmware fails")
        << false << false << true << 50.0 << QStringList{"move"} << 0 << -1 << false << none << QString() << 0;
    QTest::newRow("connected, firmware fails: stays off")
        << false << false << true << 50.0 << QStringList{"connect", "move", "move"} << 0 << 0 << false << none
        << QString() << 0;
    QTest::newRow("connected, over the limit: move stays off")
        << false << true << true << 100.5 << QStringList{"connect", "hidden", "move"} << 0 << 0 << false << none
        << QString() << 0;
    QTest::newRow("firmware check off: on again")
        << false << true << true << 50.0 << QStringList{"connect", "disconnect", "connect", "recheck0"} << 1 << 1
        << true << none << QString() << 0;
    QTest::newRow("firmware check off after manual off: unchanged")
        << false << true << true << 50.0 << QStringList{"connect", "move", "recheck0"} << 0 << -1 << false << none
        << QString() << 0;
    QTest::newRow("firmware check on, no device: nothing")
        << false << true << false << 50.0 << QStringList{"recheck1"} << 0 << -1 << false << none << QString() << 0;
    QTest::newRow("37.2 %") << false << true << true << 37.2 << QStringList{"connect", "memory"} << 1 << -1 << false
                            << none << QStringLiteral("38%") << 37;
    QTest::newRow("100.0 %: unchanged") << false << true << true << 100.0 << QStringList{"connect", "memory"} << 1 << -1
                                        << false << none << QStringLiteral("100%") << 100;
    QTest::newRow("100.5 %: off") << false << true << true << 100.5 << QStringList{"connect", "memory"} << 0 << 0
                                  << false << static_cast<int>(Message::TooManyMappings) << QStringLiteral("101%")
                                  << 100;
    QTest::newRow("100.5 % hidden: off, no message")
        << false << true << true << 100.5 << QStringList{"connect", "hidden"} << 0 << 0 << false << none
        << QStringLiteral("101%") << 100;
    QTest::newRow("100.5 % then 99 %: on, save")
        << false << true << true << 100.5 << QStringList{"connect", "memory", "p99", "memory"} << 1 << 1 << true << none
        << QStringLiteral("99%") << 99;
    QTest::newRow("below the limit again, no mouse: off")
        << false << true << true << 100.5 << QStringList{"connect", "memory", "disconnect", "p99", "memory"} << 0 << -1
        << false << none << QStringLiteral("99%") << 99;
    QTest::newRow("below the limit again, firmware fails: off")
        << false << false << true << 100.5 << QStringList{"connect", "memory", "p99", "memory"} << 0 << -1 << false
        << none << QStringLiteral("99%") << 99;
    QTest::newRow("switched on below the limit clears manual off")
        << false << true << true << 100.5
        << QStringList{"connect", "memory", "move", "p99", "memory", "disconnect", "connect"} << 1 << 1 << true << none
        << QString() << 0;
}

void TestConnectionSwitch::events()
{
    QFETCH(bool, bootloader);
    QFETCH(bool, firmware);
    QFETCH(bool, present);
    QFETCH(double, percent);
    QFETCH(QStringList, events);

    ConnectionSwitch connection(ConnectionSwitch::Device{[&] { return bootloader; }, [&] { return firmware; },
                                                         [&] { return percent; }, [&] { return present; }});
    ConnectionSwitch::Outcome outcome;
    for (const QString &event : events) {
        if (event == QLatin1String("connect"))
            outcome = connection.autoConnection(true);
        else if (event == QLatin1String("disconnect"))
            outcome = connection.autoConnection(false);
        else if (event == QLatin1String("move"))
            outcome = connection.manualMove();
        else if (event == QLatin1String("recheck0"))
            outcome = connection.recheck(false);
        else if (event == QLatin1String("recheck1"))
            outcome = connection.recheck(true);
        else if (event == QLatin1String("memory"))
            outcome = connection.memory(true);
        else if (event == QLatin1String("hidden"))
            outcome = connection.memory(false);
        else if (event == QLatin1String("p99"))
            percent = 99.0;
        else
            QFAIL(qPrintable(event));
    }

    QTEST(outcome.switchValue, "switchValue");
    QCOMPARE(outcome.switchValue, connection.isOn() ? 1 : 0);
    QTEST(outcome.picture ? int(*outcome.picture) : -1, "picture");
    QTEST(outcome.save, "save");
    QTEST(static_cast<int>(outcome.message), "message");
    QFETCH(QString, label);
    if (!label.isEmpty()) {
        QCOMPARE(outcome.label, label);
        QTEST(outcome.bar, "bar");
        QVERIFY(outcome.enableSave);
    }
}

void TestConnectionSwitch::uploadEnded()
{
    ConnectionSwitch connection(
        ConnectionSwitch::Device{[] { return false; }, [] { return true; }, [] { return 10.0; }, [] { return true; }});
    connection.autoConnection(true);
    const QString reason = QStringLiteral("The mouse stopped answering.");

    const auto failed = connection.uploadEnded(true, reason, true);
    QCOMPARE(failed.message, Message::UploadFailed);
    QCOMPARE(failed.reason, reason);
    QVERIFY(failed.enableSave);
    QVERIFY(!failed.save);
    QCOMPARE(failed.switchValue, 1);

    const auto hidden = connection.uploadEnded(true, reason, false);
    QCOMPARE(hidden.message, Message::None);
    QVERIFY(hidden.enableSave);

    const auto ok = connection.uploadEnded(false, QString(), true);
    QCOMPARE(ok.message, Message::None);
    QVERIFY(!ok.enableSave);
}

void TestConnectionSwitch::deviceFacts()
{
    auto fixture = std::make_unique<ConnectedMouse>(5);
    ConnectionSwitch connection(ConnectionSwitch::deviceOf(fixture->device()));
    QCOMPARE(connection.manualMove().message, Message::NoMouse);

    fixture->connect();
    const auto connected = connection.autoConnection(true);
    QCOMPARE(connected.switchValue, 1);
    QVERIFY(connected.save);
    QVERIFY(connection.manualMove().switchValue == 0 && connection.manualOff());
    QCOMPARE(connection.manualMove().switchValue, 1);
    fixture.reset();
}

QTEST_GUILESS_MAIN(TestConnectionSwitch)
#include "tst_connectionswitch.moc"
