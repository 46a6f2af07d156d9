#include "OutputAction_Act.h"
#include "OutputAction_Haptic.h"
#include "OutputAction_Joystick.h"
#include "OutputAction_Keyboard.h"
#include "OutputAction_Led.h"
#include "OutputAction_Mouse.h"
#include "OutputAction_Oled.h"
#include "OutputAction_Profile.h"
#include "OutputAction_Tilts.h"
#include "OutputAction_Tracking.h"

#include <QtTest>

class TestOutputRecords : public QObject
{
    Q_OBJECT

private slots:
    void newRecordsStartAtTheirDefaults()
    {
        const OutputAction_Mouse mouse;
        QCOMPARE(mouse.typeCode, 0);
        QCOMPARE(mouse.pointerMode, 0);
        QCOMPARE(mouse.xCount.value(), quint16(0));
        QCOMPARE(mouse.yCount.value(), quint16(0));
        QCOMPARE(mouse.pointerOption, quint8(0));
        QCOMPARE(mouse.buttonId, quint8(0));
        QCOMPARE(mouse.buttonState, 0);
        QCOMPARE(mouse.scrollAxis, 0);
        QCOMPARE(mouse.scrollCount.value(), quint16(0));
        QCOMPARE(mouse.scrollOption, quint8(0));

        const OutputAction_Keyboard keyboard(30);
        QCOMPARE(keyboard.typeCode, 30);
        QCOMPARE(keyboard.keyGroup, 0);
        QCOMPARE(keyboard.keyUsage, quint8(0));
        QCOMPARE(keyboard.mediaUsage.value(), quint16(0));
        QCOMPARE(keyboard.buttonState, 0);
        QVERIFY(keyboard.keyString.isEmpty());

        const OutputAction_Joystick joystick;
        QCOMPARE(joystick.buttonId, quint8(0));
        QCOMPARE(joystick.buttonState, 0);
        QCOMPARE(joystick.stickAxis, 0);
        QCOMPARE(joystick.rangeMode, 0);
        QCOMPARE(joystick.firstRangeStart + joystick.firstRangeEnd + joystick.secondRangeStart + joystick.secondRangeEnd, 0);

        const OutputAction_Haptic haptic;
        QCOMPARE(haptic.strength, quint8(0));
        QCOMPARE(haptic.duration.value(), quint16(0));
        QCOMPARE(haptic.hapticOption, 0);

        const OutputAction_Profile profile;
        QCOMPARE(profile.profileIndex, quint8(255));
        QCOMPARE(profile.subProfileIndex, quint8(255));
        QVERIFY(profile.profileName.isEmpty());
        QCOMPARE(profile.profileSelection, 0);

        const OutputAction_Tracking tracking;
        QCOMPARE(tracking.liftOffLevel, 0);
        QCOMPARE(tracking.dpiSelectionType, 0);
        QCOMPARE(tracking.dpiValue, quint16(0));

        const OutputAction_Led led;
        QCOMPARE(led.ledMode, quint8(0));
        QCOMPARE(led.brightness, quint8(100));
        QCOMPARE(led.ledDuration.high(), quint8(0x01)); // 500 high byte first
        QCOMPARE(led.ledDuration.low(), quint8(0xF4));
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(led.colour1[i], quint8(0));
            QCOMPARE(led.colour2[i], quint8(0));
        }

        const OutputAction_Oled oled;
        QCOMPARE(oled.oledMode, 0);
        QVERIFY(oled.message.isEmpty());
        QCOMPARE(oled.flashDuration.value(), quint16(0));
        QCOMPARE(oled.flashOption, 0);

        const OutputAction_Act act;
        QCOMPARE(act.alternateCount, quint8(0));
        QCOMPARE(act.repeatTarget, quint8(0));
        QCOMPARE(act.countOrTime.value(), quint16(0));
        QCOMPARE(act.skipWaits, quint8(0));

        QCOMPARE(OutputAction_Tilts().tiltAxis, 0);
    }

    void sixteenBitFieldsKeepTheHighByteFirst_data()
    {
        QTest::addColumn<int>("value");
        QTest::addColumn<quint8>("high");
        QTest::addColumn<quint8>("low");
        QTest::newRow("scroll down 3") << -3 << quint8(0xFF) << quint8(0xFD);
        QTest::newRow("pointer x 300") << 300 << quint8(0x01) << quint8(0x2C);
        QTest::newRow("pointer y -1") << -1 << quint8(0xFF) << quint8(0xFF);
        QTest::newRow("largest scroll") << 32767 << quint8(0x7F) << quint8(0xFF);
        QTest::newRow("wait 65535 ms") << 65535 << quint8(0xFF) << quint8(0xFF);
    }

    void sixteenBitFieldsKeepTheHighByteFirst()
    {
        QFETCH(int, value);
        QFETCH(quint8, high);
        QFETCH(quint8, low);
        OutputAction_Mouse scroll(13);
        QCOMPARE(scroll.scrollOption, quint8(0));
        scroll.scrollCount.setValue(value);
        QCOMPARE(scroll.scrollCount.bytes[0], high);
        QCOMPARE(scroll.scrollCount.bytes[1], low);
        QCOMPARE(scroll.scrollCount.value(), quint16(value));
        QCOMPARE(BigEndian16::fromValue(value), scroll.scrollCount);
    }

    void negativeScrollReadsBackSigned()
    {
        OutputAction_Mouse scroll(13);
        scroll.scrollCount.setValue(-3);
        QCOMPARE(scroll.scrollCount.signedValue(), qint16(-3));
    }

    void nativeSixteenBitFieldsAreOrdinaryIntegers()
    {
        OutputAction_Tracking dpi(92);
        dpi.dpiValue = 1600;
        OutputAction_Joystick stick(50);
        stick.firstRangeEnd = 1000;
        QCOMPARE(dpi.dpiValue, quint16(1600));
        QCOMPARE(stick.firstRangeEnd, quint16(1000));
    }

    void cloneCopiesEveryFieldIndependently()
    {
        OutputAction_Keyboard text(32);
        text.keyString = "hello";
        OutputPtr copy = text.clone();
        QVERIFY(copy.get() != &text);
        QVERIFY(copy->equals(text));
        auto *copied = dynamic_cast<OutputAction_Keyboard *>(copy.get());
        QVERIFY(copied);
        copied->keyString[0] = 'j';
        QCOMPARE(text.keyString, QByteArray("hello"));
        QVERIFY(!copy->equals(text));

        OutputAction_Led led(95);
        led.colour1[0] = 200;
        led.ledDuration.setValue(1234);
        OutputPtr ledCopy = led.clone();
        QVERIFY(ledCopy->equals(led));
        QCOMPARE(ledCopy->typeCode, 95);
        static_cast<OutputAction_Led &>(*ledCopy).colour1[0] = 1;
        QCOMPARE(led.colour1[0], quint8(200));
    }

    void recordsOfDifferentKindsAreNotEqual()
    {
        const OutputAction_Mouse click(12);
        const OutputAction_Mouse scroll(13);
        OutputAction_Joystick button;
        button.typeCode = 12; // a click code on a joystick record
        QVERIFY(!click.equals(scroll));
        QVERIFY(!click.equals(button));
        QVERIFY(click.equals(*click.clone()));
    }
};

QTEST_GUILESS_MAIN(TestOutputRecords)
#include "tst_outputrecords.moc"
