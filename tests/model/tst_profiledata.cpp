#include "InputMapAction_Button.h"
#include "OutputAction_Led.h"
#include "OutputAction_Tracking.h"
#include "ProfileData.h"

#include <QtTest>

namespace {

QList<int> tags(const QList<SettingsRecord *> &records)
{
    QList<int> list;
    for (const SettingsRecord *record : records)
        list.append(record->tag);
    return list;
}

OutputPtr dpiStep(int type)
{
    auto record = std::make_shared<OutputAction_Tracking>(92);
    record->dpiSelectionType = type;
    return record;
}

InputMapPtr button(int id)
{
    auto mapping = std::make_shared<InputMapAction_Button>();
    mapping->buttonId = id;
    return mapping;
}

int buttonId(const InputMapPtr &mapping)
{
    return static_cast<InputMapAction_Button &>(*mapping).buttonId;
}

} // namespace

class TestProfileData : public QObject
{
    Q_OBJECT

private slots:
    void settingsRecordsStartAtTheirDefaults()
    {
        const ProfileData profile(0, 255, "Work");
        QCOMPARE(profile.dpiRecord.tag, 94);
        QCOMPARE(profile.dpiRecord.levelCount, quint8(0));
        QCOMPARE(profile.dpiRecord.currentLevel, quint8(0));
        QCOMPARE(profile.dpiRecord.separateXY, 0);
        QVERIFY(profile.dpiRecord.dpiValues.isEmpty());
        QVERIFY(!profile.dpiRecord.isValid());
        QCOMPARE(profile.reportIntervalRecord.tag, 104);
        QCOMPARE(profile.reportIntervalRecord.reportInterval, 1);
        QCOMPARE(profile.liftOffRecord.tag, 93);
        QCOMPARE(profile.liftOffRecord.liftOffLevel, 3);
        QCOMPARE(profile.gameDeviceRecord.tag, 102);
        QCOMPARE(profile.gameDeviceRecord.gameDevice, 0);
        QCOMPARE(profile.ledRecord.tag, 95);
        QCOMPARE(profile.ledRecord.ledMode, 0);
        QCOMPARE(profile.ledRecord.brightness, quint8(100));
        QCOMPARE(profile.ledRecord.ledDuration.bytes[0], quint8(0x01));
        QCOMPARE(profile.ledRecord.ledDuration.bytes[1], quint8(0xF4));
        for (int i = 0; i < 3; ++i)
            QCOMPARE(profile.ledRecord.colour1[i] + profile.ledRecord.colour2[i], 0);
        QCOMPARE(profile.oledRecord.tag, 97);
        QCOMPARE(profile.oledRecord.oledMode, 0);
        QVERIFY(profile.oledRecord.message.isEmpty());
        QCOMPARE(profile.autoReleaseRecord.tag, 115);
        QCOMPARE(profile.autoReleaseRecord.autoRelease, 0);
        QCOMPARE(profile.tiltAutoZeroingRecord.tag, 116);
        QCOMPARE(profile.tiltAutoZeroingRecord.tiltAutoZeroing, 0);
    }

    void newProfileInheritsAndHasNoMappings()
    {
        const ProfileData profile(1, 0, "Sub");
        QCOMPARE(profile.index, quint8(1));
        QCOMPARE(profile.subIndex, quint8(0));
        QCOMPARE(profile.name, QString("Sub"));
        QVERIFY(!profile.isDefault);
        QVERIFY(!profile.hasOwnSettings());
        QVERIFY(!profile.hasInputMaps());
        QVERIFY(profile.profileOutputs.isEmpty());
        QVERIFY(profile.linkedAppPaths.isEmpty() && profile.linkedAppNames.isEmpty());
        QVERIFY(profile.isSubProfile());
        QVERIFY(!profile.isGlobal());
    }

    void givingUpOwnSettingsClearsProfileOutputsOnly()
    {
        ProfileData profile(0, 255, "Work");
        profile.setOwnSettings(true);
        profile.profileOutputs = {dpiStep(1), dpiStep(2), dpiStep(5)};
        profile.liftOffRecord.liftOffLevel = 2;
        profile.oledRecord.message = "hi";

        profile.setOwnSettings(false);
        QVERIFY(!profile.hasOwnSettings());
        QVERIFY(profile.profileOutputs.isEmpty());

        profile.setOwnSettings(true);
        QCOMPARE(tags(profile.settingsRecords), (QList<int>{94, 104, 93, 102, 95, 97, 115, 116}));
        QCOMPARE(profile.settingsRecords.at(2), &profile.liftOffRecord);
        QVERIFY(profile.profileOutputs.isEmpty());
        QCOMPARE(profile.liftOffRecord.liftOffLevel, 2);
        QCOMPARE(profile.oledRecord.message, QByteArray("hi"));

        profile.setOwnSettings(true); // refills, never doubles
        QCOMPARE(profile.settingsRecords.size(), 8);
    }

    void copyFromTakesSettingsOnlyWhenTheSourceOwnsThem()
    {
        ProfileData source(0, 255, "Source");
        source.liftOffRecord.liftOffLevel = 2; // not its own: must not travel
        source.inputMaps = {button(1)};

        ProfileData target(1, 255, "Target");
        target.setOwnSettings(true);
        target.liftOffRecord.liftOffLevel = 3;
        target.copyFrom(source);
        QVERIFY(target.hasOwnSettings());
        QCOMPARE(target.liftOffRecord.liftOffLevel, 3);
        QCOMPARE(target.inputMaps.size(), 1);
        QCOMPARE(target.name, QString("Target"));

        ProfileData inheriting(2, 255, "Inheriting");
        inheriting.copyFrom(source);
        QVERIFY(!inheriting.hasOwnSettings());
    }

    void copyFromCopiesOwnSettingsAndAppendsDeepCopies()
    {
        ProfileData source(0, 255, "Source");
        source.setOwnSettings(true);
        source.dpiRecord.levelCount = 1;
        source.dpiRecord.dpiValues = {800};
        source.tiltAutoZeroingRecord.tiltAutoZeroing = 1;
        source.profileOutputs = {dpiStep(6)};
        source.inputMaps = {button(1), button(2)};
        source.linkedAppPaths = QStringList{"/usr/bin/game"};
        source.isDefault = true;

        ProfileData target(3, 1, "Target");
        target.inputMaps = {button(7), button(8)};
        target.copyFrom(source);

        QVERIFY(target.hasOwnSettings());
        QVERIFY(target.dpiRecord.equals(source.dpiRecord));
        QCOMPARE(target.tiltAutoZeroingRecord.tiltAutoZeroing, 1);
        QCOMPARE(target.profileOutputs.size(), 1);
        QVERIFY(target.profileOutputs[0] != source.profileOutputs[0]);
        QVERIFY(target.profileOutputs[0]->equals(*source.profileOutputs[0]));
        QCOMPARE(target.inputMaps.size(), 4);
        QCOMPARE(buttonId(target.inputMaps[0]), 7);
        QCOMPARE(buttonId(target.inputMaps[1]), 8);
        QCOMPARE(buttonId(target.inputMaps[2]), 1);
        QCOMPARE(buttonId(target.inputMaps[3]), 2);
        QVERIFY(target.inputMaps[2] != source.inputMaps[0]);
        QCOMPARE(target.name, QString("Target"));
        QCOMPARE(int(target.index), 3);
        QCOMPARE(int(target.subIndex), 1);
        QVERIFY(target.linkedAppPaths.isEmpty());
        QVERIFY(!target.isDefault);
    }

    // Records of one kind copy and compare by value (colours included);
    // records of another kind are neither equal nor copied.
    void settingsRecordsCopyAndCompareByValue()
    {
        LedSetRecord lit;
        lit.ledMode = 1;
        lit.colour2[1] = 7;
        LedSetRecord other;
        QVERIFY(!other.equals(lit));
        QVERIFY(other.assignFrom(lit));
        QVERIFY(other.equals(lit));
        other.colour1[2] = 1;
        QVERIFY(!other.equals(lit));

        OledSetRecord oled;
        QVERIFY(!lit.equals(oled));
        QVERIFY(!oled.assignFrom(lit));
        QCOMPARE(oled.tag, 97);
    }

    void backlightComesFromTheLastLedOutputOrTheRecord()
    {
        ProfileData profile(0, 255, "Lit");
        bool cycling = true;
        QColor colour;
        QVERIFY(!profile.backlight(&cycling, &colour));

        profile.setOwnSettings(true);
        QVERIFY(profile.backlight(&cycling, &colour));
        QVERIFY(!cycling);
        QCOMPARE(colour, QColor("#aaaaaa"));

        profile.ledRecord.ledMode = 1;
        profile.ledRecord.colour1[0] = 10;
        profile.ledRecord.colour1[1] = 20;
        profile.ledRecord.colour1[2] = 30;
        QVERIFY(profile.backlight(&cycling, &colour));
        QCOMPARE(colour, QColor(10, 20, 30));

        auto first = std::make_shared<OutputAction_Led>(95);
        first->ledMode = 1;
        first->colour1[0] = 255;
        auto last = std::make_shared<OutputAction_Led>(95);
        last->ledMode = 2;
        last->colour1[2] = 255;
        profile.profileOutputs = {first, last, dpiStep(1)};
        QVERIFY(profile.backlight(&cycling, &colour));
        QVERIFY(cycling);
        QCOMPARE(colour, QColor(0, 0, 255));
    }
};

QTEST_GUILESS_MAIN(TestProfileData)
#include "tst_profiledata.moc"
