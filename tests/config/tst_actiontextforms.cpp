#include "ActionTextFactory.h"

#include "InputMapAction_Button.h"
#include "InputMapAction_Force.h"
#include "InputMapAction_Movement.h"
#include "InputMapAction_Scroll.h"
#include "OutputAction_Act.h"
#include "OutputAction_Haptic.h"
#include "OutputAction_Joystick.h"
#include "OutputAction_Keyboard.h"
#include "OutputAction_Mouse.h"
#include "OutputAction_Profile.h"
#include "OutputAction_Tracking.h"

#include "OutputBuilders.h"

#include <QtTest>

Q_DECLARE_METATYPE(OutputPtr)

namespace {

const QString down = QString::fromUtf8("\u2193");
const QString up = QString::fromUtf8("\u2191");

OutputPtr joystick(int type, int buttonId, int state, int axis, int mode, QVector<int> ranges)
{
    auto r = std::make_shared<OutputAction_Joystick>(type);
    r->buttonId = quint8(buttonId);
    r->buttonState = state;
    r->stickAxis = axis;
    r->rangeMode = mode;
    r->firstRangeStart = quint16(ranges.value(0));
    r->firstRangeEnd = quint16(ranges.value(1));
    r->secondRangeStart = quint16(ranges.value(2));
    r->secondRangeEnd = quint16(ranges.value(3));
    return r;
}

OutputPtr profile(int selection)
{
    auto r = std::make_shared<OutputAction_Profile>(90);
    r->profileSelection = selection;
    return r;
}

OutputPtr haptic(int strength, int duration, int option)
{
    auto r = std::make_shared<OutputAction_Haptic>(80);
    r->strength = quint8(strength);
    r->duration.setValue(duration);
    r->hapticOption = option;
    return r;
}

OutputPtr act(int type, int countOrTime = 0, int alternateCount = 0, int repeatTarget = 0, int skipWaits = 0)
{
    auto r = std::make_shared<OutputAction_Act>(type);
    r->countOrTime.setValue(countOrTime);
    r->alternateCount = quint8(alternateCount);
    r->repeatTarget = quint8(repeatTarget);
    r->skipWaits = quint8(skipWaits);
    return r;
}

} // namespace

class TestActionTextForms : public QObject
{
    Q_OBJECT

private slots:
    void splitPressMarkerReadsTheState_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("rest");
        QTest::addColumn<int>("state");

        QTest::newRow("press") << "ControlLeft" + down << "ControlLeft" << 2;
        QTest::newRow("release") << "C" + up << "C" << 0;
        QTest::newRow("tap") << " C " << "C" << 1;
        QTest::newRow("every press marker") << down + "A" + down << "A" << 2;
        QTest::newRow("press wins over release") << "A" + down + up << "A" + up << 2;
        QTest::newRow("trimmed after removal") << "Wait 5 " + up << "Wait 5" << 0;
    }
    void splitPressMarkerReadsTheState()
    {
        QFETCH(QString, text);
        QFETCH(QString, rest);
        QFETCH(int, state);
        QCOMPARE(splitPressMarker(text), state);
        QCOMPARE(text, rest);
    }

    void outputTextsMakeRecords_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<OutputPtr>("expected");

        QTest::newRow("left button press") << "MouseButton1" + down << click(0, 2);
        QTest::newRow("button 5 release") << "MouseButton5" + up << click(4, 0);
        QTest::newRow("scroll down") << "ScrollDown" << scroll(0, -1);
        QTest::newRow("scroll up") << "ScrollUp" << scroll(0, 1);
        QTest::newRow("scroll left") << "ScrollLeft" << scroll(1, -1);
        QTest::newRow("scroll right") << "ScrollRight" << scroll(1, 1);
        QTest::newRow("spaced scroll goes up") << "Scroll Down" << scroll(0, 1);
        // "ScrollLock" is taken by the scroll form before the key names are tried.
        QTest::newRow("scroll lock is a scroll") << "ScrollLock" << scroll(0, 1);
        QTest::newRow("letter") << "C" << keyInGroup(1, 6);
        QTest::newRow("F alone is a letter") << "F" << keyInGroup(1, 9);
        QTest::newRow("digit 1") << "1" + down << keyInGroup(1, 30, 2);
        QTest::newRow("digit 0") << "0" << keyInGroup(1, 39);
        QTest::newRow("minus") << "-" << keyInGroup(2, 45);
        QTest::newRow("backslash") << "\\" + up << keyInGroup(2, 49, 0);
        QTest::newRow("apostrophe") << "'" << keyInGroup(2, 52);
        QTest::newRow("slash") << "/" << keyInGroup(2, 56);
        QTest::newRow("control left press") << "ControlLeft" + down << keyInGroup(3, 224, 2);
        QTest::newRow("option right") << "OptionRight" << keyInGroup(3, 230);
        QTest::newRow("command left") << "CommandLeft" << keyInGroup(3, 227);
        QTest::newRow("help is insert") << "Help" << keyInGroup(3, 73);
        QTest::newRow("arrow up") << "Up" << keyInGroup(3, 82);
        QTest::newRow("arrow down") << "Down" << keyInGroup(3, 81);
        QTest::newRow("application") << "Application" << keyInGroup(3, 101);
        QTest::newRow("F5 release") << "F5" + up << keyInGroup(4, 62, 0);
        QTest::newRow("F12") << "F12" << keyInGroup(4, 69);
        QTest::newRow("F13") << "F13" << keyInGroup(4, 0x68);
        QTest::newRow("F24") << "F24" << keyInGroup(4, 115);
        QTest::newRow("keypad divide") << "Num/" << keyInGroup(5, 84);
        QTest::newRow("spaced keypad divide is enter") << "Num /" << keyInGroup(5, 88);
        QTest::newRow("keypad clear") << "NumClear" << keyInGroup(5, 83);
        QTest::newRow("keypad enter") << "NumEnter" + down << keyInGroup(5, 88, 2);
        QTest::newRow("keypad 1") << "Num1" << keyInGroup(5, 89);
        QTest::newRow("keypad 9") << "Num9" << keyInGroup(5, 97);
        QTest::newRow("keypad 0") << "Num0" << keyInGroup(5, 98);
        QTest::newRow("keypad decimal") << "Num." << keyInGroup(5, 99);
        QTest::newRow("stop is a media key") << "Stop" << media(0xB7);
        QTest::newRow("play") << "Play" << media(0xB0);
        QTest::newRow("play/pause press") << "PlayPause" + down << media(0xCD, 2);
        QTest::newRow("mute release") << "Mute" + up << media(0xE2, 0);
        QTest::newRow("joystick button 3 press") << "Joystick3" + down << joystick(51, 2, 2, 0, 0, {});
        QTest::newRow("joystick slider") << "JoystickSlider" << joystick(52, 0, 0, 0, 3, {0, 1000, 0, 0});
        QTest::newRow("joystick X") << "JoystickX" << joystick(50, 0, 0, 0, 3, {0, 500, 500, 1000});
        QTest::newRow("joystick rotation") << "JoystickRotation" << joystick(50, 0, 0, 2, 3, {0, 500, 500, 1000});
        QTest::newRow("dpi next level") << "DPILevel Next" << dpi(1, 0);
        QTest::newRow("dpi previous level") << "DPILevel Prev" << dpi(2, 0);
        QTest::newRow("dpi level 3") << "DPILevel Set 3" << dpi(5, 2);
        QTest::newRow("dpi level out of range") << "DPILevel Set 12" << dpi(5, 9);
        QTest::newRow("dpi set") << "DPI Set 800" << dpi(6, 8);
        QTest::newRow("dpi set highest") << "DPI Set 50000" << dpi(6, 120);
        QTest::newRow("dpi increase at least one") << "DPI Increase 50" << dpi(7, 1);
        QTest::newRow("dpi decrease at most five") << "DPI Decrease 900" << dpi(8, 5);
        QTest::newRow("next profile") << "Profile Next" << profile(1);
        QTest::newRow("sub-profile") << "Profile Sub" << profile(4);
        QTest::newRow("vibrate and wait") << "Vibrate 50 100 Wait" << haptic(41, 100, 128);
        QTest::newRow("vibrate capped") << "Vibrate 150 5000 No" << haptic(83, 1000, 0);
        QTest::newRow("vibrate without duration") << "Vibrate 50" << haptic(0, 0, 0);
        QTest::newRow("wait") << "Wait 100" << act(113, 100);
        QTest::newRow("wait without time") << "Wait" << act(113, 0);
        QTest::newRow("wait past the longest") << "Wait 70000" << act(113, 65535);
        QTest::newRow("alternate at least two") << "Alternate 1" << act(111, 0, 2);
        QTest::newRow("alternate at most 99") << "Alternate 100" << act(111, 0, 99);
        QTest::newRow("repeat forever") << "Repeat 2 0" << act(110, 0, 0, 1);
        QTest::newRow("repeat 5 times") << "Repeat 1 5" << act(110, 5, 0, 0);
        QTest::newRow("repeat from the lowest number") << "Repeat -2147483648 5" << act(110, 5, 0, 0);
        QTest::newRow("repeat from past the last output") << "Repeat 2147483647 1" << act(110, 1, 0, 255);
        QTest::newRow("wait past the widest integer") << "Wait 99999999999" << act(113, 65535);
        QTest::newRow("alternate the lowest number") << "Alternate -2147483648" << act(111, 0, 2);
        QTest::newRow("dpi level the largest number") << "DPILevel Set 2147483647" << dpi(5, 9);
        QTest::newRow("dpi set the lowest number") << "DPI Set -2147483648" << dpi(6, 1);
        QTest::newRow("vibrate the extreme numbers") << "Vibrate 2147483647 -2147483648 Wait" << haptic(83, 0, 128);
        QTest::newRow("stop looping skipping waits") << "Stop SkipWaits" << act(112, 0, 0, 0, 1);
        QTest::newRow("stop looping keeping waits") << "Stop Now" << act(112, 0, 0, 0, 0);
    }
    void outputTextsMakeRecords()
    {
        QFETCH(QString, text);
        QFETCH(OutputPtr, expected);

        const OutputPtr made = parseOutputAction(text);
        QVERIFY(made);
        QVERIFY2(made->equals(*expected), qPrintable(made->descriptionText() + " / " + expected->descriptionText()));
    }

    void outputTextsThatNameNothingMakeNoRecord_data()
    {
        QTest::addColumn<QString>("text");

        QTest::newRow("empty") << "";
        QTest::newRow("lowercase letter") << "c";
        QTest::newRow("lowercase word") << "stop";
        QTest::newRow("lowercase scroll") << "scrollup";
        QTest::newRow("unknown word") << "Hello";
        QTest::newRow("F25") << "F25";
        QTest::newRow("F0") << "F0";
        QTest::newRow("keypad number past the keypad") << "Num200";
        QTest::newRow("keypad the largest number") << "Num2147483647";
        QTest::newRow("keypad the lowest number") << "Num-2147483648";
        QTest::newRow("mouse button past 32 bits") << "MouseButton4294967297";
        QTest::newRow("joystick button the largest number") << "Joystick2147483647";
        QTest::newRow("mouse button 0") << "MouseButton0";
        QTest::newRow("mouse button without number") << "MouseButton";
        QTest::newRow("joystick button 0") << "Joystick0";
        QTest::newRow("stick with another suffix") << "JoystickXY";
        QTest::newRow("dpi without words") << "DPI";
        QTest::newRow("dpi unknown change") << "DPI Double 800";
        QTest::newRow("dpi level without number") << "DPILevel Set";
        QTest::newRow("profile without second word") << "Profile";
        QTest::newRow("profile unknown change") << "Profile Last";
        QTest::newRow("sequence word of none of the four") << "Waiting 10";
    }
    void outputTextsThatNameNothingMakeNoRecord()
    {
        QFETCH(QString, text);
        QVERIFY(!parseOutputAction(text));
    }

    void buttonInputs()
    {
        const auto button = std::dynamic_pointer_cast<InputMapAction_Button>(parseInputAction("Button 4"));
        QVERIFY(button);
        QCOMPARE(button->inputType, 10);
        QCOMPARE(button->buttonId, 3);
        QCOMPARE(button->activeState, 1);

        QVERIFY(!parseInputAction("Button"));
        QVERIFY(!parseInputAction("Button 0"));
        QVERIFY(!parseInputAction("Button 14"));
        QVERIFY(!parseInputAction("Button 4294967300"));
    }

    void movementInputs_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("direction");
        QTest::addColumn<int>("divisor");
        QTest::addColumn<int>("repeat");

        QTest::newRow("all by default") << "Movement" << 6 << 1 << 0;
        QTest::newRow("x+ every 4 repeated") << "Movement X+ 4 Repeat" << 1 << 4 << 1;
        QTest::newRow("y- every 10") << "Movement Y- 10" << 2 << 10 << 0;
        QTest::newRow("x") << "Movement X" << 4 << 1 << 0;
        QTest::newRow("all, third word not repeat") << "Movement All 2 Once" << 6 << 2 << 0;
        QTest::newRow("divisor past 32 bits") << "Movement Y 99999999999" << 5 << 65535 << 0;
    }
    void movementInputs()
    {
        QFETCH(QString, text);
        QFETCH(int, direction);
        QFETCH(int, divisor);
        QFETCH(int, repeat);

        const auto movement = std::dynamic_pointer_cast<InputMapAction_Movement>(parseInputAction(text));
        QVERIFY(movement);
        QCOMPARE(movement->inputType, 20);
        QCOMPARE(movement->direction, direction);
        QCOMPARE(int(movement->countDivisor.value()), divisor);
        QCOMPARE(movement->repeat, repeat);
    }

    void scrollInputs()
    {
        const QStringList directions = {"Forward", "Back", "All"};
        for (int i = 0; i < directions.size(); ++i) {
            const auto scroll =
                std::dynamic_pointer_cast<InputMapAction_Scroll>(parseInputAction("Scroll " + directions.at(i)));
            QVERIFY(scroll);
            QCOMPARE(scroll->inputType, 30);
            QCOMPARE(scroll->wheelDirection, i);
        }
        QVERIFY(!parseInputAction("Scroll Sideways"));
        QVERIFY(!parseInputAction("Movement Z"));
    }

    void forceInputs_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("entryStart");
        QTest::addColumn<int>("exitStart");

        QTest::newRow("30 percent") << "Force 30" << 300 << 200;
        QTest::newRow("10 percent exits at zero") << "Force 10" << 100 << 0;
        QTest::newRow("below 10 percent does not go negative") << "Force 5" << 50 << 0;
        QTest::newRow("no number") << "Force" << 0 << 0;
        QTest::newRow("above full force") << "Force 250" << 1000 << 900;
        QTest::newRow("the largest number") << "Force 2147483647" << 1000 << 900;
        QTest::newRow("the lowest number") << "Force -2147483648" << 0 << 0;
    }
    void forceInputs()
    {
        QFETCH(QString, text);
        QFETCH(int, entryStart);
        QFETCH(int, exitStart);

        const auto force = std::dynamic_pointer_cast<InputMapAction_Force>(parseInputAction(text));
        QVERIFY(force);
        QCOMPARE(force->inputType, 50);
        QCOMPARE(force->buttonId, 13);
        QCOMPARE(int(force->entryStart), entryStart);
        QCOMPARE(int(force->entryEnd), 1000);
        QCOMPARE(int(force->exitStart), exitStart);
        QCOMPARE(int(force->exitEnd), 1000);
        QCOMPARE(force->forceDirection, 0);
        QCOMPARE(force->activeState, 1);
    }

    void inputTextsAreCaseSensitive()
    {
        QVERIFY(!parseInputAction("button 1"));
        QVERIFY(!parseInputAction("Wheel Forward"));
        QVERIFY(!parseInputAction(""));
    }
};

QTEST_GUILESS_MAIN(TestActionTextForms)
#include "tst_actiontextforms.moc"
