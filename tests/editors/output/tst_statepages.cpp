#include "ComboBox.h"
#include "ConnectedMouse.h"
#include "OutputBuilders.h"
#include "PackageCreator.h"
#include "PageChecks.h"
#include "PageDriver.h"
#include "PageSteps.h"
#include "ProcessStateGuard.h"
#include "ProfileChange.h"
#include "RecordBytes.h"
#include "SharedConstants.h"
#include "SimulatedMouse.h"
#include "TiltAngles.h"
#include "TrackingDpi.h"
#include "TrackingLift.h"
#include "Vibration.h"
#include "WidgetDriver.h"

#include <QSignalSpy>
#include <QSlider>
#include <QtTest>

#include <memory>
#include <optional>

namespace {

// The mouse a case runs with; the DPI page reads its sensor when it is made.
enum Mouse { NoMouse, DefaultSensor, FineSensor };

OutputPtr profileJump(int index, int subIndex, const QString &name)
{
    auto r = std::make_shared<OutputAction_Profile>(OutputType::ProfileJump);
    r->profileIndex = quint8(index);
    r->subProfileIndex = quint8(subIndex);
    r->profileName = name;
    return r;
}

OutputPtr profileMove(int kind)
{
    auto r = std::make_shared<OutputAction_Profile>(OutputType::ProfileSelect);
    r->profileSelection = kind;
    return r;
}

OutputPtr tilt(int axis)
{
    auto r = std::make_shared<OutputAction_Tilts>(OutputType::TiltReset);
    r->tiltAxis = axis;
    return r;
}

OutputPtr liftOff(int level)
{
    auto r = std::make_shared<OutputAction_Tracking>(OutputType::LiftOff);
    r->liftOffLevel = level;
    return r;
}

OutputPtr haptic(int strength, int hundredths, int option)
{
    auto r = std::make_shared<OutputAction_Haptic>(OutputType::Haptic);
    r->strength = quint8(strength);
    r->duration.setValue(hundredths);
    r->hapticOption = option;
    return r;
}

// A DPI page made while the edited profile has that many DPI levels.
MakePage dpiPage(int levels = 3)
{
    return [levels] {
        PackageCreator::instance()->currentProfile()->dpiRecord.levelCount = quint8(levels);
        return new TrackingDpi;
    };
}

QByteArray hex(const char *text)
{
    return QByteArray::fromHex(text);
}

// The field bytes of a profile record: index, sub-index, move kind, name.
QByteArray profileBytes(const char *fields, const QString &name)
{
    return hex(fields) + name.toUtf8();
}

} // namespace

Q_DECLARE_METATYPE(Mouse)

class TestStatePages : public QObject
{
    Q_OBJECT

    std::optional<ProcessStateGuard> clean;
    std::unique_ptr<ConnectedMouse> mouse;

    static PackageCreator *store() { return PackageCreator::instance(); }

    void plugIn(Mouse kind)
    {
        if (kind == NoMouse)
            return;
        mouse = std::make_unique<ConnectedMouse>(20, 32768, kind == FineSensor ? 1 : 0);
        // The sensor also reports its step.
        if (kind == FineSensor)
            mouse->mouse()->setDpiStep(50);
        mouse->connect();
    }

private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }
    // The store holds "Work" with its sub-profile "Work Sub", and "Game";
    // "Work" is edited.
    void init()
    {
        clean.emplace();
        ProfileData *work = store()->addProfile(1, 255, "Work");
        store()->addProfile(1, 0, "Work Sub");
        store()->addProfile(2, 255, "Game");
        store()->setCurrentProfile(work);
        store()->loading = false;
    }
    void cleanup()
    {
        mouse.reset();
        clean.reset();
    }

    void userEditsReachTheRecord_data()
    {
        QTest::addColumn<Mouse>("mouseKind");
        QTest::addColumn<MakePage>("makePage");
        QTest::addColumn<Steps>("steps");
        QTest::addColumn<int>("typeCode");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<Shown>("shown");
        QTest::addColumn<QStringList>("hidden");

        QTest::newRow("next profile") << NoMouse << make<ProfileChange>() << Steps{pick("actionCombo", "Next Profile")}
                                      << OutputType::ProfileSelect << profileBytes("ffff01", "Global") << Shown{}
                                      << QStringList{"profileCombo"};
        QTest::newRow("go to sub-profiles")
            << NoMouse << make<ProfileChange>() << Steps{pick("actionCombo", "Go to Sub-Profiles")}
            << OutputType::ProfileSelect << profileBytes("ffff04", "Global") << Shown{} << QStringList{"profileCombo"};
        QTest::newRow("go to Work Sub") << NoMouse << make<ProfileChange>() << Steps{pick("profileCombo", "Work Sub")}
                                        << OutputType::ProfileJump << profileBytes("010000", "Work Sub") << Shown{}
                                        << QStringList{};
        QTest::newRow("back to going to a profile")
            << NoMouse << make<ProfileChange>()
            << Steps{pick("profileCombo", "Game"), pick("actionCombo", "Go to Parent"),
                     pick("actionCombo", "Go to Profile")}
            << OutputType::ProfileJump << profileBytes("02ff03", "Game") << Shown{{"profileCombo", "Game"}}
            << QStringList{};

        QTest::newRow("pivot") << NoMouse << make<TiltAngles>() << Steps{pick("axisCombo", "Pivot (Yaw)")}
                               << OutputType::TiltReset << hex("04") << Shown{} << QStringList{};
        QTest::newRow("tilt again") << NoMouse << make<TiltAngles>()
                                    << Steps{pick("axisCombo", "Pivot (Yaw)"), pick("axisCombo", "Tilt (Roll / Pitch)")}
                                    << OutputType::TiltReset << hex("03") << Shown{} << QStringList{};
        QTest::newRow("lift-off maximum") << NoMouse << make<TrackingLift>() << Steps{pick("levelCombo", "Maximum")}
                                          << OutputType::LiftOff << hex("03") << Shown{} << QStringList{};

        const QStringList levelOnly{"valueSlider", "valueSpin", "incrementCombo"};
        const QStringList valueOnly{"incrementCombo", "levelCombo"};
        QTest::newRow("step 50: 1525 snaps to 1500")
            << FineSensor << dpiPage() << Steps{type("valueSpin", "1525")} << OutputType::DpiSelect << hex("06dc05")
            << Shown{{"valueSpin", "1500"}, {"valueSlider", "1500"}} << valueOnly;
        QTest::newRow("step 50: 30 becomes 50")
            << FineSensor << dpiPage() << Steps{type("valueSpin", "30")} << OutputType::DpiSelect << hex("063200")
            << Shown{{"valueSpin", "50"}} << valueOnly;
        QTest::newRow("step 50: 30000 becomes 26000")
            << FineSensor << dpiPage() << Steps{type("valueSpin", "30000")} << OutputType::DpiSelect << hex("069065")
            << Shown{{"valueSpin", "26000"}, {"valueSlider", "26000"}} << valueOnly;
        QTest::newRow("step 50: 1575 snaps to 1550")
            << FineSensor << dpiPage() << Steps{type("valueSpin", "1575")} << OutputType::DpiSelect << hex("060e06")
            << Shown{{"valueSpin", "1550"}} << valueOnly;
        QTest::newRow("no mouse: 1575 snaps to 1500")
            << NoMouse << dpiPage() << Steps{type("valueSpin", "1575")} << OutputType::DpiSelect << hex("06dc05")
            << Shown{{"valueSpin", "1500"}} << valueOnly;
        QTest::newRow("default sensor: 30000 becomes 12000")
            << DefaultSensor << dpiPage() << Steps{type("valueSpin", "30000")} << OutputType::DpiSelect << hex("06e02e")
            << Shown{{"valueSpin", "12000"}} << valueOnly;
        QTest::newRow("step 50: increase by 50")
            << FineSensor << dpiPage() << Steps{pick("modeCombo", "Increase DPI")} << OutputType::DpiSelect
            << hex("073200") << Shown{{"incrementCombo", "50"}} << QStringList{"valueSpin", "levelCombo"};
        QTest::newRow("decrease by 300") << NoMouse << dpiPage()
                                         << Steps{pick("modeCombo", "Decrease DPI"), pick("incrementCombo", "300")}
                                         << OutputType::DpiSelect << hex("082c01") << Shown{}
                                         << QStringList{"valueSpin", "levelCombo"};
        QTest::newRow("set DPI level 3") << NoMouse << dpiPage()
                                         << Steps{pick("modeCombo", "Set DPI Level"), pick("levelCombo", "3")}
                                         << OutputType::DpiSelect << hex("050200") << Shown{} << levelOnly;
        QTest::newRow("next DPI level keeps the value")
            << NoMouse << dpiPage() << Steps{type("valueSpin", "2400"), pick("modeCombo", "Next DPI Level")}
            << OutputType::DpiSelect << hex("016009") << Shown{} << (levelOnly + QStringList{"levelCombo"});
        QTest::newRow("previous DPI level") << NoMouse << dpiPage() << Steps{pick("modeCombo", "Previous DPI Level")}
                                            << OutputType::DpiSelect << hex("02dc05") << Shown{} << QStringList{};
        QTest::newRow("set value after a level")
            << NoMouse << dpiPage()
            << Steps{pick("modeCombo", "Set DPI Level"), pick("levelCombo", "2"), pick("modeCombo", "Set DPI Value")}
            << OutputType::DpiSelect << hex("06dc05") << Shown{} << valueOnly;

        // Vibration: strength, duration (high byte first), option.
        QTest::newRow("vibration 120 %") << NoMouse << make<Vibration>() << Steps{type("strengthSpin", "120")}
                                         << OutputType::Haptic << hex("64000700") << Shown{{"strengthSlider", "120"}}
                                         << QStringList{};
        QTest::newRow("vibration 50 %") << NoMouse << make<Vibration>() << Steps{type("strengthSpin", "50")}
                                        << OutputType::Haptic << hex("2a000700") << Shown{{"strengthSlider", "50"}}
                                        << QStringList{};
        QTest::newRow("vibration 150 % typed")
            << NoMouse << make<Vibration>() << Steps{type("strengthSpin", "150")} << OutputType::Haptic
            << hex("64000700") << Shown{{"strengthSpin", "120 %"}} << QStringList{};
        QTest::newRow("vibration 10 s") << NoMouse << make<Vibration>() << Steps{type("durationSpin", "10")}
                                        << OutputType::Haptic << hex("5303e800") << Shown{{"durationSlider", "100"}}
                                        << QStringList{};
        QTest::newRow("vibration 15 s typed")
            << NoMouse << make<Vibration>() << Steps{type("durationSpin", "15")} << OutputType::Haptic
            << hex("5303e800") << Shown{{"durationSpin", "10.00s"}} << QStringList{};
        QTest::newRow("vibration 0.29 s")
            << NoMouse << make<Vibration>() << Steps{type("durationSpin", "0.29")} << OutputType::Haptic
            << hex("53001d00") << Shown{{"durationSlider", "2"}} << QStringList{};
        QTest::newRow("vibration 2.3 s") << NoMouse << make<Vibration>() << Steps{type("durationSpin", "2.3")}
                                         << OutputType::Haptic << hex("5300e600") << Shown{{"durationSlider", "23"}}
                                         << QStringList{};
        QTest::newRow("vibration wait") << NoMouse << make<Vibration>() << Steps{pick("waitCombo", "Wait...")}
                                        << OutputType::Haptic << hex("53000780") << Shown{} << QStringList{};
    }
    void userEditsReachTheRecord()
    {
        QFETCH(Mouse, mouseKind);
        QFETCH(MakePage, makePage);
        QFETCH(Steps, steps);
        QFETCH(int, typeCode);
        QFETCH(QByteArray, bytes);
        QFETCH(Shown, shown);
        QFETCH(QStringList, hidden);
        plugIn(mouseKind);
        PageChecks::editsReachTheRecord(makePage, steps, {typeCode, bytes, shown, hidden});
    }

    void freshPagesHoldStartRecords_data()
    {
        QTest::addColumn<MakePage>("makePage");
        QTest::addColumn<int>("typeCode");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("go to Global") << make<ProfileChange>() << OutputType::ProfileJump
                                      << profileBytes("ffff00", "Global");
        QTest::newRow("tilt") << make<TiltAngles>() << OutputType::TiltReset << hex("03");
        QTest::newRow("set 1500 DPI") << dpiPage() << OutputType::DpiSelect << hex("06dc05");
        QTest::newRow("lift-off minimum") << make<TrackingLift>() << OutputType::LiftOff << hex("02");
    }
    // Also while the store's loading flag is set: the page's own record is in
    // no list yet.
    void freshPagesHoldStartRecords()
    {
        QFETCH(MakePage, makePage);
        QFETCH(int, typeCode);
        QFETCH(QByteArray, bytes);
        PageChecks::freshPageHoldsItsRecord(makePage, typeCode, bytes);
    }

    void vibrationMakesItsRecordWhenFirstSaved()
    {
        PageHost host(new Vibration);
        QVERIFY(!host.page->config());
        QVERIFY(host.page->hasExtraRow());
        QVERIFY(!host.page->isAdvanced());
        QVERIFY(host.page->extraRowWidget());
        QCOMPARE(PageDriver::shownText(&host.window, "strengthSpin"), QStringLiteral("100 %"));
        QCOMPARE(PageDriver::shownText(&host.window, "durationSpin"), QStringLiteral("0.07s"));
        QCOMPARE(PageDriver::shownText(&host.window, "durationSlider"), QStringLiteral("0"));
        host.page->ensureConfig();
        const OutputPtr record = host.page->config();
        QCOMPARE(record->typeCode, OutputType::Haptic);
        QCOMPARE(pageFieldBytes(record).toHex(' '), QByteArray("00 00 00 00"));
        host.page->save();
        QCOMPARE(host.page->config(), record);
        QCOMPARE(pageFieldBytes(record).toHex(' '), QByteArray("53 00 07 00"));

        // The row shows and hides both lines.
        QVERIFY(host.show());
        host.page->hide();
        QVERIFY(host.page->extraRowWidget()->isHidden());
        host.page->show();
        QVERIFY(host.page->extraRowWidget()->isVisible());
    }

    void loadSetsControls_data()
    {
        QTest::addColumn<Mouse>("mouseKind");
        QTest::addColumn<MakePage>("makePage");
        QTest::addColumn<OutputPtr>("record");
        QTest::addColumn<int>("updatesOnLoad");
        QTest::addColumn<Shown>("shown");
        QTest::addColumn<Steps>("steps");
        QTest::addColumn<QByteArray>("bytes");

        QTest::newRow("go to Global") << NoMouse << make<ProfileChange>() << profileJump(255, 255, "Global") << 1
                                      << Shown{{"actionCombo", "Go to Profile"}, {"profileCombo", "Global"}} << Steps{}
                                      << profileBytes("ffff00", "Global");
        QTest::newRow("go to Game") << NoMouse << make<ProfileChange>() << profileJump(2, 255, "Game") << 1
                                    << Shown{{"profileCombo", "Game"}} << Steps{pick("profileCombo", "Work")}
                                    << profileBytes("01ff00", "Work");
        QTest::newRow("go to parent") << NoMouse << make<ProfileChange>() << profileMove(3) << 1
                                      << Shown{{"actionCombo", "Go to Parent"}} << Steps{}
                                      << profileBytes("ffff03", QString());
        // A profile deleted since: the target stays until the user picks one.
        QTest::newRow("go to a deleted profile")
            << NoMouse << make<ProfileChange>() << profileJump(3, 255, "Gone") << 1 << Shown{{"profileCombo", ""}}
            << Steps{pick("profileCombo", "Game")} << profileBytes("02ff00", "Game");
        QTest::newRow("move kind the page lacks")
            << NoMouse << make<ProfileChange>() << profileMove(9) << 1 << Shown{{"actionCombo", ""}}
            << Steps{pick("actionCombo", "Next Profile")} << profileBytes("ffff01", QString());

        QTest::newRow("pivot") << NoMouse << make<TiltAngles>() << tilt(4) << 0 << Shown{{"axisCombo", "Pivot (Yaw)"}}
                               << Steps{} << hex("04");
        QTest::newRow("lift-off maximum") << NoMouse << make<TrackingLift>() << liftOff(3) << 0
                                          << Shown{{"levelCombo", "Maximum"}} << Steps{} << hex("03");
        QTest::newRow("lift-off unknown level")
            << NoMouse << make<TrackingLift>() << liftOff(7) << 0 << Shown{{"levelCombo", "Maximum"}}
            << Steps{pick("levelCombo", "Minimum")} << hex("02");

        QTest::newRow("DPI 2400") << NoMouse << dpiPage() << dpi(6, 2400) << 1
                                  << Shown{{"modeCombo", "Set DPI Value"}, {"valueSpin", "2400"}} << Steps{}
                                  << hex("066009");
        QTest::newRow("decrease by 200") << NoMouse << dpiPage() << dpi(8, 200) << 1
                                         << Shown{{"modeCombo", "Decrease DPI"}, {"incrementCombo", "200"}} << Steps{}
                                         << hex("08c800");
        QTest::newRow("level 2") << NoMouse << dpiPage() << dpi(5, 1) << 1
                                 << Shown{{"modeCombo", "Set DPI Level"}, {"levelCombo", "2"}} << Steps{}
                                 << hex("050100");
        QTest::newRow("previous level") << NoMouse << dpiPage() << dpi(2, 0) << 1
                                        << Shown{{"modeCombo", "Previous DPI Level"}} << Steps{} << hex("020000");
        // What the controls cannot show is kept as loaded (a duplicate or a
        // drop into another list loads without the loading flag).
        QTest::newRow("20000 DPI with no mouse")
            << NoMouse << dpiPage() << dpi(6, 20000) << 1 << Shown{{"valueSpin", "20000"}}
            << Steps{pick("modeCombo", "Next DPI Level")} << hex("01204e");
        QTest::newRow("20000 DPI with a 12000 DPI model")
            << DefaultSensor << dpiPage() << dpi(6, 20000) << 1 << Shown{{"valueSpin", "20000"}}
            << Steps{type("valueSpin", "20000")} << hex("06e02e");
        QTest::newRow("increase by 1") << FineSensor << dpiPage() << dpi(7, 1) << 1 << Shown{{"incrementCombo", ""}}
                                       << Steps{pick("incrementCombo", "100")} << hex("076400");
        QTest::newRow("level 4 of two") << NoMouse << dpiPage(2) << dpi(5, 3) << 1 << Shown{{"levelCombo", ""}}
                                        << Steps{pick("levelCombo", "2")} << hex("050100");
        QTest::newRow("level 4 of two, mode switched")
            << NoMouse << dpiPage(2) << dpi(5, 3) << 1 << Shown{}
            << Steps{pick("modeCombo", "Increase DPI"), pick("modeCombo", "Set DPI Level")} << hex("050000");
        QTest::newRow("selection the page lacks")
            << NoMouse << dpiPage() << dpi(3, 7) << 1 << Shown{{"modeCombo", ""}} << Steps{} << hex("030700");

        QTest::newRow("vibration 83 shows 100 %") << NoMouse << make<Vibration>() << haptic(83, 150, 0) << 0
                                                  << Shown{{"strengthSpin", "100 %"},
                                                           {"strengthSlider", "100"},
                                                           {"durationSpin", "1.50s"},
                                                           {"durationSlider", "15"},
                                                           {"waitCombo", "Continue"}}
                                                  << Steps{} << hex("53009600");
        QTest::newRow("vibration waits") << NoMouse << make<Vibration>() << haptic(100, 7, 128) << 0
                                         << Shown{{"strengthSpin", "120 %"}, {"waitCombo", "Wait..."}} << Steps{}
                                         << hex("64000780");
        QTest::newRow("vibration 0.29 s stays 29")
            << NoMouse << make<Vibration>() << haptic(50, 29, 0) << 0 << Shown{{"durationSpin", "0.29s"}}
            << Steps{pick("waitCombo", "Wait...")} << hex("32001d80");
    }
    void loadSetsControls()
    {
        QFETCH(Mouse, mouseKind);
        QFETCH(MakePage, makePage);
        QFETCH(OutputPtr, record);
        QFETCH(int, updatesOnLoad);
        QFETCH(Shown, shown);
        QFETCH(Steps, steps);
        QFETCH(QByteArray, bytes);
        plugIn(mouseKind);
        PageChecks::loadShowsTheRecord(makePage, record, updatesOnLoad, shown, {}, steps, bytes);
    }

    void loadingFlagKeepsLoadedRecords_data()
    {
        QTest::addColumn<MakePage>("makePage");
        QTest::addColumn<OutputPtr>("record");
        QTest::addColumn<Steps>("steps");
        QTest::newRow("profile") << make<ProfileChange>() << profileJump(2, 255, "Game")
                                 << Steps{pick("actionCombo", "Next Profile")};
        QTest::newRow("tilt") << make<TiltAngles>() << tilt(3) << Steps{pick("axisCombo", "Pivot (Yaw)")};
        QTest::newRow("lift-off") << make<TrackingLift>() << liftOff(2) << Steps{pick("levelCombo", "Maximum")};
        QTest::newRow("DPI") << dpiPage() << dpi(6, 1550)
                             << Steps{type("valueSpin", "20"), pick("modeCombo", "Set DPI Level")};
        QTest::newRow("vibration") << make<Vibration>() << haptic(10, 20, 0)
                                   << Steps{type("strengthSpin", "90"), type("durationSpin", "3")};
    }
    void loadingFlagKeepsLoadedRecords()
    {
        QFETCH(MakePage, makePage);
        QFETCH(OutputPtr, record);
        QFETCH(Steps, steps);
        PageChecks::loadingFlagKeepsTheRecord(makePage, record, steps);
    }

    // The sequence refreshes go-to-profile rows after the profiles changed;
    // the row has shown the page after each save, as it does.
    void profileRefreshAfterAnInsertion_data()
    {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<int>("newIndex");
        QTest::addColumn<int>("newSubIndex");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QByteArray>("bytes");
        // "Early" (0) goes before "Work": "Work" now sits where "Work Sub" was.
        QTest::newRow("sub-profile's place taken by a top-level profile")
            << "Work Sub" << 0 << 255 << globalProfileName << profileBytes("ffff00", "Global");
        QTest::newRow("top-level profile's place taken by a top-level profile")
            << "Work" << 0 << 255 << "Early" << profileBytes("00ff00", "Early");
        QTest::newRow("nothing inserted") << "Work Sub" << -1 << -1 << "Work Sub" << profileBytes("010000", "Work Sub");
        QTest::newRow("profile inserted after the chosen one")
            << "Work" << 3 << 255 << "Work" << profileBytes("01ff00", "Work");
    }
    void profileRefreshAfterAnInsertion()
    {
        QFETCH(QString, chosen);
        QFETCH(int, newIndex);
        QFETCH(int, newSubIndex);
        QFETCH(QString, shown);
        QFETCH(QByteArray, bytes);
        PageHost host(new ProfileChange);
        auto *page = static_cast<ProfileChange *>(host.page);
        QVERIFY(host.show());
        QVERIFY(PageDriver::pickItem(&host.window, "profileCombo", chosen));
        page->show();
        if (newIndex >= 0)
            store()->addProfile(newIndex, newSubIndex, "Early");
        QSignalSpy updated(page, &oawidget::updated);
        page->refreshAndSave();
        QCOMPARE(updated.count(), 1);
        QCOMPARE(PageDriver::shownText(&host.window, "profileCombo"), shown);
        QCOMPARE(pageFieldBytes(page->config()).toHex(' '), bytes.toHex(' '));
        QCOMPARE(PageDriver::popupTexts(WidgetDriver::child<ComboBox>(page, "profileCombo")).size(),
                 newIndex >= 0 ? 5 : 4);
    }

    // Showing the page refreshes the list; a selection past the new end
    // falls back to "Global" without saving.
    void profileListFollowsTheStore()
    {
        PageHost host(new ProfileChange);
        auto *page = static_cast<ProfileChange *>(host.page);
        QVERIFY(host.show());
        auto *combo = WidgetDriver::child<ComboBox>(page, "profileCombo");
        QCOMPARE(PageDriver::popupTexts(combo), (QStringList{"Global", "Work", "Work Sub", "Game"}));
        QVERIFY(PageDriver::pickItem(page, "profileCombo", "Game"));
        const QList<ProfileData *> profiles = store()->profiles();
        store()->removeProfile(profiles.last());
        QSignalSpy updated(page, &oawidget::updated);
        page->show();
        QCOMPARE(PageDriver::popupTexts(combo), (QStringList{"Global", "Work", "Work Sub"}));
        QCOMPARE(PageDriver::shownText(page, "profileCombo"), globalProfileName);
        QCOMPARE(updated.count(), 0);
        QCOMPARE(pageFieldBytes(page->config()).toHex(' '), profileBytes("02ff00", "Game").toHex(' '));
    }

    void dpiIncrementsFollowTheSensor_data()
    {
        QTest::addColumn<Mouse>("mouseKind");
        QTest::addColumn<QStringList>("increments");
        QTest::addColumn<QPoint>("sliderRange");
        QTest::newRow("step 50") << FineSensor << QStringList{"50", "100", "200", "300", "400", "500"}
                                 << QPoint(50, 26000);
        QTest::newRow("step 100") << DefaultSensor << QStringList{"100", "200", "300", "400", "500"}
                                  << QPoint(100, 12000);
    }
    void dpiIncrementsFollowTheSensor()
    {
        QFETCH(Mouse, mouseKind);
        QFETCH(QStringList, increments);
        QFETCH(QPoint, sliderRange);
        plugIn(mouseKind);
        PageHost host(dpiPage()());
        QVERIFY(host.show());
        QVERIFY(PageDriver::pickItem(host.page, "modeCombo", "Increase DPI"));
        QCOMPARE(PageDriver::popupTexts(WidgetDriver::child<ComboBox>(host.page, "incrementCombo")), increments);
        auto *slider = WidgetDriver::child<QSlider>(host.page, "valueSlider");
        QCOMPARE(QPoint(slider->minimum(), slider->maximum()), sliderRange);
        QCOMPARE(slider->singleStep(), sliderRange.x());

        // The slider moves by the step; the box and the record follow.
        QVERIFY(PageDriver::pickItem(host.page, "modeCombo", "Set DPI Value"));
        slider->setFocus();
        QTest::keyClick(slider, Qt::Key_Right);
        const int expected = 1500 + sliderRange.x();
        QCOMPARE(PageDriver::shownText(host.page, "valueSpin"), QString::number(expected));
        QCOMPARE(std::static_pointer_cast<OutputAction_Tracking>(host.page->config())->dpiValue, expected);
    }

    void dpiLevelsFollowTheProfile()
    {
        PageHost host(dpiPage(3)());
        QVERIFY(host.show());
        auto *levels = WidgetDriver::child<ComboBox>(host.page, "levelCombo");
        QVERIFY(PageDriver::pickItem(host.page, "modeCombo", "Set DPI Level"));
        QCOMPARE(PageDriver::popupTexts(levels), (QStringList{"1", "2", "3"}));
        QVERIFY(PageDriver::pickItem(host.page, "levelCombo", "3"));

        ProfileData *work = store()->currentProfile();
        work->dpiRecord.levelCount = 5;
        host.page->show();
        QCOMPARE(PageDriver::popupTexts(levels), (QStringList{"1", "2", "3", "4", "5"}));
        QCOMPARE(PageDriver::shownText(host.page, "levelCombo"), QStringLiteral("3"));

        // Fewer levels than the chosen one: no row, the level is kept.
        work->dpiRecord.levelCount = 2;
        host.page->show();
        QCOMPARE(PageDriver::shownText(host.page, "levelCombo"), QString());
        host.page->save();
        QCOMPARE(pageFieldBytes(host.page->config()).toHex(' '), QByteArray("05 02 00"));

        // A profile without levels still offers one; a deleted profile too.
        work->dpiRecord.levelCount = 0;
        host.page->show();
        QCOMPARE(PageDriver::popupTexts(levels), QStringList{"1"});
        store()->removeProfile(work);
        host.page->show();
        QCOMPARE(PageDriver::popupTexts(levels), QStringList{"1"});
    }

    void wheelLeavesValuesAlone_data()
    {
        QTest::addColumn<MakePage>("makePage");
        QTest::addColumn<QString>("widget");
        QTest::newRow("DPI slider") << dpiPage() << "valueSlider";
        QTest::newRow("DPI box") << dpiPage() << "valueSpin";
        QTest::newRow("strength slider") << make<Vibration>() << "strengthSlider";
        QTest::newRow("duration slider") << make<Vibration>() << "durationSlider";
    }
    void wheelLeavesValuesAlone()
    {
        QFETCH(MakePage, makePage);
        QFETCH(QString, widget);
        PageHost host(makePage());
        QVERIFY(host.show());
        const QString before = PageDriver::shownText(&host.window, widget);
        SignalLog log(host.page);
        QVERIFY(PageDriver::turnWheel(&host.window, widget, 3));
        QVERIFY(PageDriver::turnWheel(&host.window, widget, -5));
        QCOMPARE(PageDriver::shownText(&host.window, widget), before);
        QCOMPARE(log.events, QStringList());
    }

    // The bar turns red at the 100 % mark.
    void strengthSliderColours_data()
    {
        QTest::addColumn<int>("strength");
        QTest::addColumn<QString>("style");
        const QString rule = "QSlider::%1-page:horizontal { background: qlineargradient(spread:pad, x1:%2, "
                             "y1:0.50000, x2:%3, y2:0.50000, stop:0 %4, stop:1 %5); }";
        QTest::newRow("60 %") << 60
                              << rule.arg("sub", "0.00000", "0.00100", "#ffd400", "#ffd400") + "\n"
                                     + rule.arg("add", "0.64667", "0.64767", "#b3b3b3", "#ff5959");
        QTest::newRow("0 %") << 0
                             << rule.arg("sub", "0.00000", "0.00100", "#ffd400", "#ffd400") + "\n"
                                    + rule.arg("add", "0.81333", "0.81433", "#b3b3b3", "#ff5959");
        QTest::newRow("100 %") << 100
                               << rule.arg("sub", "1.01200", "1.01300", "#ffd400", "#ff5959") + "\n"
                                      + rule.arg("add", "0.00000", "0.00100", "#b3b3b3", "#ff5959");
        QTest::newRow("120 %") << 120
                               << rule.arg("sub", "0.84533", "0.84633", "#ffd400", "#ff5959") + "\n"
                                      + rule.arg("add", "0.00000", "0.00100", "#b3b3b3", "#ff5959");
    }
    void strengthSliderColours()
    {
        QFETCH(int, strength);
        QFETCH(QString, style);
        QCOMPARE(Vibration::strengthSliderStyle(strength), style);
        PageHost host(new Vibration);
        QVERIFY(host.show());
        QVERIFY(PageDriver::typeAndFinish(&host.window, "strengthSpin", QString::number(strength)));
        QCOMPARE(WidgetDriver::child(&host.window, "strengthSlider")->styleSheet(), style);
    }

    void vibrationLooksRight_data()
    {
        QTest::addColumn<int>("strength");
        QTest::newRow("60") << 60;
        QTest::newRow("100") << 100;
        QTest::newRow("120") << 120;
    }
    // The slider's colours show over a styled groove, as the application's
    // style sheet gives it.
    void vibrationLooksRight()
    {
        QFETCH(int, strength);
        qApp->setStyleSheet("QSlider::groove:horizontal { height: 6px; border-radius: 3px; background: #b3b3b3; }"
                            "QSlider::handle:horizontal { width: 14px; margin: -5px 0; border-radius: 7px;"
                            " background: #ffffff; border: 1px solid #808080; }");
        const auto unstyled = qScopeGuard([] { qApp->setStyleSheet(QString()); });
        PageHost host(new Vibration);
        QVERIFY(host.show());
        QVERIFY(PageDriver::typeAndFinish(&host.window, "strengthSpin", QString::number(strength)));
        QVERIFY(PageDriver::typeAndFinish(&host.window, "durationSpin", "0.5"));
        QVERIFY(!WidgetDriver::grabToPng(&host.window, QStringLiteral("vibration-%1").arg(strength)).isEmpty());
    }

    void pagesLookRight_data()
    {
        QTest::addColumn<MakePage>("makePage");
        QTest::addColumn<Steps>("steps");
        QTest::newRow("profile-go-to") << make<ProfileChange>() << Steps{pick("profileCombo", "Work Sub")};
        QTest::newRow("profile-next") << make<ProfileChange>() << Steps{pick("actionCombo", "Next Profile")};
        QTest::newRow("tilt") << make<TiltAngles>() << Steps{};
        QTest::newRow("lift-off") << make<TrackingLift>() << Steps{};
        QTest::newRow("dpi-value") << dpiPage() << Steps{type("valueSpin", "3200")};
        QTest::newRow("dpi-increase") << dpiPage() << Steps{pick("modeCombo", "Increase DPI")};
        QTest::newRow("dpi-level") << dpiPage() << Steps{pick("modeCombo", "Set DPI Level")};
    }
    void pagesLookRight()
    {
        QFETCH(MakePage, makePage);
        QFETCH(Steps, steps);
        PageChecks::grabPage(makePage, steps);
    }
};

QTEST_MAIN(TestStatePages)
#include "tst_statepages.moc"
