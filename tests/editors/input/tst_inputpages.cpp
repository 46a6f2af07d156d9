// The input-type pages: what each lists, what a card built from its controls
// holds, how a loaded mapping shows, and the limits of the typed values.
#include "AppFont.h"
#include "ComboBox.h"
#include "ForcePress.h"
#include "InputMapAction_Angle.h"
#include "InputMapAction_Button.h"
#include "InputMapAction_Force.h"
#include "InputMapAction_Movement.h"
#include "InputMapAction_Scroll.h"
#include "InputPageHost.h"
#include "MouseButtons.h"
#include "MouseMovement.h"
#include "PageDriver.h"
#include "ProcessStateGuard.h"
#include "RangeSlider.h"
#include "ScrollWheel.h"
#include "Tilt.h"
#include "WidgetDriver.h"

#include <QApplication>
#include <QDoubleSpinBox>
#include <QSlider>
#include <QtTest>

#include <optional>

using PageDriver::shownText;

namespace {

QList<int> bounds(const InputMapAction_Angle &angle)
{
    return {angle.entryStart, angle.entryEnd, angle.exitStart, angle.exitEnd};
}

} // namespace

class TestInputPages : public QObject
{
    Q_OBJECT

    std::optional<ProcessStateGuard> clean;
    std::unique_ptr<ConnectedMouse> mouse;

    static QStringList popupOf(QWidget *root, const QString &combo)
    {
        return PageDriver::popupTexts(WidgetDriver::child<ComboBox>(root, combo));
    }

private slots:
    // The program's font, as the pictures show it.
    void initTestCase() { QApplication::setFont(appFont()); }
    void init() { clean.emplace(); }
    void cleanup()
    {
        mouse.reset();
        clean.reset();
    }

    void buttonListHoldsEveryButton_data()
    {
        QTest::addColumn<int>("model");
        QTest::newRow("no mouse") << 0;
        QTest::newRow("without triggers") << 10;
        QTest::newRow("V2") << 30;
    }
    void buttonListHoldsEveryButton()
    {
        QFETCH(int, model);
        mouse = plugInMouse(model);
        InputPageHost<MouseButtons> host;
        QVERIFY(host.show());
        const QStringList names{"Left Button",       "Right Button",      "Middle Button",     "Bottom Thumb",
                                "Top Thumb",         "Front Edge",        "Rear Edge",         "Left Fingertip",
                                "Right Fingertip",   "Left Trigger Push", "Left Trigger Pull", "Right Trigger Push",
                                "Right Trigger Pull"};
        QCOMPARE(popupOf(host.page, "comboBox_button"), names);
        QVERIFY(PageDriver::pickItem(host.page, "comboBox_button", "Right Trigger Pull"));
        auto button = host.build<InputMapAction_Button>();
        QVERIFY(button);
        QCOMPARE(button->inputType, 10);
        QCOMPARE(button->buttonId, 12);
        host.page->setButton(3);
        QCOMPARE(shownText(host.page, "comboBox_button"), QString("Bottom Thumb"));
        host.page->setButton(13);
        QCOMPARE(shownText(host.page, "comboBox_button"), QString("Bottom Thumb"));
    }

    void movementBuildsDirectionDistanceAndRepeat_data()
    {
        QTest::addColumn<QString>("direction");
        QTest::addColumn<QString>("units");
        QTest::addColumn<QString>("repeatRow");
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("high");
        QTest::addColumn<int>("low");
        QTest::addColumn<int>("repeat");
        QTest::newRow("distance 0 counts as 1") << "Left"
                                                << "0"
                                                << "Single - just once" << 0 << 0 << 1 << 0;
        QTest::newRow("largest distance") << "Right"
                                          << "65535"
                                          << "Repeat - every time" << 1 << 0xFF << 0xFF << 1;
        QTest::newRow("up") << "Up"
                            << "300"
                            << "Single - just once" << 2 << 0x01 << 0x2C << 0;
        QTest::newRow("down") << "Down"
                              << "1"
                              << "Repeat - every time" << 3 << 0 << 1 << 1;
        QTest::newRow("any") << "Any"
                             << "256"
                             << "Single - just once" << 6 << 1 << 0 << 0;
    }
    void movementBuildsDirectionDistanceAndRepeat()
    {
        QFETCH(QString, direction);
        QFETCH(QString, units);
        QFETCH(QString, repeatRow);
        QFETCH(int, code);
        QFETCH(int, high);
        QFETCH(int, low);
        QFETCH(int, repeat);
        mouse = plugInMouse(0);
        InputPageHost<MouseMovement> host;
        QVERIFY(host.show());
        QCOMPARE(popupOf(host.page, "comboBox_direction"), (QStringList{"Any", "Left", "Right", "Down", "Up"}));
        QVERIFY(PageDriver::pickItem(host.page, "comboBox_direction", direction));
        QVERIFY(PageDriver::typeAndFinish(host.page, "spinBox_units", units));
        QVERIFY(PageDriver::pickItem(host.page, "comboBox_repeat", repeatRow));
        auto movement = host.build<InputMapAction_Movement>();
        QVERIFY(movement);
        QCOMPARE(movement->inputType, 20);
        QCOMPARE(movement->direction, code);
        QCOMPARE(int(movement->countDivisor.high()), high);
        QCOMPARE(int(movement->countDivisor.low()), low);
        QCOMPARE(movement->repeat, repeat);
    }

    void movementLoadKeepsRowsItCannotShow()
    {
        mouse = plugInMouse(0);
        InputPageHost<MouseMovement> host;
        QVERIFY(host.show());
        host.page->setMovement(2, 40, 1);
        QCOMPARE(shownText(host.page, "comboBox_direction"), QString("Up"));
        QCOMPARE(shownText(host.page, "spinBox_units"), QString("40"));
        QCOMPARE(shownText(host.page, "comboBox_repeat"), QString("Repeat - every time"));
        for (int code : {4, 5}) {
            host.page->setMovement(code, 70000, 2);
            QCOMPARE(shownText(host.page, "comboBox_direction"), QString("Up"));
            QCOMPARE(shownText(host.page, "spinBox_units"), QString("65535"));
            QCOMPARE(shownText(host.page, "comboBox_repeat"), QString("Repeat - every time"));
        }
        host.page->setMovement(6, 5, 0);
        QCOMPARE(shownText(host.page, "comboBox_direction"), QString("Any"));
        QCOMPARE(shownText(host.page, "comboBox_repeat"), QString("Single - just once"));
    }

    void scrollRowIsWheelDirection()
    {
        mouse = plugInMouse(0);
        InputPageHost<ScrollWheel> host;
        QVERIFY(host.show());
        const QStringList rows{"Push Forward", "Pull Back", "Both"};
        QCOMPARE(popupOf(host.page, "comboBox_scroll"), rows);
        for (int code = 0; code < 3; ++code) {
            QVERIFY(PageDriver::pickItem(host.page, "comboBox_scroll", rows[code]));
            auto scroll = host.build<InputMapAction_Scroll>();
            QVERIFY(scroll);
            QCOMPARE(scroll->inputType, 30);
            QCOMPARE(scroll->wheelDirection, code);
        }
        host.page->setDirection(1);
        QCOMPARE(shownText(host.page, "comboBox_scroll"), QString("Pull Back"));
        host.page->setDirection(3);
        QCOMPARE(shownText(host.page, "comboBox_scroll"), QString("Pull Back"));
    }

    void forceButtonsFollowTheModel_data()
    {
        QTest::addColumn<int>("model");
        QTest::addColumn<QStringList>("names");
        const QStringList two{"Left Button Force", "Left Fingertip Button Force"};
        const QStringList five{"Left Button Force", "Right Button Force", "Middle Button Force",
                               "Left Fingertip Button Force", "Right Fingertip Button Force"};
        QTest::newRow("no mouse") << 0 << two;
        QTest::newRow("another model") << 20 << two;
        QTest::newRow("V") << 5 << five;
        QTest::newRow("V2") << 30 << five;
    }
    void forceButtonsFollowTheModel()
    {
        QFETCH(int, model);
        QFETCH(QStringList, names);
        mouse = plugInMouse(model);
        InputPageHost<ForcePress> host;
        QVERIFY(host.show());
        QCOMPARE(popupOf(host.page, "comboBox_force_button"), names);
        QVERIFY(PageDriver::pickItem(host.page, "comboBox_force_button", names.last()));
        auto force = host.build<InputMapAction_Force>();
        QVERIFY(force);
        QCOMPARE(force->buttonId, names.size() == 5 ? 8 : 7);
    }

    void forceThresholdBuildsToggleRegion_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("entryStart");
        QTest::addColumn<int>("exitStart");
        QTest::newRow("10 %") << "10" << 100 << 0;
        QTest::newRow("99 %") << "99" << 990 << 890;
        QTest::newRow("below the range") << "5" << 100 << 0;
    }
    void forceThresholdBuildsToggleRegion()
    {
        QFETCH(QString, typed);
        QFETCH(int, entryStart);
        QFETCH(int, exitStart);
        mouse = plugInMouse(30);
        InputPageHost<ForcePress> host;
        QVERIFY(host.show());
        QVERIFY(PageDriver::pickItem(host.page, "comboBox_force_button", "Middle Button Force"));
        QVERIFY(PageDriver::typeAndFinish(host.page, "spinBox_force", typed));
        QCOMPARE(shownText(host.page, "horizontalSlider_force"), QString::number(entryStart / 10));
        auto force = host.build<InputMapAction_Force>();
        QVERIFY(force);
        QCOMPARE(force->inputType, 50);
        QCOMPARE(force->buttonId, 2);
        QCOMPARE(int(force->entryStart), entryStart);
        QCOMPARE(int(force->entryEnd), 1000);
        QCOMPARE(int(force->exitStart), exitStart);
        QCOMPARE(int(force->exitEnd), 1000);
    }

    void forceRangeKeepsMinimumBelowMaximum()
    {
        mouse = plugInMouse(0);
        InputPageHost<ForcePress> host;
        QVERIFY(host.show());
        QVERIFY(PageDriver::pickItem(host.page, "comboBox_range", "Analog Range"));
        QVERIFY(!WidgetDriver::child(host.page, "widget_force")->isVisible());
        QCOMPARE(shownText(host.page, "rangeSlider_force"), QString("10 90"));

        QVERIFY(PageDriver::typeAndFinish(host.page, "spinBox_force_min", "99"));
        QCOMPARE(shownText(host.page, "spinBox_force_min"), QString("89 %"));
        QCOMPARE(shownText(host.page, "rangeSlider_force"), QString("89 90"));
        QCOMPARE(WidgetDriver::child<RangeSlider>(host.page, "rangeSlider_force")->minimumPosition(), 89);

        QVERIFY(PageDriver::typeAndFinish(host.page, "spinBox_force_min", "5"));
        QCOMPARE(shownText(host.page, "spinBox_force_min"), QString("10 %"));
        QCOMPARE(shownText(host.page, "rangeSlider_force"), QString("10 90"));
        QVERIFY(PageDriver::typeAndFinish(host.page, "spinBox_force_max", "10"));
        QCOMPARE(shownText(host.page, "spinBox_force_max"), QString("11 %"));

        // A dragged handle writes the boxes.
        QVERIFY(PageDriver::dragHandle(host.page, "rangeSlider_force", true, 80));
        QVERIFY(PageDriver::dragHandle(host.page, "rangeSlider_force", false, 20));
        QCOMPARE(shownText(host.page, "spinBox_force_min"), QString("20 %"));
        QCOMPARE(shownText(host.page, "spinBox_force_max"), QString("80 %"));
        auto force = host.build<InputMapAction_Force>();
        QVERIFY(force);
        QCOMPARE(force->inputType, 52);
        QCOMPARE(force->buttonId, 0);
        QCOMPARE(int(force->entryStart), 200);
        QCOMPARE(int(force->entryEnd), 800);
    }

    void forceModeSwitchKeepsBothRows()
    {
        mouse = plugInMouse(0);
        InputPageHost<ForcePress> host;
        QVERIFY(host.show());
        QVERIFY(PageDriver::typeAndFinish(host.page, "spinBox_force", "35"));
        QVERIFY(PageDriver::pickItem(host.page, "comboBox_range", "Analog Range"));
        QVERIFY(PageDriver::typeAndFinish(host.page, "spinBox_force_max", "70"));
        QVERIFY(PageDriver::pickItem(host.page, "comboBox_range", "Toggle Region"));
        QVERIFY(!WidgetDriver::child(host.page, "widget_force_range")->isVisible());
        QCOMPARE(shownText(host.page, "spinBox_force"), QString("35 %"));
        QVERIFY(PageDriver::pickItem(host.page, "comboBox_range", "Analog Range"));
        QCOMPARE(shownText(host.page, "spinBox_force_max"), QString("70 %"));
        QCOMPARE(shownText(host.page, "rangeSlider_force"), QString("10 70"));
    }

    void forceLoadShowsMappingValues()
    {
        mouse = plugInMouse(0);
        InputPageHost<ForcePress> host;
        QVERIFY(host.show());
        host.page->setAnalogRange(7, 95, 30);
        QCOMPARE(shownText(host.page, "comboBox_force_button"), QString("Left Fingertip Button Force"));
        QCOMPARE(shownText(host.page, "comboBox_range"), QString("Analog Range"));
        QCOMPARE(shownText(host.page, "spinBox_force_min"), QString("30 %"));
        QCOMPARE(shownText(host.page, "spinBox_force_max"), QString("95 %"));
        // A button this model's list lacks: no row, and the card stays on it.
        host.page->setToggleRegion(8, 65);
        QCOMPARE(shownText(host.page, "comboBox_force_button"), QString());
        QCOMPARE(shownText(host.page, "spinBox_force"), QString("65 %"));
        auto force = host.build<InputMapAction_Force>();
        QVERIFY(force);
        QCOMPARE(force->buttonId, 8);
        QCOMPARE(int(force->entryStart), 650);
    }

    void tiltRegionBuildsBounds_data()
    {
        QTest::addColumn<int>("group");
        QTest::addColumn<QString>("row");
        QTest::addColumn<int>("axis");
        QTest::addColumn<QList<int>>("expected");
        QTest::newRow("left") << 4 << "Left" << 0 << QList<int>{0, 1500, 0, 1530};
        QTest::newRow("right") << 4 << "Right" << 0 << QList<int>{2100, 3600, 2070, 3600};
        QTest::newRow("forward") << 4 << "Forward" << 1 << QList<int>{0, 1500, 0, 1530};
        QTest::newRow("backward") << 4 << "Backward" << 1 << QList<int>{2100, 3600, 2070, 3600};
        QTest::newRow("pivot left") << 5 << "Pivot Left" << 2 << QList<int>{0, 1500, 0, 1530};
        QTest::newRow("pivot right") << 5 << "Pivot Right" << 2 << QList<int>{2100, 3600, 2070, 3600};
    }
    void tiltRegionBuildsBounds()
    {
        QFETCH(int, group);
        QFETCH(QString, row);
        QFETCH(int, axis);
        QFETCH(QList<int>, expected);
        mouse = plugInMouse(30);
        InputPageHost<Tilt> host;
        host.page->show(InputGroups(group));
        QVERIFY(host.show());
        QVERIFY(PageDriver::pickItem(host.page, "comboBox_tilt_type", row));
        QVERIFY(PageDriver::typeAndFinish(host.page, "doubleSpinBox_angle", "30"));
        QVERIFY(PageDriver::typeAndFinish(host.page, "doubleSpinBox_noise", "3"));
        auto angle = host.build<InputMapAction_Angle>();
        QVERIFY(angle);
        QCOMPARE(angle->inputType, 60);
        QCOMPARE(angle->axis, axis);
        QCOMPARE(bounds(*angle), expected);
    }

    void tiltRegionLoadShowsAngleAndNoise()
    {
        mouse = plugInMouse(30);
        InputPageHost<Tilt> host;
        QVERIFY(host.show());
        host.page->setAngleRegion(1, 0, 1500, 0, 1530);
        QCOMPARE(shownText(host.page, "comboBox_tilt_type"), QString("Forward"));
        QCOMPARE(shownText(host.page, "doubleSpinBox_angle"), QString("30.0ᵒ"));
        QCOMPARE(shownText(host.page, "doubleSpinBox_noise"), QString("3.0ᵒ"));
        host.page->setAngleRegion(2, 1925, 3600, 1905, 3600);
        QCOMPARE(shownText(host.page, "comboBox_tilt_type"), QString("Pivot Right"));
        QCOMPARE(shownText(host.page, "doubleSpinBox_angle"), QString("12.5ᵒ"));
        QCOMPARE(shownText(host.page, "doubleSpinBox_noise"), QString("2.0ᵒ"));
        QCOMPARE(popupOf(host.page, "comboBox_tilt_type"),
                 (QStringList{"Pivot Left", "Pivot Right", "Analog Pivot Left / Right"}));
    }

    void tiltAngleAndNoiseLimits_data()
    {
        QTest::addColumn<QString>("angle");
        QTest::addColumn<QString>("noise");
        QTest::addColumn<QString>("shownAngle");
        QTest::addColumn<int>("slider");
        QTest::addColumn<QString>("shownNoise");
        QTest::newRow("angle below 1") << "0.5" << QString() << "1.0ᵒ" << 10 << "0.5ᵒ";
        QTest::newRow("angle above 179.9") << "200" << QString() << "179.9ᵒ" << 1799 << "18.0ᵒ";
        QTest::newRow("noise a tenth of the angle") << "40" << QString() << "40.0ᵒ" << 400 << "4.0ᵒ";
        QTest::newRow("noise at least 0.5") << "3" << QString() << "3.0ᵒ" << 30 << "0.5ᵒ";
        QTest::newRow("noise at most the angle") << "40"
                                                 << "50"
                                                 << "40.0ᵒ" << 400 << "40.0ᵒ";
        QTest::newRow("typed noise at least 0.5") << "40"
                                                  << "0.2"
                                                  << "40.0ᵒ" << 400 << "0.5ᵒ";
        QTest::newRow("tenths kept exactly") << "2.3"
                                             << "0.7"
                                             << "2.3ᵒ" << 23 << "0.7ᵒ";
    }
    void tiltAngleAndNoiseLimits()
    {
        QFETCH(QString, angle);
        QFETCH(QString, noise);
        QFETCH(QString, shownAngle);
        QFETCH(int, slider);
        QFETCH(QString, shownNoise);
        mouse = plugInMouse(5);
        InputPageHost<Tilt> host;
        QVERIFY(host.show());
        QVERIFY(PageDriver::typeAndFinish(host.page, "doubleSpinBox_angle", angle));
        if (!noise.isEmpty())
            QVERIFY(PageDriver::typeAndFinish(host.page, "doubleSpinBox_noise", noise));
        QCOMPARE(shownText(host.page, "doubleSpinBox_angle"), shownAngle);
        QCOMPARE(shownText(host.page, "horizontalSlider_angle"), QString::number(slider));
        QCOMPARE(shownText(host.page, "doubleSpinBox_noise"), shownNoise);
        auto region = host.build<InputMapAction_Angle>();
        QVERIFY(region);
        QCOMPARE(int(region->entryEnd), 1800 - slider);
        QCOMPARE(int(region->exitEnd - region->entryEnd), int(std::lround(shownNoise.chopped(1).toDouble() * 10)));
    }

    void tiltRangeBoxesKeepTheirOrder()
    {
        mouse = plugInMouse(30);
        InputPageHost<Tilt> host;
        QVERIFY(host.show());
        QVERIFY(PageDriver::pickItem(host.page, "comboBox_tilt_type", "Analog Tilt Left / Right"));
        QCOMPARE(shownText(host.page, "rangeSlider_left"), QString("0 80"));
        QVERIFY(PageDriver::typeAndFinish(host.page, "doubleSpinBox_left_max", "200"));
        QCOMPARE(shownText(host.page, "doubleSpinBox_left_max"), QString("180.0ᵒ"));
        QCOMPARE(shownText(host.page, "rangeSlider_left"), QString("0 1800"));
        QVERIFY(PageDriver::typeAndFinish(host.page, "doubleSpinBox_left_min", "180"));
        QCOMPARE(shownText(host.page, "doubleSpinBox_left_min"), QString("179.9ᵒ"));
        QCOMPARE(shownText(host.page, "rangeSlider_left"), QString("1799 1800"));
        QVERIFY(PageDriver::typeAndFinish(host.page, "doubleSpinBox_right_max", "2.3"));
        QCOMPARE(shownText(host.page, "rangeSlider_right"), QString("0 23"));
        QVERIFY(PageDriver::typeAndFinish(host.page, "doubleSpinBox_right_min", "2.3"));
        QCOMPARE(shownText(host.page, "doubleSpinBox_right_min"), QString("2.2ᵒ"));
        QCOMPARE(shownText(host.page, "rangeSlider_right"), QString("22 23"));
    }

    void tiltAnalogBuildsRanges()
    {
        mouse = plugInMouse(30);
        InputPageHost<Tilt> host;
        QVERIFY(host.show());
        QVERIFY(PageDriver::pickItem(host.page, "comboBox_tilt_type", "Analog Tilt Left / Right"));
        QCOMPARE(shownText(host.page, "label_left"), QString("Tilt Mouse Left"));
        QCOMPARE(shownText(host.page, "label_right"), QString("Tilt Mouse Right"));
        // A drag lands on the tenth under the pointer; the boxes show it.
        auto *left = WidgetDriver::child<RangeSlider>(host.page, "rangeSlider_left");
        QVERIFY(PageDriver::dragHandle(host.page, "rangeSlider_left", true, 600));
        QVERIFY(left->maximumPosition() > 500);
        QCOMPARE(shownText(host.page, "doubleSpinBox_left_max"),
                 QString::number(left->maximumPosition() / 10.0, 'f', 1) + "ᵒ");
        // Exact values are typed.
        for (const char *box : {"doubleSpinBox_left_max", "doubleSpinBox_right_max"})
            QVERIFY(PageDriver::typeAndFinish(host.page, box, "20"));
        for (const char *box : {"doubleSpinBox_left_min", "doubleSpinBox_right_min"})
            QVERIFY(PageDriver::typeAndFinish(host.page, box, "5"));
        QCOMPARE(shownText(host.page, "rangeSlider_left"), QString("50 200"));
        QCOMPARE(shownText(host.page, "rangeSlider_right"), QString("50 200"));
        auto ranges = host.build<InputMapAction_Angle>();
        QVERIFY(ranges);
        QCOMPARE(ranges->inputType, 62);
        QCOMPARE(ranges->axis, 0);
        QCOMPARE(bounds(*ranges), (QList<int>{1600, 1750, 1850, 2000}));
        QCOMPARE(ranges->rangeMode, 4);

        // The mirror: the right side is locked to the left one.
        QVERIFY(WidgetDriver::click(host.page, "checkBox_mirror"));
        QVERIFY(!WidgetDriver::child(host.page, "doubleSpinBox_right_min")->isEnabled());
        QVERIFY(!WidgetDriver::child(host.page, "doubleSpinBox_right_max")->isEnabled());
        QVERIFY(!WidgetDriver::child(host.page, "rangeSlider_right")->isEnabled());
        QCOMPARE(shownText(host.page, "rangeSlider_right"), QString("50 200"));
        QVERIFY(PageDriver::typeAndFinish(host.page, "doubleSpinBox_left_max", "30"));
        QVERIFY(PageDriver::typeAndFinish(host.page, "doubleSpinBox_left_min", "10"));
        QCOMPARE(shownText(host.page, "rangeSlider_right"), QString("100 300"));
        QCOMPARE(shownText(host.page, "doubleSpinBox_right_min"), QString("10.0ᵒ"));
        QCOMPARE(shownText(host.page, "doubleSpinBox_right_max"), QString("30.0ᵒ"));
        // A drag on the left side moves the right one with it.
        QVERIFY(PageDriver::dragHandle(host.page, "rangeSlider_left", true, 900));
        QCOMPARE(shownText(host.page, "rangeSlider_right"), shownText(host.page, "rangeSlider_left"));
        QVERIFY(PageDriver::typeAndFinish(host.page, "doubleSpinBox_left_max", "30"));
        ranges = host.build<InputMapAction_Angle>();
        QCOMPARE(bounds(*ranges), (QList<int>{1500, 1700, 1900, 2100}));
        QCOMPARE(ranges->rangeMode, 3);
        WidgetDriver::grabToPng(&host.window, "tilt-analog-mirrored");
    }

    void tiltRangeLoadShowsBothSides()
    {
        mouse = plugInMouse(30);
        InputPageHost<Tilt> host;
        QVERIFY(host.show());
        host.page->setAngleRange(2, 1700, 1790, 1820, 1900, false);
        QCOMPARE(shownText(host.page, "comboBox_tilt_type"), QString("Analog Pivot Left / Right"));
        QCOMPARE(shownText(host.page, "label_left"), QString("Pivot Mouse Left"));
        QCOMPARE(shownText(host.page, "doubleSpinBox_left_min"), QString("1.0ᵒ"));
        QCOMPARE(shownText(host.page, "doubleSpinBox_left_max"), QString("10.0ᵒ"));
        QCOMPARE(shownText(host.page, "doubleSpinBox_right_min"), QString("2.0ᵒ"));
        QCOMPARE(shownText(host.page, "doubleSpinBox_right_max"), QString("10.0ᵒ"));
        QCOMPARE(shownText(host.page, "checkBox_mirror"), QString("unchecked"));
        auto ranges = host.build<InputMapAction_Angle>();
        QCOMPARE(ranges->axis, 2);
        QCOMPARE(bounds(*ranges), (QList<int>{1700, 1790, 1820, 1900}));
    }
};

QTEST_MAIN(TestInputPages)
#include "tst_inputpages.moc"
