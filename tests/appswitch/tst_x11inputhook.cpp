// The keystroke recorder's hooks on a real X server of the test's own
// (Xvfb), with its keys and buttons pressed through XTest.
#include "InputHook.h"
#include "PrivateXServer.h"
#include "WarningLog.h"

#include <QSignalSpy>
#include <QWidget>
#include <QtTest>

#include <cstdlib>
#include <xcb/xcb.h>
#include <xcb/xcb_keysyms.h>
#include <xcb/xtest.h>

class TestX11InputHook : public QObject
{
    Q_OBJECT

    PrivateXServer server;
    xcb_connection_t *user = nullptr; // the one who types
    xcb_key_symbols_t *symbols = nullptr;
    xcb_window_t root = 0;

    void fake(uint8_t type, uint8_t detail)
    {
        xcb_test_fake_input(user, type, detail, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
        xcb_flush(user);
    }
    bool tapKeysym(xcb_keysym_t keysym)
    {
        xcb_keycode_t *codes = xcb_key_symbols_get_keycode(symbols, keysym);
        const xcb_keycode_t code = codes ? codes[0] : 0;
        std::free(codes);
        if (!code)
            return false;
        fake(XCB_KEY_PRESS, code);
        fake(XCB_KEY_RELEASE, code);
        return true;
    }
    // The status another client gets when it asks for the keyboard.
    int grabStatusForAnotherClient()
    {
        xcb_grab_keyboard_reply_t *reply = xcb_grab_keyboard_reply(
            user, xcb_grab_keyboard(user, 0, root, XCB_CURRENT_TIME, XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC),
            nullptr);
        const int status = reply ? reply->status : -1;
        std::free(reply);
        xcb_ungrab_keyboard(user, XCB_CURRENT_TIME);
        xcb_flush(user);
        return status;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(server.start());
        const QByteArray display = server.display();

        int screen = 0;
        user = xcb_connect(display.constData(), &screen);
        QVERIFY(!xcb_connection_has_error(user));
        root = xcb_setup_roots_iterator(xcb_get_setup(user)).data->root;
        symbols = xcb_key_symbols_alloc(user);
    }

    void cleanupTestCase()
    {
        if (symbols)
            xcb_key_symbols_free(symbols);
        if (user)
            xcb_disconnect(user);
    }

    // No display to reach: the program's own keys are recorded instead.
    void withoutADisplayTheProgramsOwnKeysAreRecorded()
    {
        const QByteArray display = qgetenv("DISPLAY");
        qunsetenv("DISPLAY");
        InputHook hook;
        QSignalSpy recorded(&hook, &InputHook::keyRecorded);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^InputHook: no desktop to watch"));
        hook.start();
        qputenv("DISPLAY", display);
        QWidget window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTest::keyClick(&window, Qt::Key_F5);
        QCOMPARE(recorded.count(), 2);
        hook.stop();
    }

    void keysArriveAsVirtualKeyCodesWhileTheKeyboardIsHeld()
    {
        InputHook hook;
        QSignalSpy keys(&hook, &InputHook::keyHooked);
        hook.start();
        QCOMPARE(grabStatusForAnotherClient(), int(XCB_GRAB_STATUS_ALREADY_GRABBED));

        for (const xcb_keysym_t keysym :
             {0x61u /* a */, 0xffe1u /* Shift_L */, 0xffc2u /* F5 */, 0xffb7u /* KP_7 */, 0x2du /* minus */})
            QVERIFY2(tapKeysym(keysym), qPrintable(QString::number(keysym, 16)));
        QTRY_COMPARE(keys.count(), 10);
        QList<long> pressed;
        for (int i = 0; i < keys.count(); ++i) {
            QCOMPARE(keys.at(i).at(1).toBool(), i % 2 == 0); // each press, then its release
            if (i % 2 == 0)
                pressed << keys.at(i).at(0).toLongLong();
            else
                QCOMPARE(keys.at(i).at(0).toLongLong(), pressed.last());
        }
        QCOMPARE(pressed, (QList<long>{0x41, 0xA0, 0x74, 0x67, 0xBD}));

        hook.stop();
        QCOMPARE(grabStatusForAnotherClient(), int(XCB_GRAB_STATUS_SUCCESS));
        QVERIFY(tapKeysym(0x62));
        QTest::qWait(100);
        QCOMPARE(keys.count(), 10);
    }

    void theLeftButtonStopsTheRecordingOtherButtonsDoNot()
    {
        InputHook hook;
        QSignalSpy stops(&hook, &InputHook::stopRecording);
        // As a recorder does: it stops its hook from inside the signal.
        connect(&hook, &InputHook::stopRecording, &hook, &InputHook::stop);
        hook.start();
        for (const uint8_t button : {3, 2}) {
            fake(XCB_BUTTON_PRESS, button);
            fake(XCB_BUTTON_RELEASE, button);
        }
        QTest::qWait(100);
        QCOMPARE(stops.count(), 0);
        fake(XCB_BUTTON_PRESS, 1);
        fake(XCB_BUTTON_RELEASE, 1);
        QTRY_COMPARE(stops.count(), 1);
        QVERIFY(!hook.isActive());
        QCOMPARE(grabStatusForAnotherClient(), int(XCB_GRAB_STATUS_SUCCESS));

        // And it starts again afterwards.
        QSignalSpy keys(&hook, &InputHook::keyHooked);
        hook.start();
        QVERIFY(tapKeysym(0x61));
        QTRY_COMPARE(keys.count(), 2);
        hook.stop();
    }

    // Another program holds the keyboard: said once, and the keys are still
    // seen (they reach that program too).
    void aRefusedGrabIsLoggedOnceAndKeysStillArrive()
    {
        xcb_grab_keyboard_reply_t *held = xcb_grab_keyboard_reply(
            user, xcb_grab_keyboard(user, 0, root, XCB_CURRENT_TIME, XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC),
            nullptr);
        QVERIFY(held && held->status == XCB_GRAB_STATUS_SUCCESS);
        std::free(held);

        InputHook hook;
        QSignalSpy keys(&hook, &InputHook::keyHooked);
        {
            WarningLog log;
            hook.start();
            hook.stop();
            hook.start();
            QCOMPARE(log.lines.size(), 1);
            QVERIFY(log.lines.at(0).contains("grab was refused"));
        }

        QVERIFY(tapKeysym(0xff0d)); // Return
        QTRY_COMPARE(keys.count(), 2);
        QCOMPARE(keys.at(0).at(0).toLongLong(), 0x0DLL);
        hook.stop();
        xcb_ungrab_keyboard(user, XCB_CURRENT_TIME);
        xcb_flush(user);
        // The test's own connection took the key events of its grab.
        while (xcb_generic_event_t *event = xcb_poll_for_event(user))
            std::free(event);
    }
};

QTEST_MAIN(TestX11InputHook)
#include "tst_x11inputhook.moc"
