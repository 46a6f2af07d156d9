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

#include "OutputBuilders.h"

#include <QtTest>

Q_DECLARE_METATYPE(OutputPtr)

namespace {

const QString press = QString::fromUtf8("\u2193");
const QString release = QString::fromUtf8("\u2191");

OutputPtr pointer(int x, int y)
{
    auto r = std::make_shared<OutputAction_Mouse>(10);
    r->pointerMode = 2;
    r->xCount.setValue(x);
    r->yCount.setValue(y);
    return r;
}

OutputPtr joystick(int type, int buttonId, int state, int rangeStart = 0, int rangeEnd = 0)
{
    auto r = std::make_shared<OutputAction_Joystick>(type);
    r->buttonId = quint8(buttonId);
    r->buttonState = state;
    r->firstRangeStart = quint16(rangeStart);
    r->firstRangeEnd = quint16(rangeEnd);
    return r;
}

OutputPtr haptic(int strength, int duration)
{
    auto r = std::make_shared<OutputAction_Haptic>(80);
    r->strength = quint8(strength);
    r->duration.setValue(duration);
    return r;
}

OutputPtr profile(int type, int selection)
{
    auto r = std::make_shared<OutputAction_Profile>(type);
    r->profileSelection = selection;
    return r;
}

OutputPtr liftOff(int level)
{
    auto r = std::make_shared<OutputAction_Tracking>(93);
    r->liftOffLevel = level;
    return r;
}

OutputPtr led(int mode)
{
    auto r = std::make_shared<OutputAction_Led>(95);
    r->ledMode = quint8(mode);
    return r;
}

OutputPtr oled(int type, int mode, const QByteArray &message = QByteArray(), int duration = 0)
{
    auto r = std::make_shared<OutputAction_Oled>(type);
    r->oledMode = mode;
    r->message = message;
    r->flashDuration.setValue(duration);
    return r;
}

OutputPtr act(int type, int value, int alternateCount = 0)
{
    auto r = std::make_shared<OutputAction_Act>(type);
    r->countOrTime.setValue(value);
    r->alternateCount = quint8(alternateCount);
    return r;
}

OutputPtr tilt(int axis)
{
    auto r = std::make_shared<OutputAction_Tilts>(114);
    r->tiltAxis = axis;
    return r;
}

// What each model code can perform, as the device object reports it.
struct ModelFeatures
{
    bool haptics;
    bool oled;
    bool tilt;
    bool logoLed;
};

ModelFeatures featuresOf(int modelCode)
{
    const bool v = modelCode == 5 || modelCode == 30;
    return {v || modelCode == 10, v, v, v || modelCode == 20};
}

void connectModel(int modelCode)
{
    const ModelFeatures f = featuresOf(modelCode);
    OutputActionConfig::setOutputSupportFilter([f](const OutputActionConfig &output) {
        switch (output.typeCode) {
        case 80:
            return f.haptics;
        case 97:
        case 98:
        case 103:
            return f.oled;
        case 114:
            return f.tilt;
        case 95:
            return f.logoLed;
        default:
            return true;
        }
    });
}

} // namespace

class TestOutputDescriptions : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { OutputActionConfig::setOutputSupportFilter(nullptr); }

    void describesEachOutput_data()
    {
        QTest::addColumn<OutputPtr>("output");
        QTest::addColumn<QString>("text");

        QTest::newRow("left click tap") << click(0, 1) << "Left Click ";
        QTest::newRow("left click press") << click(0, 2) << "Left Click " + press;
        QTest::newRow("right click release") << click(1, 0) << "Right Click " + release;
        QTest::newRow("middle click") << click(2, 1) << "Middle Click ";
        QTest::newRow("extra button") << click(4, 2) << "Mouse B5 " + press;
        QTest::newRow("scroll down") << scroll(0, -3) << "Scroll Down 3";
        QTest::newRow("scroll right") << scroll(1, 120) << "Scroll Right 120";
        QTest::newRow("scroll left") << scroll(1, -1) << "Scroll Left 1";
        QTest::newRow("scroll zero") << scroll(0, 0) << "Scroll Up 0";
        QTest::newRow("scroll most negative") << scroll(0, -32768) << "Scroll Down 32768";
        QTest::newRow("pointer x and y") << pointer(10, -5) << "X: 10 Y: -5";
        QTest::newRow("pointer x only") << pointer(10, 0) << "X: 10 ";
        QTest::newRow("pointer y only") << pointer(0, -5) << "Y: -5";
        QTest::newRow("pointer still") << pointer(0, 0) << "";
        QTest::newRow("key press") << keyInGroup(1, 4, 2) << "A " + press;
        QTest::newRow("key tap") << keyInGroup(1, 4, 1) << "A ";
        QTest::newRow("symbol release") << keyInGroup(2, 52, 0) << "' OR \" " + release;
        QTest::newRow("symbol after the gap") << keyInGroup(2, 51, 1) << "; OR : ";
        QTest::newRow("application key") << keyInGroup(3, 101, 1) << "APPLICATION ";
        QTest::newRow("F13") << keyInGroup(4, 104, 1) << "F13 ";
        QTest::newRow("keypad equals") << keyInGroup(5, 103, 1) << "Numpad = ";
        QTest::newRow("usage outside its group") << keyInGroup(2, 50, 2) << " " + press;
        QTest::newRow("no group") << keyInGroup(0, 4, 1) << " ";
        QTest::newRow("media release") << media(0xE9, 0) << "VOLUME UP" + release;
        QTest::newRow("media tap") << media(0xCD, 1) << "PLAY / PAUSE";
        QTest::newRow("media rewind") << media(0xB4, 2) << "REWIND" + press;
        QTest::newRow("unlisted media usage") << media(0xB0, 2) << press;
        QTest::newRow("text") << text("caf\xE9") << QString::fromUtf8("Text String: caf\u00E9");
        QTest::newRow("joystick button") << joystick(51, 0, 2) << "Joystick B1 " + press;
        QTest::newRow("joystick stick") << joystick(50, 0, 0) << "Joystick Output";
        QTest::newRow("joystick slider") << joystick(52, 0, 0, 0, 255) << "0 - 25.5";
        QTest::newRow("joystick full slider") << joystick(52, 0, 0, 5, 1000) << "0.5 - 100";
        QTest::newRow("vibrate") << haptic(50, 150) << "Vibrate 60%, 1.50 sec";
        QTest::newRow("vibrate rounds the percent") << haptic(41, 5) << "Vibrate 49%, 0.05 sec";
        QTest::newRow("vibrate longest") << haptic(100, 1000) << "Vibrate 120%, 10.00 sec";
        QTest::newRow("next profile") << profile(90, 1) << "Next Profile";
        QTest::newRow("previous profile") << profile(90, 2) << "Previous Profile";
        QTest::newRow("parent profile") << profile(90, 3) << "Parent Profile";
        QTest::newRow("sub-profile") << profile(90, 4) << "Sub-profile";
        QTest::newRow("unknown profile change") << profile(90, 0) << "";
        QTest::newRow("go to profile") << profile(91, 0) << "Go To Profile ";
        QTest::newRow("dpi next") << dpi(1, 0) << "DPI Next Level";
        QTest::newRow("dpi previous") << dpi(2, 0) << "DPI Prev Level";
        QTest::newRow("dpi level counts from one") << dpi(5, 2) << "DPI Level 3";
        QTest::newRow("dpi set") << dpi(6, 800) << "DPI Set 800";
        QTest::newRow("dpi increase") << dpi(7, 200) << "DPI 200";
        QTest::newRow("dpi decrease") << dpi(8, 100) << "DPI 100";
        QTest::newRow("dpi unknown") << dpi(3, 100) << "DPI ";
        QTest::newRow("lift off min") << liftOff(2) << "Lift Off Min";
        QTest::newRow("lift off max") << liftOff(3) << "Lift Off Max";
        QTest::newRow("lift off unknown") << liftOff(0) << "Lift Off ";
        QTest::newRow("backlight off") << led(0) << "Backlight Off";
        QTest::newRow("backlight solid") << led(1) << "Backlight Solid Colour";
        QTest::newRow("backlight cycle") << led(2) << "Backlight Cycle";
        QTest::newRow("backlight unknown") << led(3) << "Backlight ";
        QTest::newRow("oled message") << oled(97, 1, "HELLO") << "OLED HELLO";
        QTest::newRow("oled blank") << oled(97, 0) << "OLED Blank";
        QTest::newRow("oled firmware") << oled(97, 7) << "OLED Vers";
        QTest::newRow("oled unknown") << oled(97, 8) << "OLED ";
        QTest::newRow("oled flash") << oled(103, 2, {}, 150) << "OLED Flash DPI 1.5s";
        QTest::newRow("oled flash message") << oled(103, 1, "HI", 100) << "OLED Flash HI 1s";
        QTest::newRow("oled flash unknown") << oled(103, 9, {}, 5) << "OLED Flash  0.05s";
        QTest::newRow("oled previous") << oled(98, 0) << "Previous OLED";
        QTest::newRow("wait zero") << act(113, 0) << "Wait 0ms";
        QTest::newRow("wait below a second") << act(113, 999) << "Wait 999ms";
        QTest::newRow("wait a second") << act(113, 1000) << "Wait 1s";
        QTest::newRow("wait fraction") << act(113, 1500) << "Wait 1.5s";
        QTest::newRow("wait longest") << act(113, 65535) << "Wait 65.535s";
        QTest::newRow("alternate") << act(111, 0, 3) << "Alternate Next 3";
        QTest::newRow("loop forever") << act(110, 0) << "Loop 0 Times";
        QTest::newRow("loop") << act(110, 300) << "Loop 300 Times";
        QTest::newRow("stop looping") << act(112, 0) << "Stop All Loops";
        QTest::newRow("reset tilt") << tilt(3) << "Reset Tilt (Roll / Pitch)";
        QTest::newRow("reset pivot") << tilt(4) << "Reset Pivot (Yaw)";
        QTest::newRow("reset unknown") << tilt(0) << "Reset ";
        QTest::newRow("type code of another class") << OutputPtr(recordWithCode<OutputAction_Mouse>(30)) << "";
    }
    void describesEachOutput()
    {
        QFETCH(OutputPtr, output);
        QFETCH(QString, text);
        QCOMPARE(output->descriptionText(), text);
    }

    void listTextJoinsAndNotesStop()
    {
        QCOMPARE(OutputActionConfig::listText({}, false, " | "), QStringLiteral("Do Nothing"));
        QCOMPARE(OutputActionConfig::listText({}, true, " | "), QStringLiteral("Do Nothing | Stop Further Outputs"));
        const OutputList list = {click(0, 2), act(113, 250), click(0, 0)};
        QCOMPARE(OutputActionConfig::listText(list, false, " | "),
                 "Left Click " + press + " | Wait 250ms | Left Click " + release);
        QCOMPARE(OutputActionConfig::listText(list, true, ", "),
                 "Left Click " + press + ", Wait 250ms, Left Click " + release + " | Stop Further Outputs");
    }

    void listTextLeavesOutWhatTheModelLacks_data()
    {
        QTest::addColumn<int>("modelCode");
        QTest::addColumn<QString>("text");

        QTest::newRow("model 30 has everything")
            << 30 << "Left Click  + Vibrate 60%, 0.10 sec + OLED DPI + Previous OLED + OLED Flash DPI 1s"
                     " + Backlight Cycle + Reset Pivot (Yaw)";
        QTest::newRow("model 10 has haptics only") << 10 << "Left Click  + Vibrate 60%, 0.10 sec";
        QTest::newRow("model 20 has the logo LED only") << 20 << "Left Click  + Backlight Cycle";
        QTest::newRow("model 15 has none") << 15 << "Left Click ";
        QTest::newRow("no model yet") << 0 << "Left Click ";
    }
    void listTextLeavesOutWhatTheModelLacks()
    {
        QFETCH(int, modelCode);
        QFETCH(QString, text);

        connectModel(modelCode);
        const OutputList list = {click(0, 1),       haptic(50, 10), oled(97, 2), oled(98, 0),
                                 oled(103, 2, {}, 100), led(2),     tilt(4)};
        QCOMPARE(OutputActionConfig::listText(list, false, " + "), text);
    }

    void listTextOfOnlyUnsupportedOutputsDoesNothing()
    {
        connectModel(20);
        QCOMPARE(OutputActionConfig::listText({haptic(50, 100)}, false, " | "), QStringLiteral("Do Nothing"));
        QCOMPARE(OutputActionConfig::listText({haptic(50, 100)}, true, " | "),
                 QStringLiteral("Do Nothing | Stop Further Outputs"));
        QVERIFY(!OutputActionConfig::isSupported(*haptic(50, 100)));
        QVERIFY(OutputActionConfig::isSupported(*led(1)));

        OutputActionConfig::setOutputSupportFilter(nullptr);
        QVERIFY(OutputActionConfig::isSupported(*haptic(50, 100)));
    }

    void summaryMergesPressAndRelease_data()
    {
        QTest::addColumn<OutputList>("pressList");
        QTest::addColumn<OutputList>("releaseList");
        QTest::addColumn<QStringList>("lines");

        QTest::newRow("click pair in the press list")
            << OutputList{click(0, 2), click(0, 0)} << OutputList{} << QStringList{"Left Click "};
        QTest::newRow("release in the release list")
            << OutputList{keyInGroup(1, 4, 2)} << OutputList{keyInGroup(1, 4, 0)} << QStringList{"A "};
        QTest::newRow("release before its press")
            << OutputList{keyInGroup(1, 4, 0), keyInGroup(1, 4, 2)} << OutputList{} << QStringList{"A "};
        QTest::newRow("every pair after a release before its press")
            << OutputList{keyInGroup(1, 27, 0), keyInGroup(1, 27, 2), keyInGroup(1, 28, 2), keyInGroup(1, 28, 0)}
            << OutputList{} << QStringList{"X  + Y "};
        QTest::newRow("media pair") << OutputList{media(0xE9, 2)} << OutputList{media(0xE9, 0)}
                                    << QStringList{"VOLUME UP"};
        QTest::newRow("press list is searched before the release list")
            << OutputList{keyInGroup(1, 4, 2), keyInGroup(1, 4, 0)} << OutputList{keyInGroup(1, 4, 0)}
            << QStringList{"A ", "A " + release};
        QTest::newRow("only the first release is taken")
            << OutputList{click(0, 2), click(0, 0), click(0, 0)} << OutputList{}
            << QStringList{"Left Click  + Left Click " + release};
        QTest::newRow("different keys stay apart") << OutputList{keyInGroup(1, 4, 2)} << OutputList{keyInGroup(1, 5, 0)}
                                                   << QStringList{"A " + press, "B " + release};
        QTest::newRow("click and key with equal numbers stay apart")
            << OutputList{click(4, 2)} << OutputList{keyInGroup(1, 4, 0)}
            << QStringList{"Mouse B5 " + press, "A " + release};
        QTest::newRow("a tap takes no release")
            << OutputList{keyInGroup(1, 4, 1)} << OutputList{keyInGroup(1, 4, 0)} << QStringList{"A ", "A " + release};
        QTest::newRow("release list alone is joined by bars")
            << OutputList{} << OutputList{act(113, 100), click(1, 0)}
            << QStringList{"Wait 100ms | Right Click " + release};
        QTest::newRow("nothing at all") << OutputList{} << OutputList{} << QStringList{"None"};
    }
    void summaryMergesPressAndRelease()
    {
        QFETCH(OutputList, pressList);
        QFETCH(OutputList, releaseList);
        QFETCH(QStringList, lines);

        const OutputList pressBefore = OutputActionConfig::cloneList(pressList);
        const OutputList releaseBefore = OutputActionConfig::cloneList(releaseList);

        QCOMPARE(OutputActionConfig::summaryTexts(pressList, releaseList), lines);

        // The caller's lists and records are left as they were.
        QCOMPARE(pressList.size(), pressBefore.size());
        QCOMPARE(releaseList.size(), releaseBefore.size());
        for (int i = 0; i < pressList.size(); ++i)
            QVERIFY(pressList.at(i)->equals(*pressBefore.at(i)));
        for (int i = 0; i < releaseList.size(); ++i)
            QVERIFY(releaseList.at(i)->equals(*releaseBefore.at(i)));
    }

    void summaryOfUnsupportedOutputsDoesNothing()
    {
        connectModel(15);
        QCOMPARE(OutputActionConfig::summaryTexts({haptic(50, 100)}, {}), QStringList{"Do Nothing"});
    }
};

QTEST_GUILESS_MAIN(TestOutputDescriptions)
#include "tst_outputdescriptions.moc"
