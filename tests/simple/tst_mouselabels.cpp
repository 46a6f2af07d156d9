// What the labels of the mouse picture show, without a scene: lines, shown
// mappings and icons per scene id through the profiles' inheritance, the
// OLED line and the DPI read-out.
#include "DpiConfigureRecord.h"
#include "MouseLabels.h"
#include "MouseSceneLayout.h"
#include "OledSetRecord.h"
#include "OutputBuilders.h"
#include "PackageCreator.h"
#include "ProcessStateGuard.h"
#include "ProfileFixture.h"
#include "SampleModel.h"

#include <QtTest>

#include <optional>

using namespace MouseSceneLayout;
using Icon = MouseLabels::Icon;

Q_DECLARE_METATYPE(std::optional<int>)
Q_DECLARE_METATYPE(InputMapPtr)
Q_DECLARE_METATYPE(DpiConfigureRecord)

namespace {

InputMapPtr scrollMapping(int direction, const QString &name)
{
    auto mapping = std::make_shared<InputMapAction_Scroll>();
    mapping->wheelDirection = direction;
    mapping->name = name;
    return mapping;
}

InputMapPtr tiltMapping(int axis, quint16 entryStart, const QString &name = QString())
{
    auto mapping = std::make_shared<InputMapAction_Angle>();
    mapping->axis = axis;
    mapping->entryStart = entryStart;
    mapping->name = name;
    return mapping;
}

InputMapPtr forcePress(const QString &name)
{
    auto mapping = std::make_shared<InputMapAction_Force>();
    mapping->name = name;
    return mapping;
}

// "G:3=Thumb 0.0:1=Right" gives each profile named by its pair a button
// mapping of that name.
void addButtonMappings(const QString &setup)
{
    for (const QString &token : setup.split(' ', Qt::SkipEmptyParts)) {
        const QString pair = token.section(':', 0, 0);
        ProfileData *profile = ProfileFixture::at(pair);
        QVERIFY2(profile, qPrintable(pair));
        const QString mapping = token.section(':', 1);
        profile->inputMaps << SampleModel::button(mapping.section('=', 0, 0).toInt(), mapping.section('=', 1));
    }
}

DpiConfigureRecord dpiRecord(int level, int separate, const QVector<quint16> &values)
{
    DpiConfigureRecord record;
    record.levelCount = quint8(separate ? values.size() / 2 : values.size());
    record.currentLevel = quint8(level);
    record.separateXY = separate;
    record.dpiValues = values;
    return record;
}

} // namespace

class TestMouseLabels : public QObject
{
    Q_OBJECT

    std::optional<ProcessStateGuard> clean;
    PackageCreator *store() const { return PackageCreator::instance(); }

    MouseLabels built() const
    {
        MouseLabels labels;
        labels.build(*store());
        return labels;
    }

private slots:
    void init()
    {
        clean.emplace();
        ProfileFixture::build("0:Work 0.0:Level 1:Game");
    }
    void cleanup() { clean.reset(); }

    void mappingsComeFromTheFirstProfileThatHasThem_data()
    {
        QTest::addColumn<QString>("current");
        QTest::addColumn<QString>("mappings");
        QTest::addColumn<QStringList>("thumb");

        QTest::newRow("sub-profile, its own") << "0.0"
                                              << "G:3=Global 0:3=Work 0.0:3=Level" << QStringList{"Level"};
        QTest::newRow("sub-profile, the parent's") << "0.0"
                                                   << "G:3=Global 0:3=Work" << QStringList{"Work"};
        QTest::newRow("sub-profile, Global's") << "0.0"
                                               << "G:3=Global 1:3=Game" << QStringList{"Global"};
        QTest::newRow("top level, its own") << "1"
                                            << "G:3=Global 1:3=Game" << QStringList{"Game"};
        QTest::newRow("top level, Global's") << "0"
                                             << "G:3=Global 0.0:3=Level" << QStringList{"Global"};
        QTest::newRow("Global") << "G"
                                << "G:3=Global 0:3=Work" << QStringList{"Global"};
        QTest::newRow("nobody's") << "0.0"
                                  << "G:4=Other 1:3=Game" << QStringList{};
        QTest::newRow("first of two in one profile") << "0"
                                                     << "0:3=First 0:3=Second" << QStringList{"First"};
    }
    void mappingsComeFromTheFirstProfileThatHasThem()
    {
        QFETCH(QString, current);
        QFETCH(QString, mappings);
        QFETCH(QStringList, thumb);
        addButtonMappings(mappings);
        ProfileData *profile = ProfileFixture::at(current);
        store()->setCurrentProfile(profile);

        const MouseLabels labels = built();
        QCOMPARE(labels.lines(3), thumb);
        QCOMPARE(labels.shownMapping(3) != nullptr, !thumb.isEmpty());
        if (!thumb.isEmpty())
            QCOMPARE(labels.shownMapping(3)->name, thumb.first());
        QCOMPARE(store()->currentProfile(), profile);
    }

    void forcePressChildAddsItsLineAndIcon()
    {
        InputMapPtr button = SampleModel::button(0, "Shoot");
        button->addChild(forcePress("Reload"));
        InputMapPtr unnamedChild = forcePress(QString());
        unnamedChild->activationOutputs << key(0x28);
        button->addChild(unnamedChild);
        button->addChild(SampleModel::button(1, "not a force press"));
        store()->globalProfile()->inputMaps << button;

        const MouseLabels labels = built();
        const QStringList summary = OutputActionConfig::summaryTexts({key(0x28)}, {});
        QVERIFY(!summary.isEmpty());
        QCOMPARE(labels.lines(LeftButton), (QStringList{"Shoot", "Reload"} + summary));
        const QList<Icon> icons{{LeftButton, MouseLabels::inputIcons},
                                {LeftButton, MouseLabels::forcePressIcon},
                                {LeftButton, MouseLabels::forcePressIcon}};
        QCOMPARE(labels.icons(), icons);
    }

    void unnamedMappingShowsItsOutputs()
    {
        InputMapPtr unnamed = SampleModel::button(4);
        unnamed->activationOutputs << click(0, 1);
        unnamed->deactivationOutputs << click(0, 0);
        InputMapPtr named = SampleModel::button(5, "Copy");
        named->activationOutputs << key(0x06);
        store()->globalProfile()->inputMaps << unnamed << named;

        const MouseLabels labels = built();
        const QStringList summary =
            OutputActionConfig::summaryTexts(unnamed->activationOutputs, unnamed->deactivationOutputs);
        QVERIFY(!summary.isEmpty());
        QCOMPARE(labels.lines(4), summary);
        QCOMPARE(labels.lines(5), QStringList{"Copy"});
    }

    void partnersFollowTheirLabel()
    {
        ProfileData *global = store()->globalProfile();
        global->inputMaps << scrollMapping(1, "Down") << SampleModel::button(MiddleButton, "Press")
                          << scrollMapping(0, "Up") << scrollMapping(2, "both ways: not shown")
                          << SampleModel::button(LeftTriggerPush, "Push") << tiltMapping(0, 1900, "Right")
                          << tiltMapping(1, 0, "Forward") << tiltMapping(2, 0, "yaw: not shown");
        InputMapPtr nested = SampleModel::button(LeftButton, "nested: not shown");
        global->inputMaps.first()->addChild(nested);
        global->inputMaps << nested;

        const MouseLabels labels = built();
        QCOMPARE(labels.lines(MiddleButton), (QStringList{"Press", "Up", "Down"}));
        QCOMPARE(MouseLabels::maxLines(MiddleButton), 4);
        QCOMPARE(MouseLabels::maxLines(LeftButton), 3);
        QCOMPARE(labels.lines(LeftTriggerPull), QStringList{"Push"});
        QCOMPARE(labels.lines(RollLeft), QStringList{"Right"});
        QCOMPARE(labels.lines(PitchForward), QStringList{"Forward"});
        QCOMPARE(labels.lines(LeftButton), QStringList{});

        // The editor gets the label's mapping first; a partner alone opens an
        // empty editor.
        QCOMPARE(labels.editorMappings(MiddleButton),
                 (QList<InputMapActionConfig *>{labels.shownMapping(MiddleButton), labels.shownMapping(ScrollForward),
                                                labels.shownMapping(ScrollBack)}));
        QVERIFY(labels.shownMapping(LeftTriggerPush));
        QCOMPARE(labels.editorMappings(LeftTriggerPull), QList<InputMapActionConfig *>{});
        QCOMPARE(labels.editorMappings(RollLeft), QList<InputMapActionConfig *>{});
        QCOMPARE(labels.icons(), (QList<Icon>{{ScrollBack, -1},
                                              {MiddleButton, -1},
                                              {ScrollForward, -1},
                                              {LeftTriggerPush, -1},
                                              {RollRight, -1},
                                              {PitchForward, -1}}));
    }

    void sceneIdOfEachInput_data()
    {
        QTest::addColumn<InputMapPtr>("mapping");
        QTest::addColumn<int>("id");
        for (int button = 0; button <= 12; ++button)
            QTest::addRow("button %d", button) << SampleModel::button(button) << button;
        QTest::newRow("no button") << SampleModel::button(13) << int(NoId);
        QTest::newRow("scroll forward") << scrollMapping(0, {}) << int(ScrollForward);
        QTest::newRow("scroll back") << scrollMapping(1, {}) << int(ScrollBack);
        QTest::newRow("scroll both") << scrollMapping(2, {}) << int(NoId);
        QTest::newRow("roll left") << tiltMapping(0, 0) << int(RollLeft);
        QTest::newRow("roll right") << tiltMapping(0, 1) << int(RollRight);
        QTest::newRow("pitch forward") << tiltMapping(1, 0) << int(PitchForward);
        QTest::newRow("pitch back") << tiltMapping(1, 2100) << int(PitchBack);
        QTest::newRow("yaw") << tiltMapping(2, 0) << int(NoId);
        QTest::newRow("force press") << forcePress("x") << int(NoId);
        QTest::newRow("movement") << InputMapPtr(std::make_shared<InputMapAction_Movement>()) << int(NoId);
        auto angleRange = std::make_shared<InputMapAction_Angle>(InputType::AngleRange);
        QTest::newRow("tilt range") << InputMapPtr(angleRange) << int(NoId);
    }
    void sceneIdOfEachInput()
    {
        QFETCH(InputMapPtr, mapping);
        QFETCH(int, id);
        QCOMPARE(MouseLabels::sceneId(*mapping), id);
    }

    void oledLinePerMode_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("line");
        QTest::newRow("0") << 0 << "Blank";
        QTest::newRow("1") << 1 << QString::fromUtf8("Gr\u00fc\u00dfe <1>");
        QTest::newRow("2") << 2 << "Current DPI";
        QTest::newRow("3") << 3 << "Current Profile";
        QTest::newRow("4") << 4 << "Force Press Forces";
        QTest::newRow("5") << 5 << "Tilt Angles";
        QTest::newRow("6") << 6 << "Animated Cube";
        QTest::newRow("7") << 7 << "Firmware Version";
        QTest::newRow("8") << 8 << "";
        QTest::newRow("-1") << -1 << "";
    }
    void oledLinePerMode()
    {
        QFETCH(int, mode);
        QFETCH(QString, line);
        OledSetRecord record;
        record.oledMode = mode;
        record.message = QByteArray("Gr\xfc\xdf"
                                    "e <1>");
        QCOMPARE(MouseLabels::oledLine(record), line);
    }

    void dpiOfTheDefaultLevel_data()
    {
        QTest::addColumn<DpiConfigureRecord>("record");
        QTest::addColumn<std::optional<int>>("dpi");
        QTest::newRow("level 1") << dpiRecord(1, 0, {800, 1600, 3200}) << std::optional<int>(1600);
        QTest::newRow("separate, level 0") << dpiRecord(0, 1, {800, 400, 1600, 800}) << std::optional<int>(800);
        QTest::newRow("separate, level 1: its X") << dpiRecord(1, 1, {800, 400, 1600, 800}) << std::optional<int>(1600);
        QTest::newRow("past the values") << dpiRecord(3, 0, {800, 1600}) << std::optional<int>();
        QTest::newRow("separate, past the pairs") << dpiRecord(2, 1, {800, 400, 1600, 800}) << std::optional<int>();
        QTest::newRow("no values") << dpiRecord(0, 0, {}) << std::optional<int>();
    }
    void dpiOfTheDefaultLevel()
    {
        QFETCH(DpiConfigureRecord, record);
        QFETCH(std::optional<int>, dpi);
        QCOMPARE(MouseLabels::dpi(record), dpi);
    }

    void settingsComeFromTheFirstProfileWithOwnSettings_data()
    {
        QTest::addColumn<QString>("current");
        QTest::addColumn<QString>("owners");
        QTest::addColumn<QString>("owner");
        QTest::newRow("its own") << "0.0"
                                 << "G 0 0.0"
                                 << "0.0";
        QTest::newRow("the parent's") << "0.0"
                                      << "G 0"
                                      << "0";
        QTest::newRow("Global's, sub-profile") << "0.0"
                                               << "G 1"
                                               << "G";
        QTest::newRow("Global's, top level") << "0"
                                             << "G 0.0"
                                             << "G";
        QTest::newRow("nobody's") << "0.0"
                                  << "1"
                                  << "";
    }
    void settingsComeFromTheFirstProfileWithOwnSettings()
    {
        QFETCH(QString, current);
        QFETCH(QString, owners);
        QFETCH(QString, owner);
        int value = 400;
        for (const QString &pair : owners.split(' ')) {
            ProfileData *profile = ProfileFixture::at(pair);
            profile->setOwnSettings(true);
            profile->dpiRecord = dpiRecord(0, 0, {quint16(value += 100)});
            profile->oledRecord.oledMode = 1;
            profile->oledRecord.message = pair.toLatin1();
        }
        store()->setCurrentProfile(ProfileFixture::at(current));

        const MouseLabels labels = built();
        ProfileData *expected = owner.isEmpty() ? nullptr : ProfileFixture::at(owner);
        QCOMPARE(MouseLabels::settingsOwner(*store()), expected);
        QCOMPARE(labels.oledLine(), owner);
        const std::optional<int> dpi =
            expected ? std::optional<int>(expected->dpiRecord.dpiValues.first()) : std::nullopt;
        QCOMPARE(labels.dpi(), dpi);
    }
};

QTEST_GUILESS_MAIN(TestMouseLabels)
#include "tst_mouselabels.moc"
