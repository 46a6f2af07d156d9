// The keyboard and mouse hooks of the keystroke recorder, over a desktop the
// test types on, and the translation of X11 keys into virtual-key codes.
#include "FakeInputHookBackend.h"
#include "InputHook.h"
#include "OutputAction_Keyboard.h"
#include "WarningLog.h"
#include "X11VirtualKeys.h"

#include <QApplication>
#include <QSet>
#include <QSignalSpy>
#include <QWidget>
#include <QtTest>

#include <optional>

namespace {

// A widget that counts the key and mouse events that reach it.
struct CountingWidget : QWidget
{
    int keys = 0;
    int presses = 0;
    void keyPressEvent(QKeyEvent *) override { ++keys; }
    void keyReleaseEvent(QKeyEvent *) override { ++keys; }
    void mousePressEvent(QMouseEvent *) override { ++presses; }
};

using KeyEvents = QList<QPair<long, bool>>;

KeyEvents keyEvents(const QSignalSpy &spy)
{
    KeyEvents events;
    for (const QList<QVariant> &arguments : spy)
        events.append({arguments.at(0).toLongLong(), arguments.at(1).toBool()});
    return events;
}

} // namespace

class TestInputHook : public QObject
{
    Q_OBJECT

    std::optional<FakeInputHookBackend::Installed> desktop;
    FakeInputHookBackend *backend() const { return desktop->backend(); }

private slots:
    void init() { desktop.emplace(); }
    void cleanup() { desktop.reset(); }

    void reportsKeysAndTheLeftButtonOnlyWhileStarted()
    {
        InputHook hook;
        QSignalSpy keys(&hook, &InputHook::keyHooked);
        QSignalSpy stops(&hook, &InputHook::stopRecording);
        hook.start();
        QVERIFY(hook.isActive());
        QVERIFY(backend()->isWatching());
        backend()->press(0xA0);
        backend()->tap(0x41);
        backend()->release(0xA0);
        backend()->leftClick();
        QCOMPARE(keyEvents(keys), (KeyEvents{{0xA0, true}, {0x41, true}, {0x41, false}, {0xA0, false}}));
        QCOMPARE(stops.count(), 1);

        hook.stop();
        QVERIFY(!hook.isActive());
        QVERIFY(!backend()->isWatching());
        backend()->tap(0x42);
        QCOMPARE(keys.count(), 4);
    }

    void startTwiceWatchesOnce()
    {
        InputHook hook;
        hook.start();
        hook.start();
        QCOMPARE(backend()->starts(), 1);
        hook.stop();
        hook.start();
        QCOMPARE(backend()->starts(), 2);
    }

    // The second recorder to start takes the one watch over: the first is
    // told to stop, and is stopped even when its recorder does not listen.
    void startingASecondHookStopsTheFirst_data()
    {
        QTest::addColumn<bool>("firstRecorderStops");
        QTest::newRow("its recorder stops it") << true;
        QTest::newRow("nobody listens") << false;
    }
    void startingASecondHookStopsTheFirst()
    {
        QFETCH(bool, firstRecorderStops);
        InputHook first;
        InputHook second;
        if (firstRecorderStops)
            connect(&first, &InputHook::stopRecording, &first, &InputHook::stop);
        QSignalSpy firstStops(&first, &InputHook::stopRecording);
        QSignalSpy firstKeys(&first, &InputHook::keyHooked);
        QSignalSpy secondKeys(&second, &InputHook::keyHooked);
        first.start();
        second.start();
        QCOMPARE(firstStops.count(), 1);
        QVERIFY(!first.isActive());
        QVERIFY(second.isActive());
        QVERIFY(backend()->isWatching());
        backend()->tap(0x41);
        QCOMPARE(firstKeys.count(), 0);
        QCOMPARE(secondKeys.count(), 2);

        // Stopping the first again leaves the second's watch alone.
        first.stop();
        QVERIFY(backend()->isWatching());
    }

    void destroyingAStartedHookEndsTheWatch()
    {
        auto hook = std::make_unique<InputHook>();
        hook->start();
        hook.reset();
        QVERIFY(!backend()->isWatching());
        InputHook next;
        next.start();
        QVERIFY(next.isActive());
    }

    // Without a display the program's own key events are recorded, and
    // consumed, until stop; a mouse press stops the recording.
    void withoutADisplayTheProgramsOwnEventsAreRecorded()
    {
        desktop.emplace(false);
        CountingWidget window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        InputHook hook;
        QSignalSpy recorded(&hook, &InputHook::keyRecorded);
        QSignalSpy stops(&hook, &InputHook::stopRecording);
        {
            WarningLog log;
            hook.start();
            hook.stop();
            hook.start();
            QCOMPARE(log.lines.size(), 1); // said once
            QVERIFY(log.lines.at(0).startsWith("InputHook: "));
        }

        QTest::keyClick(&window, Qt::Key_A);
        QTest::mousePress(&window, Qt::LeftButton);
        QCOMPARE(keyEvents(recorded), (KeyEvents{{Qt::Key_A, true}, {Qt::Key_A, false}}));
        QCOMPARE(stops.count(), 1);
        QCOMPARE(window.keys, 0);
        QCOMPARE(window.presses, 0);

        hook.stop();
        QTest::keyClick(&window, Qt::Key_B);
        QCOMPARE(recorded.count(), 2);
        QCOMPARE(window.keys, 2);
    }

    void stopOnAHookNeverStartedRemovesItsFilter()
    {
        CountingWidget window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        InputHook hook;
        qApp->installEventFilter(&hook);
        hook.stop();
        QTest::keyClick(&window, Qt::Key_A);
        QCOMPARE(window.keys, 2);
        QCOMPARE(backend(), nullptr); // no desktop watch was touched
    }

    // ------------------------------------------------ X11 keys to codes

    void keysymsGiveVirtualKeyCodes_data()
    {
        QTest::addColumn<uint>("keysym");
        QTest::addColumn<int>("code");
        QTest::newRow("a") << 0x61u << 0x41;
        QTest::newRow("z") << 0x7au << 0x5A;
        QTest::newRow("A (a layout's capital)") << 0x41u << 0x41;
        QTest::newRow("0") << 0x30u << 0x30;
        QTest::newRow("9") << 0x39u << 0x39;
        QTest::newRow("minus") << 0x2du << 0xBD;
        QTest::newRow("grave") << 0x60u << 0xC0;
        QTest::newRow("apostrophe") << 0x27u << 0xDE;
        QTest::newRow("space") << 0x20u << 0x20;
        QTest::newRow("Shift_L") << 0xffe1u << 0xA0;
        QTest::newRow("Control_R") << 0xffe4u << 0xA3;
        QTest::newRow("Alt_R") << 0xffeau << 0xA5;
        QTest::newRow("ISO_Level3_Shift") << 0xfe03u << 0xA5;
        QTest::newRow("Super_L") << 0xffebu << 0x5B;
        QTest::newRow("Menu") << 0xff67u << 0x5D;
        QTest::newRow("Return") << 0xff0du << 0x0D;
        QTest::newRow("ISO_Left_Tab") << 0xfe20u << 0x09;
        QTest::newRow("Delete") << 0xffffu << 0x2E;
        QTest::newRow("Next") << 0xff56u << 0x22;
        QTest::newRow("F1") << 0xffbeu << 0x70;
        QTest::newRow("F5") << 0xffc2u << 0x74;
        QTest::newRow("F24") << 0xffd5u << 0x87;
        QTest::newRow("KP_7") << 0xffb7u << 0x67;
        QTest::newRow("KP_0") << 0xffb0u << 0x60;
        QTest::newRow("KP_Enter") << 0xff8du << 0x0D;
        QTest::newRow("KP_Divide") << 0xffafu << 0x6F;
        QTest::newRow("Num_Lock") << 0xff7fu << 0x90;
        QTest::newRow("XF86AudioPlay") << 0x1008ff14u << 0xB3;
        QTest::newRow("XF86AudioMute") << 0x1008ff12u << 0xAD;
        QTest::newRow("NoSymbol") << 0u << 0;
        QTest::newRow("KP_Home (Num Lock off)") << 0xff95u << 0;
        QTest::newRow("F25") << 0xffd6u << 0;
        QTest::newRow("adiaeresis") << 0xe4u << 0;
    }
    void keysymsGiveVirtualKeyCodes()
    {
        QFETCH(uint, keysym);
        QFETCH(int, code);
        QCOMPARE(X11VirtualKeys::fromKeysym(keysym), code);
    }

    void keypadKeysCountByTheirNumLockKeysym_data()
    {
        QTest::addColumn<uint>("unshifted");
        QTest::addColumn<uint>("shifted");
        QTest::addColumn<uint>("recorded");
        QTest::newRow("a / A") << 0x61u << 0x41u << 0x61u;
        QTest::newRow("1 / exclam") << 0x31u << 0x21u << 0x31u;
        QTest::newRow("KP_Home / KP_7") << 0xff95u << 0xffb7u << 0xffb7u;
        QTest::newRow("KP_Delete / KP_Decimal") << 0xff9fu << 0xffaeu << 0xffaeu;
        QTest::newRow("KP_Divide / XF86_Ungrab") << 0xffafu << 0x1008fe20u << 0xffafu;
        QTest::newRow("KP_Enter alone") << 0xff8du << 0u << 0xff8du;
    }
    void keypadKeysCountByTheirNumLockKeysym()
    {
        QFETCH(uint, unshifted);
        QFETCH(uint, shifted);
        QFETCH(uint, recorded);
        QCOMPARE(X11VirtualKeys::recordedKeysym(unshifted, shifted), recorded);
    }

    // Every code the recorder's key tables know comes from some X11 key.
    void everyRecordedVirtualKeyIsReached()
    {
        QSet<int> reached;
        auto collect = [&reached](uint32_t first, uint32_t last) {
            for (uint32_t keysym = first; keysym <= last; ++keysym)
                reached.insert(X11VirtualKeys::fromKeysym(keysym));
        };
        collect(0, 0xffff);
        collect(0x1008ff00, 0x1008ffff); // the vendor keys (media)
        int known = 0;
        for (int code = 1; code <= 0xff; ++code) {
            OutputAction_Keyboard record(30);
            if (!record.setFromKeyCode(code, OutputAction_Keyboard::VirtualKeyCode))
                continue;
            ++known;
            QVERIFY2(reached.contains(code), qPrintable(QString::number(code, 16)));
        }
        QVERIFY(known > 100);
    }
};

QTEST_MAIN(TestInputHook)
#include "tst_inputhook.moc"
