#include "OutputAction_Keyboard.h"

#include <QtTest>

namespace {
constexpr int qt = OutputAction_Keyboard::QtKeyCode;
constexpr int hook = OutputAction_Keyboard::VirtualKeyCode;
constexpr int media = OutputAction_Keyboard::mediaGroup;

// One row of the key tables: a name at its place in a group's list (index -1:
// a usage the lists do not name), its usage, and the key codes that record
// it, typed into a window (Qt) and seen by the hook (virtual key).
struct KeyRow
{
    QString name;
    int group;
    int index;
    int usage;
    QVector<int> qtKeys;
    QVector<int> virtualKeys;
};

// Every row, written out from the tables' own description.
QVector<KeyRow> keyTable()
{
    QVector<KeyRow> rows;
    // Letters and digits.
    for (int i = 0; i < 26; ++i)
        rows.append({QString(QChar('A' + i)), 1, i, 4 + i, {0x41 + i}, {0x41 + i}});
    for (int i = 0; i < 9; ++i)
        rows.append({QString(QChar('1' + i)), 1, 26 + i, 30 + i, {0x31 + i}, {0x31 + i}});
    rows.append({"0", 1, 35, 39, {0x30}, {0x30}});

    // Symbols: the unshifted and the shifted character of one key.
    rows.append({"- OR _", 2, 0, 45, {0x2D, 0x5F}, {0xBD}});
    rows.append({"= OR +", 2, 1, 46, {0x3D, 0x2B}, {0xBB}});
    rows.append({"[ OR {", 2, 2, 47, {0x5B, 0x7B}, {0xDB}});
    rows.append({"] OR }", 2, 3, 48, {0x5D, 0x7D}, {0xDD}});
    rows.append({"\\ OR |", 2, 4, 49, {0x5C, 0x7C}, {0xDC}});
    rows.append({"; OR :", 2, 5, 51, {0x3B, 0x3A}, {0xBA}});
    rows.append({"' OR \"", 2, 6, 52, {0x27, 0x22}, {0xDE}});
    rows.append({"` OR ~", 2, 7, 53, {0x60, 0x7E}, {0xC0}});
    rows.append({", OR <", 2, 8, 54, {0x2C, 0x3C}, {0xBC}});
    rows.append({". OR >", 2, 9, 55, {0x2E, 0x3E}, {0xBE}});
    rows.append({"/ OR ?", 2, 10, 56, {0x2F, 0x3F}, {0xBF}});

    // Modifiers and actions. The Qt codes do not tell left from right.
    rows.append({"CTRL left", 3, 0, 224, {0x01000021}, {0xA2}});
    rows.append({"SHIFT left", 3, 1, 225, {0x01000020}, {0xA0}});
    rows.append({"ALT left", 3, 2, 226, {0x01000023}, {0xA4}});
    rows.append({"WIN KEY left", 3, 3, 227, {0x01000022}, {0x5B}});
    rows.append({"CTRL right", 3, 4, 228, {}, {0xA3}});
    rows.append({"SHIFT right", 3, 5, 229, {}, {0xA1}});
    rows.append({"ALT right", 3, 6, 230, {}, {0xA5}});
    rows.append({"WIN KEY right", 3, 7, 231, {}, {0x5C}});
    rows.append({"ENTER", 3, 8, 40, {0x01000004}, {0x0D}});
    rows.append({"ESCAPE", 3, 9, 41, {0x01000000}, {0x1B}});
    rows.append({"BACKSPACE", 3, 10, 42, {0x01000003}, {0x08}});
    rows.append({"TAB", 3, 11, 43, {0x01000001}, {0x09}});
    rows.append({"SPACEBAR", 3, 12, 44, {0x20}, {0x20}});
    rows.append({"CAPS LOCK", 3, 13, 57, {0x01000024}, {0x14}});
    rows.append({"PRINT SCREEN", 3, 14, 70, {0x01000009}, {0x2C}});
    rows.append({"SCROLL LOCK", 3, 15, 71, {0x01000026}, {0x91}});
    rows.append({"PAUSE / BREAK", 3, 16, 72, {0x01000008}, {0x13}});
    rows.append({"INSERT", 3, 17, 73, {0x01000006}, {0x2D}});
    rows.append({"HOME", 3, 18, 74, {0x01000010}, {0x24}});
    rows.append({"PAGE UP", 3, 19, 75, {0x01000016}, {0x21}});
    rows.append({"DELETE", 3, 20, 76, {0x01000007}, {0x2E}});
    rows.append({"END", 3, 21, 77, {0x01000011}, {0x23}});
    rows.append({"PAGE DOWN", 3, 22, 78, {0x01000017}, {0x22}});
    rows.append({"RIGHT", 3, 23, 79, {0x01000014}, {0x27}});
    rows.append({"LEFT", 3, 24, 80, {0x01000012}, {0x25}});
    rows.append({"DOWN", 3, 25, 81, {0x01000015}, {0x28}});
    rows.append({"UP", 3, 26, 82, {0x01000013}, {0x26}});
    rows.append({"APPLICATION", 3, 27, 101, {0x010000C7, 0x01000055}, {0x5D}});

    // Function keys.
    for (int n = 1; n <= 24; ++n) {
        const int usage = n <= 12 ? 57 + n : 91 + n;
        rows.append({QStringLiteral("F%1").arg(n), 4, n - 1, usage, {0x0100002F + n}, {0x6F + n}});
    }

    // Keypad. Its Enter shares virtual key 0x0D with the main Enter, which
    // the lookup finds first; the keypad digits typed into a window arrive
    // as main-row digits.
    rows.append({"NUM LOCK", 5, 0, 83, {0xF739}, {0x90}});
    rows.append({"Numpad /", 5, 1, 84, {}, {0x6F}});
    rows.append({"Numpad *", 5, 2, 85, {0x2A}, {0x6A}});
    rows.append({"Numpad -", 5, 3, 86, {}, {0x6D}});
    rows.append({"Numpad +", 5, 4, 87, {}, {0x6B}});
    rows.append({"Numpad ENTER", 5, 5, 88, {0x01000005}, {}});
    for (int i = 0; i < 9; ++i)
        rows.append({QStringLiteral("Numpad %1").arg(i + 1), 5, 6 + i, 89 + i, {}, {0x61 + i}});
    rows.append({"Numpad 0", 5, 15, 98, {}, {0x60}});
    rows.append({"Numpad .", 5, 16, 99, {}, {0x6E}});
    rows.append({"Numpad =", 5, 17, 103, {}, {}});

    // Media keys (consumer usages).
    rows.append({"PLAY / PAUSE", media, 0, 0xCD, {0x01000086}, {0xB3}});
    rows.append({"PLAY", media, 1, 0xCE, {}, {}});
    rows.append({"PAUSE", media, 2, 0xCF, {}, {}});
    rows.append({"RECORD", media, 3, 0xD0, {}, {}});
    rows.append({"REWIND", media, 4, 0xB4, {0x010000C5}, {}});
    rows.append({"NEXT TRACK", media, 5, 0xB5, {0x01000083}, {0xB0}});
    rows.append({"PREVIOUS TRACK", media, 6, 0xB6, {0x01000082}, {0xB1}});
    rows.append({"STOP", media, 7, 0xB7, {0x01000081}, {0xB2}});
    rows.append({"VOLUME UP", media, 8, 0xE9, {0x01000072}, {0xAF}});
    rows.append({"VOLUME DOWN", media, 9, 0xEA, {0x01000070}, {0xAE}});
    rows.append({"MUTE", media, 10, 0xE2, {0x01000071}, {0xAD}});
    // Qt's play, pause and record keys record usages the media list does not name.
    rows.append({QString(), media, -1, 0xB0, {0x01000080}, {}});
    rows.append({QString(), media, -1, 0xB1, {0x01000085}, {}});
    rows.append({QString(), media, -1, 0xB2, {0x01000084}, {}});
    return rows;
}
} // namespace

Q_DECLARE_METATYPE(QVector<int>)

class TestKeyTables : public QObject
{
    Q_OBJECT

private slots:
    void everyKeyTableRow_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("group");
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("usage");
        QTest::addColumn<QVector<int>>("qtKeys");
        QTest::addColumn<QVector<int>>("virtualKeys");
        for (const KeyRow &row : keyTable()) {
            const QString tag = row.name.isEmpty() ? QStringLiteral("unnamed usage %1").arg(row.usage) : row.name;
            QTest::newRow(qPrintable(QStringLiteral("%1 %2").arg(row.group).arg(tag)))
                << row.name << row.group << row.index << row.usage << row.qtKeys << row.virtualKeys;
        }
    }
    void everyKeyTableRow()
    {
        QFETCH(QString, name);
        QFETCH(int, group);
        QFETCH(int, index);
        QFETCH(int, usage);
        QFETCH(QVector<int>, qtKeys);
        QFETCH(QVector<int>, virtualKeys);

        OutputAction_Keyboard fillsTheTables(30);
        Q_UNUSED(fillsTheTables);
        if (group == media) {
            QCOMPARE(OutputAction_Keyboard::mediaNameIndex(usage), index);
            if (index >= 0)
                QCOMPARE(OutputAction_Keyboard::mediaUsageAt(index), usage);
        } else {
            QCOMPARE(OutputAction_Keyboard::keyUsageAt(group, index), usage);
            QCOMPARE(OutputAction_Keyboard::keyNameIndex(group, usage), index);
        }
        if (index >= 0)
            QCOMPARE(OutputAction_Keyboard::keyNames(group).value(index), name);

        const auto resolves = [&](int key, int source) {
            OutputAction_Keyboard record(30);
            QVERIFY2(record.setFromKeyCode(key, source), qPrintable(QString::number(key, 16)));
            if (group == media) {
                QCOMPARE(record.typeCode, 31);
                QCOMPARE(int(record.mediaUsage.value()), usage);
            } else {
                QCOMPARE(record.typeCode, 30);
                QCOMPARE(record.keyGroup, group);
                QCOMPARE(int(record.keyUsage), usage);
            }
        };
        for (int key : qtKeys)
            resolves(key, qt);
        for (int key : virtualKeys)
            resolves(key, hook);
    }

    // The table above holds every name of every list, each once.
    void keyTableCoversEveryName()
    {
        OutputAction_Keyboard fillsTheTables(30);
        Q_UNUSED(fillsTheTables);
        for (int group = 1; group <= media; ++group) {
            QStringList names;
            for (const KeyRow &row : keyTable()) {
                if (row.group == group && row.index >= 0)
                    names << row.name;
            }
            QCOMPARE(names, OutputAction_Keyboard::keyNames(group));
        }
    }

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
