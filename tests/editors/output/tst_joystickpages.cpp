#include "AnalogController.h"
#include "ComboBox.h"
#include "JoystickButtons.h"
#include "PackageCreator.h"
#include "PageChecks.h"
#include "PageDriver.h"
#include "PageSteps.h"
#include "ProcessStateGuard.h"
#include "RangeSlider.h"
#include "RecordBytes.h"
#include "WidgetDriver.h"

#include <QDoubleSpinBox>
#include <QLabel>
#include <QSignalSpy>
#include <QtTest>

#include <memory>
#include <optional>

namespace {

MakePage analog(int axis, bool isForce = false)
{
    return [axis, isForce] { return new AnalogController(axis, isForce); };
}

OutputPtr stick(int axis, int rangeMode, QVector<int> ranges)
{
    auto r = std::make_shared<OutputAction_Joystick>(OutputType::JoystickStick);
    r->stickAxis = axis;
    r->rangeMode = rangeMode;
    r->firstRangeStart = quint16(ranges[0]);
    r->firstRangeEnd = quint16(ranges[1]);
    r->secondRangeStart = quint16(ranges[2]);
    r->secondRangeEnd = quint16(ranges[3]);
    return r;
}

OutputPtr slider(int start, int end)
{
    auto r = std::static_pointer_cast<OutputAction_Joystick>(stick(0, 3, {start, end, 0, 0}));
    r->typeCode = OutputType::JoystickSlider;
    return r;
}

OutputPtr joystickButton(int id, int state)
{
    auto r = std::make_shared<OutputAction_Joystick>(OutputType::JoystickButton);
    r->buttonId = quint8(id);
    r->buttonState = state;
    return r;
}

// Axis and range mode, then the four range values low byte first.
QByteArray stickBytes(const char *fields)
{
    return QByteArray::fromHex(fields);
}

const Step showAdvanced = click("advancedCheck");

} // namespace

class TestJoystickPages : public QObject
{
    Q_OBJECT

    std::optional<ProcessStateGuard> clean;

private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }
    void init()
    {
        clean.emplace();
        PackageCreator::instance()->loading = false;
    }
    void cleanup() { clean.reset(); }

    void joystickButtonPressAsksForRelease()
    {
        PageHost host(new JoystickButtons);
        auto *page = static_cast<JoystickButtons *>(host.page);
        QVERIFY(!page->config());
        QVERIFY(host.show());
        SignalLog log(page);
        QVERIFY(PageDriver::pickItem(page, "buttonCombo", "32"));
        QCOMPARE(page->config()->typeCode, OutputType::JoystickButton);
        QCOMPARE(pageFieldBytes(page->config()).toHex(' '), QByteArray("1f 01"));
        QCOMPARE(log.take(), QStringList{"updated"});
        QVERIFY(PageDriver::pickItem(page, "modeCombo", "Press"));
        QCOMPARE(pageFieldBytes(page->config()).toHex(' '), QByteArray("1f 02"));
        QCOMPARE(log.take(), (QStringList{"autoReleaseAdd", "updated"}));
        QVERIFY(PageDriver::pickItem(page, "modeCombo", "Release"));
        QCOMPARE(pageFieldBytes(page->config()).toHex(' '), QByteArray("1f 00"));
        QCOMPARE(log.take(), QStringList{"updated"});
        QCOMPARE(page->buttonIndex(), 31);
        QCOMPARE(page->modeIndex(), 2);
    }

    void joystickButtonLoads_data()
    {
        QTest::addColumn<OutputPtr>("record");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QByteArray>("afterTap");
        QTest::newRow("button 6 released") << joystickButton(5, 0) << "6"
                                           << "Release" << QByteArray("05 01");
        // A button past 32 stays as it is.
        QTest::newRow("button 40 kept") << joystickButton(39, 2) << ""
                                        << "Press" << QByteArray("27 01");
    }
    void joystickButtonLoads()
    {
        QFETCH(OutputPtr, record);
        QFETCH(QString, button);
        QFETCH(QString, mode);
        QFETCH(QByteArray, afterTap);
        PageHost host(new JoystickButtons);
        QVERIFY(host.show());
        SignalLog log(host.page);
        host.page->load(record);
        QCOMPARE(log.events, QStringList());
        QCOMPARE(PageDriver::shownText(host.page, "buttonCombo"), button);
        QCOMPARE(PageDriver::shownText(host.page, "modeCombo"), mode);
        QVERIFY(PageDriver::pickItem(host.page, "modeCombo", "Tap"));
        QCOMPARE(pageFieldBytes(record).toHex(' '), afterTap);
    }

    void analogEditsReachTheRecord_data()
    {
        QTest::addColumn<MakePage>("makePage");
        QTest::addColumn<Steps>("steps");
        QTest::addColumn<int>("typeCode");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<Shown>("shown");

        // The row saves a page it has just made; a step that saves stands in.
        QTest::newRow("stick defaults") << analog(1) << Steps{showAdvanced} << OutputType::JoystickStick
                                        << stickBytes("0004 0000 f401 f401 e803") << Shown{};
        QTest::newRow("left 20 to 80") << analog(1)
                                       << Steps{showAdvanced, type("leftMinSpin", "20"), type("leftMaxSpin", "80")}
                                       << OutputType::JoystickStick << stickBytes("0004 6400 9001 f401 e803")
                                       << Shown{{"leftSlider", "200 800"}};
        QTest::newRow("right 20 to 80") << analog(1)
                                        << Steps{showAdvanced, type("rightMinSpin", "20"), type("rightMaxSpin", "80")}
                                        << OutputType::JoystickStick << stickBytes("0004 0000 f401 5802 8403")
                                        << Shown{{"rightSlider", "200 800"}};
        QTest::newRow("left Min 90 over Max 80")
            << analog(1) << Steps{showAdvanced, type("leftMaxSpin", "80"), type("leftMinSpin", "90")}
            << OutputType::JoystickStick << stickBytes("0004 6400 6400 f401 e803")
            << Shown{{"leftMinSpin", "79.9"}, {"leftSlider", "799 800"}};
        QTest::newRow("right Max 10 under Min 20")
            << analog(1) << Steps{showAdvanced, type("rightMinSpin", "20"), type("rightMaxSpin", "10")}
            << OutputType::JoystickStick << stickBytes("0004 0000 f401 2502 2602")
            << Shown{{"rightMinSpin", "9.9"}, {"rightMaxSpin", "10.0"}, {"rightSlider", "99 100"}};
        QTest::newRow("mirrored")
            << analog(1)
            << Steps{showAdvanced, click("mirrorCheck"), type("leftMinSpin", "20"), type("leftMaxSpin", "80")}
            << OutputType::JoystickStick << stickBytes("0003 6400 9001 5802 8403")
            << Shown{{"rightMinSpin", "20.0"}, {"rightMaxSpin", "80.0"}, {"rightSlider", "200 800"}};
        QTest::newRow("mirror taken off")
            << analog(1)
            << Steps{showAdvanced, click("mirrorCheck"), type("leftMinSpin", "20"), click("mirrorCheck"),
                     type("rightMaxSpin", "50")}
            << OutputType::JoystickStick << stickBytes("0004 0000 9001 5802 ee02") << Shown{};
        QTest::newRow("forward / back") << analog(2) << Steps{showAdvanced} << OutputType::JoystickStick
                                        << stickBytes("0104 0000 f401 f401 e803")
                                        << Shown{{"actionCombo", "Forward / Back"}, {"leftLabel", "Forward:  "}};
        QTest::newRow("rotate picked") << analog(1) << Steps{pick("actionCombo", "Rotate")} << OutputType::JoystickStick
                                       << stickBytes("0204 0000 f401 f401 e803")
                                       << Shown{{"leftLabel", "Left:  "}, {"rightLabel", "Right:  "}};
        QTest::newRow("slider on a tilt")
            << analog(1) << Steps{pick("typeCombo", "Slider Control"), showAdvanced, type("sliderMaxSpin", "60")}
            << OutputType::JoystickSlider << stickBytes("0003 0000 5802 0000 0000") << Shown{{"sliderRange", "0 600"}};
        QTest::newRow("force 25 to 75") << analog(0, true)
                                        << Steps{showAdvanced, type("sliderMinSpin", "25"), type("sliderMaxSpin", "75")}
                                        << OutputType::JoystickSlider << stickBytes("0003 fa00 ee02 0000 0000")
                                        << Shown{{"typeCombo", "Slider Control"}};
        QTest::newRow("force Max 0 under Min 0")
            << analog(0, true) << Steps{showAdvanced, type("sliderMaxSpin", "0")} << OutputType::JoystickSlider
            << stickBytes("0003 0000 0100 0000 0000") << Shown{{"sliderMaxSpin", "0.1"}};
    }
    void analogEditsReachTheRecord()
    {
        QFETCH(MakePage, makePage);
        QFETCH(Steps, steps);
        QFETCH(int, typeCode);
        QFETCH(QByteArray, bytes);
        QFETCH(Shown, shown);
        PageChecks::editsReachTheRecord(makePage, steps, {typeCode, bytes, shown});
    }

    // With the mirror, a drag of the left range moves the right one along.
    void mirroredRightSideFollowsADrag()
    {
        PageHost host(analog(1)());
        QVERIFY(host.show());
        QVERIFY(perform(&host.window, showAdvanced));
        QVERIFY(perform(&host.window, click("mirrorCheck")));
        auto *left = WidgetDriver::child<RangeSlider>(&host.window, "leftSlider");
        auto *right = WidgetDriver::child<RangeSlider>(&host.window, "rightSlider");
        QVERIFY(!right->isEnabled());
        QVERIFY(!WidgetDriver::child(&host.window, "rightMinSpin")->isEnabled());
        QVERIFY(!PageDriver::dragHandle(&host.window, "rightSlider", false, 500));

        QVERIFY(PageDriver::dragHandle(&host.window, "leftSlider", false, 300));
        QVERIFY(PageDriver::dragHandle(&host.window, "leftSlider", true, 700));
        const int lower = left->minimumValue();
        const int upper = left->maximumValue();
        QVERIFY2(lower > 200 && lower < 400 && upper > 600 && upper < 800,
                 qPrintable(QStringLiteral("%1 %2").arg(lower).arg(upper)));
        QCOMPARE(QPoint(right->minimumValue(), right->maximumValue()), QPoint(lower, upper));
        QCOMPARE(PageDriver::shownText(&host.window, "leftMinSpin"), QString::number(lower / 10.0, 'f', 1));
        QCOMPARE(PageDriver::shownText(&host.window, "rightMaxSpin"), QString::number(upper / 10.0, 'f', 1));
        const auto *r = static_cast<const OutputAction_Joystick *>(host.page->config().get());
        QCOMPARE(r->rangeMode, 3);
        QCOMPARE(QVector<int>({r->firstRangeStart, r->firstRangeEnd, r->secondRangeStart, r->secondRangeEnd}),
                 QVector<int>({(1000 - upper) / 2, (1000 - lower) / 2, (lower + 1000) / 2, (upper + 1000) / 2}));
    }

    void analogControlsFollowTypeAndAdvanced_data()
    {
        QTest::addColumn<MakePage>("makePage");
        QTest::addColumn<Steps>("steps");
        QTest::addColumn<bool>("advanced");
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<QStringList>("hidden");
        QTest::newRow("fresh stick") << analog(1) << Steps{} << false << QStringList{"actionCombo", "advancedCheck"}
                                     << QStringList{"rangesArea", "mirrorCheck", "sliderPositionLabel"};
        QTest::newRow("stick, advanced") << analog(1) << Steps{showAdvanced} << true
                                         << QStringList{"rangesArea", "stickRanges", "mirrorCheck", "actionCombo"}
                                         << QStringList{"sliderArea", "sliderPositionLabel"};
        QTest::newRow("slider, advanced") << analog(1) << Steps{showAdvanced, pick("typeCombo", "Slider Control")}
                                          << true << QStringList{"rangesArea", "sliderArea", "sliderPositionLabel"}
                                          << QStringList{"stickRanges", "mirrorCheck", "actionCombo"};
        QTest::newRow("advanced taken off") << analog(1) << Steps{showAdvanced, showAdvanced} << false
                                            << QStringList{"actionCombo"} << QStringList{"rangesArea", "mirrorCheck"};
        QTest::newRow("force") << analog(0, true) << Steps{showAdvanced} << true
                               << QStringList{"sliderArea", "sliderPositionLabel"}
                               << QStringList{"stickRanges", "mirrorCheck", "actionCombo"};
    }
    void analogControlsFollowTypeAndAdvanced()
    {
        QFETCH(MakePage, makePage);
        QFETCH(Steps, steps);
        QFETCH(bool, advanced);
        QFETCH(QStringList, shown);
        QFETCH(QStringList, hidden);
        PageHost host(makePage());
        QVERIFY(host.show());
        QVERIFY(performAll(&host.window, steps));
        QVERIFY(host.page->hasExtraRow());
        QCOMPARE(host.page->isAdvanced(), advanced);
        for (const QString &name : shown)
            QVERIFY2(WidgetDriver::child(&host.window, name)->isVisible(), qPrintable(name));
        for (const QString &name : hidden)
            QVERIFY2(!WidgetDriver::child(&host.window, name)->isVisible(), qPrintable(name));
    }

    void forceOffersOnlyTheSlider()
    {
        PageHost host(analog(0, true)());
        QVERIFY(host.show());
        QCOMPARE(PageDriver::popupTexts(WidgetDriver::child<ComboBox>(host.page, "typeCombo")),
                 QStringList{"Slider Control"});
        PageHost tilt(analog(3)());
        QVERIFY(tilt.show());
        QCOMPARE(PageDriver::popupTexts(WidgetDriver::child<ComboBox>(tilt.page, "typeCombo")),
                 (QStringList{"Main Stick", "Slider Control"}));
        QCOMPARE(PageDriver::shownText(tilt.page, "actionCombo"), QStringLiteral("Rotate"));
    }

    void analogLoads_data()
    {
        QTest::addColumn<MakePage>("makePage");
        QTest::addColumn<OutputPtr>("record");
        QTest::addColumn<Shown>("shown");
        QTest::addColumn<QStringList>("hidden");
        QTest::addColumn<Steps>("steps");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("mirrored stick") << analog(1) << stick(1, 3, {100, 400, 600, 900})
                                        << Shown{{"typeCombo", "Main Stick"}, {"actionCombo", "Forward / Back"},
                                                 {"leftMinSpin", "20.0"},     {"leftMaxSpin", "80.0"},
                                                 {"rightMinSpin", "20.0"},    {"leftSlider", "200 800"},
                                                 {"mirrorCheck", "checked"},  {"leftLabel", "Forward:  "}}
                                        << QStringList{"sliderArea"} << Steps{showAdvanced, type("leftMaxSpin", "90")}
                                        << stickBytes("0103 3200 9001 5802 b603");
        QTest::newRow("two ranges") << analog(1) << stick(2, 4, {0, 250, 700, 1000})
                                    << Shown{{"leftMinSpin", "50.0"},
                                             {"leftMaxSpin", "100.0"},
                                             {"rightMinSpin", "40.0"},
                                             {"rightSlider", "400 1000"},
                                             {"mirrorCheck", "unchecked"}}
                                    << QStringList{} << Steps{showAdvanced, type("rightMinSpin", "30")}
                                    << stickBytes("0204 0000 fa00 8a02 e803");
        QTest::newRow("slider on a tilt")
            << analog(1) << slider(250, 750)
            << Shown{{"typeCombo", "Slider Control"},
                     {"sliderMinSpin", "25.0"},
                     {"sliderMaxSpin", "75.0"},
                     {"sliderRange", "250 750"}}
            << QStringList{"stickRanges", "actionCombo"} << Steps{showAdvanced, type("sliderMinSpin", "30")}
            << stickBytes("0003 2c01 ee02 0000 0000");
        QTest::newRow("slider on a force")
            << analog(0, true) << slider(0, 500) << Shown{{"typeCombo", "Slider Control"}, {"sliderMaxSpin", "50.0"}}
            << QStringList{"stickRanges"} << Steps{} << stickBytes("0003 0000 f401 0000 0000");
    }
    void analogLoads()
    {
        QFETCH(MakePage, makePage);
        QFETCH(OutputPtr, record);
        QFETCH(Shown, shown);
        QFETCH(QStringList, hidden);
        QFETCH(Steps, steps);
        QFETCH(QByteArray, bytes);
        PageChecks::loadShowsTheRecord(makePage, record, 0, shown, hidden, steps, bytes);
    }

    void loadingFlagKeepsLoadedRecords_data()
    {
        QTest::addColumn<MakePage>("makePage");
        QTest::addColumn<OutputPtr>("record");
        QTest::addColumn<Steps>("steps");
        QTest::newRow("button") << make<JoystickButtons>() << joystickButton(3, 1)
                                << Steps{pick("buttonCombo", "9"), pick("modeCombo", "Press")};
        QTest::newRow("stick") << analog(1) << stick(0, 4, {0, 500, 500, 1000})
                               << Steps{showAdvanced, click("mirrorCheck"), type("leftMinSpin", "40"),
                                        pick("typeCombo", "Slider Control")};
    }
    void loadingFlagKeepsLoadedRecords()
    {
        QFETCH(MakePage, makePage);
        QFETCH(OutputPtr, record);
        QFETCH(Steps, steps);
        PageChecks::loadingFlagKeepsTheRecord(makePage, record, steps);
    }

    void pagesLookRight_data()
    {
        QTest::addColumn<MakePage>("makePage");
        QTest::addColumn<Steps>("steps");
        QTest::newRow("joystick-button") << make<JoystickButtons>() << Steps{pick("modeCombo", "Press")};
        QTest::newRow("stick") << analog(1) << Steps{};
        QTest::newRow("stick-advanced-mirrored")
            << analog(1)
            << Steps{showAdvanced, click("mirrorCheck"), type("leftMinSpin", "20"), type("leftMaxSpin", "80")};
        QTest::newRow("slider-advanced") << analog(0, true) << Steps{showAdvanced, type("sliderMinSpin", "25")};
    }
    void pagesLookRight()
    {
        QFETCH(MakePage, makePage);
        QFETCH(Steps, steps);
        PageChecks::grabPage(makePage, steps);
    }
};

QTEST_MAIN(TestJoystickPages)
#include "tst_joystickpages.moc"
