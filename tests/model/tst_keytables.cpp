#include "OutputAction_Keyboard.h"

#include <QtTest>

namespace {
constexpr int qt = OutputAction_Keyboard::QtKeyCode;
constexpr int hook = OutputAction_Keyboard::VirtualKeyCode;
} // namespace

class TestKeyTables : public QObject
{
    Q_OBJECT

private slots:
    void keyCodesResolveToGroupAndUsage_data()
    {
        QTest::addColumn<int>("source");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("group");
        QTest::addColumn<int>("usage");

        // Return is in group 3 and in the keypad group; group 3 is searched first.
        QTest::newRow("hook return is Enter") << hook << 0x0D << 3 << 40;
        QTest::newRow("hook left shift") << hook << 0xA0 << 3 << 225;
        QTest::newRow("hook right shift") << hook << 0xA1 << 3 << 229;
        QTest::newRow("hook right windows") << hook << 0x5C << 3 << 231;
        QTest::newRow("hook apps") << hook << 0x5D << 3 << 101;
        QTest::newRow("hook letter Z") << hook << 0x5A << 1 << 29;
        QTest::newRow("hook digit 0") << hook << 0x30 << 1 << 39;
        QTest::newRow("hook OEM 7 quote") << hook << 0xDE << 2 << 52;
        QTest::newRow("hook F12") << hook << 0x7B << 4 << 69;
        QTest::newRow("hook F13") << hook << 0x7C << 4 << 0x68;
        QTest::newRow("hook F24") << hook << 0x87 << 4 << 115;
        QTest::newRow("hook num lock") << hook << 0x90 << 5 << 83;
        QTest::newRow("hook numpad 1") << hook << 0x61 << 5 << 89;
        QTest::newRow("hook numpad 0") << hook << 0x60 << 5 << 98;
        QTest::newRow("hook numpad decimal") << hook << 0x6E << 5 << 99;
        QTest::newRow("Qt shift is left shift") << qt << int(Qt::Key_Shift) << 3 << 225;
        QTest::newRow("Qt meta") << qt << int(Qt::Key_Meta) << 3 << 227;
        QTest::newRow("Qt menu") << qt << int(Qt::Key_Menu) << 3 << 101;
        QTest::newRow("Qt space") << qt << int(Qt::Key_Space) << 3 << 44;
        QTest::newRow("Qt letter A") << qt << int(Qt::Key_A) << 1 << 4;
        QTest::newRow("Qt keypad digit is main-row digit") << qt << int(Qt::Key_5) << 1 << 34;
        QTest::newRow("Qt shifted symbol") << qt << int(Qt::Key_Underscore) << 2 << 45;
        QTest::newRow("Qt question mark") << qt << int(Qt::Key_Question) << 2 << 56;
        QTest::newRow("Qt F1") << qt << int(Qt::Key_F1) << 4 << 58;
        QTest::newRow("Qt F13") << qt << int(Qt::Key_F13) << 4 << 0x68;
        QTest::newRow("Qt keypad enter") << qt << int(Qt::Key_Enter) << 5 << 88;
        QTest::newRow("Qt asterisk") << qt << int(Qt::Key_Asterisk) << 5 << 85;
        QTest::newRow("Qt num lock") << qt << int(Qt::Key_NumLock) << 5 << 83;
    }
    void keyCodesResolveToGroupAndUsage()
    {
        QFETCH(int, source);
        QFETCH(int, key);
        QFETCH(int, group);
        QFETCH(int, usage);

        OutputAction_Keyboard record(30);
        QVERIFY(record.setFromKeyCode(key, source));
        QCOMPARE(record.typeCode, 30);
        QCOMPARE(record.keyGroup, group);
        QCOMPARE(int(record.keyUsage), usage);
        QCOMPARE(record.mediaUsage.value(), quint16(0));
    }

    void mediaKeyCodesMakeMediaOutputs_data()
    {
        QTest::addColumn<int>("source");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("usage");

        QTest::newRow("hook play/pause") << hook << 0xB3 << 0xCD;
        QTest::newRow("hook next track") << hook << 0xB0 << 0xB5;
        QTest::newRow("hook previous track") << hook << 0xB1 << 0xB6;
        QTest::newRow("hook stop") << hook << 0xB2 << 0xB7;
        QTest::newRow("hook volume up") << hook << 0xAF << 0xE9;
        QTest::newRow("hook volume down") << hook << 0xAE << 0xEA;
        QTest::newRow("hook mute") << hook << 0xAD << 0xE2;
        QTest::newRow("Qt toggle play/pause") << qt << int(Qt::Key_MediaTogglePlayPause) << 0xCD;
        QTest::newRow("Qt play") << qt << int(Qt::Key_MediaPlay) << 0xB0;
        QTest::newRow("Qt pause") << qt << int(Qt::Key_MediaPause) << 0xB1;
        QTest::newRow("Qt record") << qt << int(Qt::Key_MediaRecord) << 0xB2;
        QTest::newRow("Qt rewind") << qt << int(Qt::Key_AudioRewind) << 0xB4;
        QTest::newRow("Qt next") << qt << int(Qt::Key_MediaNext) << 0xB5;
        QTest::newRow("Qt previous") << qt << int(Qt::Key_MediaPrevious) << 0xB6;
        QTest::newRow("Qt stop") << qt << int(Qt::Key_MediaStop) << 0xB7;
        QTest::newRow("Qt volume up") << qt << int(Qt::Key_VolumeUp) << 0xE9;
        QTest::newRow("Qt volume down") << qt << int(Qt::Key_VolumeDown) << 0xEA;
        QTest::newRow("Qt mute") << qt << int(Qt::Key_VolumeMute) << 0xE2;
    }
    void mediaKeyCodesMakeMediaOutputs()
    {
        QFETCH(int, source);
        QFETCH(int, key);
        QFETCH(int, usage);

        OutputAction_Keyboard record(30);
        QVERIFY(record.setFromKeyCode(key, source));
        QCOMPARE(record.typeCode, 31);
        QCOMPARE(record.mediaUsage.high(), quint8(0));
        QCOMPARE(int(record.mediaUsage.low()), usage);
        QCOMPARE(record.keyGroup, 0);
    }

    void unknownKeyCodesLeaveTheRecordUnchanged_data()
    {
        QTest::addColumn<int>("source");
        QTest::addColumn<int>("key");

        QTest::newRow("hook generic shift") << hook << 0x10;
        QTest::newRow("hook numpad separator") << hook << 0x6C;
        QTest::newRow("Qt shift code in the hook family") << hook << int(Qt::Key_Shift);
        QTest::newRow("Qt backtab") << qt << int(Qt::Key_Backtab);
        QTest::newRow("hook code in the Qt family") << qt << 0xA0;
        QTest::newRow("unknown family") << 2 << 0x41;
    }
    void unknownKeyCodesLeaveTheRecordUnchanged()
    {
        QFETCH(int, source);
        QFETCH(int, key);

        OutputAction_Keyboard record(30);
        record.keyGroup = 4;
        record.keyUsage = 60;
        record.buttonState = 2;
        const OutputPtr before = record.clone();
        QVERIFY(!record.setFromKeyCode(key, source));
        QVERIFY(record.equals(*before));
    }

    void updateKeyGroupFollowsTheUsage_data()
    {
        QTest::addColumn<int>("usage");
        QTest::addColumn<int>("oldGroup");
        QTest::addColumn<int>("group");

        QTest::newRow("keypad enter") << 88 << 0 << 5;
        QTest::newRow("enter") << 40 << 5 << 3;
        QTest::newRow("letter") << 4 << 0 << 1;
        QTest::newRow("slash") << 56 << 0 << 2;
        QTest::newRow("F13") << 104 << 0 << 4;
        QTest::newRow("right windows") << 231 << 0 << 3;
        QTest::newRow("keypad equals") << 103 << 0 << 5;
        QTest::newRow("non-US hash keeps the group") << 50 << 2 << 2;
        QTest::newRow("no usage keeps the group") << 0 << 4 << 4;
    }
    void updateKeyGroupFollowsTheUsage()
    {
        QFETCH(int, usage);
        QFETCH(int, oldGroup);
        QFETCH(int, group);

        OutputAction_Keyboard record(30);
        record.keyUsage = quint8(usage);
        record.keyGroup = oldGroup;
        record.updateKeyGroup();
        QCOMPARE(record.keyGroup, group);
    }

    // What the pickers store must come back with the same group after a
    // round trip through the configuration file, which keeps only the usage.
    void everyNamedKeyRegroupsIntoItsOwnGroup()
    {
        for (int group = 1; group <= 5; ++group) {
            const int count = OutputAction_Keyboard::keyNames(group).size();
            for (int index = 0; index < count; ++index) {
                const int usage = OutputAction_Keyboard::keyUsageAt(group, index);
                QVERIFY2(usage > 0, qPrintable(QStringLiteral("group %1 index %2").arg(group).arg(index)));
                QCOMPARE(OutputAction_Keyboard::keyNameIndex(group, usage), index);
                OutputAction_Keyboard record(30);
                record.keyUsage = quint8(usage);
                record.updateKeyGroup();
                QCOMPARE(record.keyGroup, group);
            }
            QCOMPARE(OutputAction_Keyboard::keyUsageAt(group, count), -1);
        }
    }

    void nameListsHoldEachGroupOnce()
    {
        OutputAction_Keyboard first(30);
        OutputAction_Keyboard second(31);
        Q_UNUSED(first);
        Q_UNUSED(second);

        const int sizes[] = {0, 36, 11, 28, 24, 18, 11};
        for (int group = 1; group <= OutputAction_Keyboard::mediaGroup; ++group)
            QCOMPARE(OutputAction_Keyboard::keyNames(group).size(), sizes[group]);
        QVERIFY(OutputAction_Keyboard::keyNames(0).isEmpty());
        QVERIFY(OutputAction_Keyboard::keyNames(7).isEmpty());

        QCOMPARE(OutputAction_Keyboard::keyNames(1).at(35), QStringLiteral("0"));
        QCOMPARE(OutputAction_Keyboard::keyNames(2).at(0), QStringLiteral("- OR _"));
        QCOMPARE(OutputAction_Keyboard::keyNames(2).at(6), QStringLiteral("' OR \""));
        QCOMPARE(OutputAction_Keyboard::keyNames(3).at(16), QStringLiteral("PAUSE / BREAK"));
        QCOMPARE(OutputAction_Keyboard::keyNames(4).at(23), QStringLiteral("F24"));
        QCOMPARE(OutputAction_Keyboard::keyNames(5).at(14), QStringLiteral("Numpad 9"));
        QCOMPARE(OutputAction_Keyboard::keyNames(5).at(17), QStringLiteral("Numpad ="));
        QCOMPARE(OutputAction_Keyboard::keyNames(6).at(10), QStringLiteral("MUTE"));
    }

    void mediaRowsMapToConsumerUsages()
    {
        const int usages[] = {0xCD, 0xCE, 0xCF, 0xD0, 0xB4, 0xB5, 0xB6, 0xB7, 0xE9, 0xEA, 0xE2};
        for (int row = 0; row < 11; ++row) {
            QCOMPARE(OutputAction_Keyboard::mediaUsageAt(row), usages[row]);
            QCOMPARE(OutputAction_Keyboard::mediaNameIndex(usages[row]), row);
        }
        QCOMPARE(OutputAction_Keyboard::mediaUsageAt(11), -1);
        QCOMPARE(OutputAction_Keyboard::mediaNameIndex(0xB0), -1);
    }
};

QTEST_GUILESS_MAIN(TestKeyTables)
#include "tst_keytables.moc"
