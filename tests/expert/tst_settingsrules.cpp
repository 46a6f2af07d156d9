// The rules of the profile settings page and the DPI level editor that need
// no widget: what each row stores and shows, the records one save writes,
// the single value's snap, the record of the level rows and how it is read
// back, where the default goes on a deletion and the move of a drop; and
// the scope guard of the model's loading flag.

#include "DpiLevelRules.h"
#include "LoadingGuard.h"
#include "PackageCreator.h"
#include "SettingsRows.h"
#include "SettingsTestKit.h"

#include <QtTest>

using Rows = QVector<DpiLevelRules::Row>;
using Values = QVector<quint16>;
Q_DECLARE_METATYPE(Rows)
Q_DECLARE_METATYPE(Values)

using SettingsTestKit::dpiRecord;

class tst_SettingsRules : public QObject
{
    Q_OBJECT

private slots:
    // ------------------------------------------------------------ the rows

    void pollingIndexAndValue_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("value");
        QTest::newRow("1000 Hz") << 0 << 1;
        QTest::newRow("500 Hz") << 1 << 2;
        QTest::newRow("250 Hz") << 2 << 4;
        QTest::newRow("125 Hz") << 3 << 8;
    }
    void pollingIndexAndValue()
    {
        QFETCH(int, index);
        QFETCH(int, value);
        QCOMPARE(SettingsRows::pollingValue(index), value);
        QCOMPARE(SettingsRows::pollingIndex(value), index);
    }

    // Stored values outside a row's table leave its combo (-1); indices
    // outside it store the record's default.
    void valuesOutsideTheTables()
    {
        for (int stored : {0, 3, 5, 16, -1})
            QCOMPARE(SettingsRows::pollingIndex(stored), -1);
        QCOMPARE(SettingsRows::pollingValue(-1), 1);
        QCOMPARE(SettingsRows::pollingValue(4), 1);
        for (int stored : {2, -1, 7})
            QCOMPARE(SettingsRows::switchIndex(stored), -1);
        QCOMPARE(SettingsRows::switchIndex(0), 0);
        QCOMPARE(SettingsRows::switchIndex(1), 1);
        QCOMPARE(SettingsRows::switchValue(-1), 0);
        QCOMPARE(SettingsRows::switchValue(1), 1);
        QCOMPARE(SettingsRows::ledIndex(3), -1);
        QCOMPARE(SettingsRows::ledIndex(-1), -1);
        QCOMPARE(SettingsRows::ledIndex(2), 2);
    }

    void liftOffShowsMaximumButForTwo_data()
    {
        QTest::addColumn<int>("level");
        QTest::addColumn<int>("index");
        QTest::newRow("2 is Minimum") << 2 << 0;
        QTest::newRow("3 is Maximum") << 3 << 1;
        QTest::newRow("5 is Maximum") << 5 << 1;
        QTest::newRow("0 is Maximum") << 0 << 1;
    }
    void liftOffShowsMaximumButForTwo()
    {
        QFETCH(int, level);
        QFETCH(int, index);
        QCOMPARE(SettingsRows::liftOffIndex(level), index);
        QCOMPARE(SettingsRows::liftOffValue(0), 2);
        QCOMPARE(SettingsRows::liftOffValue(1), 3);
    }

    void oledKindsAndIndices_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QByteArray>("message");
        QTest::addColumn<int>("index");
        QTest::newRow("blank") << 0 << QByteArray() << 7;
        QTest::newRow("custom message without text") << 1 << QByteArray() << 7;
        QTest::newRow("custom message") << 1 << QByteArray("Hi") << 0;
        QTest::newRow("current DPI") << 2 << QByteArray() << 1;
        QTest::newRow("animated cube") << 6 << QByteArray() << 5;
        QTest::newRow("firmware version") << 7 << QByteArray() << 6;
        QTest::newRow("kind 8 leaves the combo") << 8 << QByteArray() << -1;
        QTest::newRow("negative kind leaves the combo") << -1 << QByteArray() << -1;
    }
    void oledKindsAndIndices()
    {
        QFETCH(int, kind);
        QFETCH(QByteArray, message);
        QFETCH(int, index);
        QCOMPARE(SettingsRows::oledIndex(kind, message), index);
        QCOMPARE(SettingsRows::oledText("\xE9"), QString("é"));
    }

    // A custom message is stored in Latin-1 and only with kind 1; without
    // text it is stored as blank, and comes back as "Blank".
    void oledRecords_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QByteArray>("message");
        QTest::newRow("custom message") << 0 << "Hello" << 1 << QByteArray("Hello");
        QTest::newRow("custom message without text") << 0 << "" << 0 << QByteArray();
        QTest::newRow("é as one Latin-1 byte") << 0 << "é" << 1 << QByteArray("\xE9");
        QTest::newRow("outside Latin-1") << 0 << "a€" << 1 << QByteArray("a?");
        QTest::newRow("text ignored by another kind") << 5 << "Hello" << 6 << QByteArray();
        QTest::newRow("Blank") << 7 << "" << 0 << QByteArray();
        QTest::newRow("no choice") << -1 << "" << 0 << QByteArray();
    }
    void oledRecords()
    {
        QFETCH(int, index);
        QFETCH(QString, text);
        QFETCH(int, kind);
        QFETCH(QByteArray, message);
        SettingsRows::Choices choices;
        choices.oled = index;
        choices.message = text;
        const OledSetRecord record = SettingsRows::recordsFor(choices).oled;
        QCOMPARE(record.oledMode, kind);
        QCOMPARE(record.message, message);
    }

    // The colour travels only with "Fixed Color"; brightness and period are
    // always 100 and 500 (0x01 0xF4).
    void ledRecords_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("mode");
        QTest::addColumn<QByteArray>("colour");
        QTest::newRow("Off") << 0 << 0 << QByteArray(3, '\0');
        QTest::newRow("Fixed Color") << 1 << 1 << QByteArray("\xFF\x80\x00", 3);
        QTest::newRow("Hue Rotation") << 2 << 2 << QByteArray(3, '\0');
        QTest::newRow("no choice") << -1 << 0 << QByteArray(3, '\0');
    }
    void ledRecords()
    {
        QFETCH(int, index);
        QFETCH(int, mode);
        QFETCH(QByteArray, colour);
        SettingsRows::Choices choices;
        choices.led = index;
        choices.colour = QColor("#ff8000");
        const LedSetRecord record = SettingsRows::recordsFor(choices).led;
        QCOMPARE(record.ledMode, mode);
        QCOMPARE(int(record.brightness), 100);
        QCOMPARE(int(record.ledDuration.high()), 0x01);
        QCOMPARE(int(record.ledDuration.low()), 0xF4);
        QCOMPARE(QByteArray(reinterpret_cast<const char *>(record.colour1), 3), colour);
        QCOMPARE(QByteArray(reinterpret_cast<const char *>(record.colour2), 3), QByteArray(3, '\0'));
    }

    void recordsInSaveOrder()
    {
        SettingsRows::Choices choices;
        choices.polling = 3;
        choices.liftOff = 0;
        choices.joystick = 1;
        choices.tilt = 1;
        choices.autoRelease = 0;
        const SettingsRows::Records records = SettingsRows::recordsFor(choices);
        QList<int> tags;
        for (const SettingsRecord *record : records.inSaveOrder())
            tags << record->tag;
        QCOMPARE(tags, (QList<int>{104, 93, 102, 95, 97, 116, 115}));
        QCOMPARE(records.polling.reportInterval, 8);
        QCOMPARE(records.liftOff.liftOffLevel, 2);
        QCOMPARE(records.joystick.gameDevice, 1);
        QCOMPARE(records.tilt.tiltAutoZeroing, 1);
        QCOMPARE(records.autoRelease.autoRelease, 0);
    }

    // ------------------------------------------------------------ DPI

    void singleSnap_data()
    {
        QTest::addColumn<int>("step");
        QTest::addColumn<int>("maximum");
        QTest::addColumn<int>("typed");
        QTest::addColumn<int>("shown");
        QTest::newRow("100: rounded down") << 100 << 12000 << 1550 << 1500;
        QTest::newRow("100: below one step") << 100 << 12000 << 30 << 100;
        QTest::newRow("100: exactly one step") << 100 << 12000 << 100 << 100;
        QTest::newRow("100: zero") << 100 << 12000 << 0 << 100;
        QTest::newRow("100: above the maximum") << 100 << 12000 << 65535 << 12000;
        QTest::newRow("50: rounded down") << 50 << 26000 << 1525 << 1500;
        QTest::newRow("50: below one step") << 50 << 26000 << 30 << 50;
        QTest::newRow("50: above the maximum") << 50 << 26000 << 30000 << 26000;
        QTest::newRow("50: 20000 kept") << 50 << 26000 << 20000 << 20000;
    }
    void singleSnap()
    {
        QFETCH(int, step);
        QFETCH(int, maximum);
        QFETCH(int, typed);
        QFETCH(int, shown);
        QCOMPARE(DpiLevelRules::snapSingle(typed, step, maximum), shown);
    }

    void recordOfTheRows_data()
    {
        QTest::addColumn<Rows>("rows");
        QTest::addColumn<bool>("separate");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("current");
        QTest::addColumn<Values>("values");
        QTest::addColumn<bool>("valid");
        QTest::newRow("X only, default second")
            << Rows{{1, 800, 400, false}, {2, 1600, 700, true}} << false << 2 << 1 << Values{800, 1600} << true;
        QTest::newRow("X and Y") << Rows{{1, 800, 400, true}, {2, 1600, 700, false}, {3, 3200, 900, false}} << true << 3
                                 << 0 << Values{800, 400, 1600, 700, 3200, 900} << true;
        QTest::newRow("no default row") << Rows{{1, 800, 0, false}, {2, 900, 0, false}} << false << 2 << 0
                                        << Values{800, 900} << true;
        // A row out of place gives no values: the store refuses the record.
        QTest::newRow("a row out of place")
            << Rows{{1, 800, 0, true}, {3, 900, 0, false}} << false << 2 << 0 << Values{800} << false;
    }
    void recordOfTheRows()
    {
        QFETCH(Rows, rows);
        QFETCH(bool, separate);
        QFETCH(int, count);
        QFETCH(int, current);
        QFETCH(Values, values);
        QFETCH(bool, valid);
        const DpiConfigureRecord record = DpiLevelRules::listRecord(rows, separate);
        QCOMPARE(record.tag, 94);
        QCOMPARE(int(record.levelCount), count);
        QCOMPARE(int(record.currentLevel), current);
        QCOMPARE(record.separateXY, separate ? 1 : 0);
        QCOMPARE(record.dpiValues, values);
        QCOMPARE(record.isValid(), valid);
    }

    void singleRecord()
    {
        const DpiConfigureRecord record = DpiLevelRules::singleRecord(1550);
        QCOMPARE(int(record.levelCount), 1);
        QCOMPARE(int(record.currentLevel), 0);
        QCOMPARE(record.separateXY, 0);
        QCOMPARE(record.dpiValues, Values{1550});
    }

    // Reading a record back: by position, one or two values per level; a
    // record the store would not keep reads as the store's one level of 1500.
    void rowsOfARecord_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("current");
        QTest::addColumn<int>("separate");
        QTest::addColumn<Values>("values");
        QTest::addColumn<Rows>("rows");
        QTest::addColumn<Values>("stored");
        QTest::newRow("three levels from six values")
            << 3 << 2 << 1 << Values{800, 400, 1600, 700, 3200, 900}
            << Rows{{1, 800, 400, false}, {2, 1600, 700, false}, {3, 3200, 900, true}}
            << Values{800, 400, 1600, 700, 3200, 900};
        QTest::newRow("two levels, X only") << 2 << 0 << 0 << Values{800, 1600}
                                            << Rows{{1, 800, 800, true}, {2, 1600, 1600, false}} << Values{800, 1600};
        QTest::newRow("one level: no rows") << 1 << 0 << 0 << Values{1550} << Rows{} << Values{1550};
        QTest::newRow("too few values") << 3 << 0 << 1 << Values{800, 400, 1600} << Rows{} << Values{1500};
        QTest::newRow("too many values") << 2 << 0 << 0 << Values{800, 900, 1000} << Rows{} << Values{1500};
        QTest::newRow("default past the levels") << 2 << 2 << 0 << Values{800, 900} << Rows{} << Values{1500};
    }
    void rowsOfARecord()
    {
        QFETCH(int, count);
        QFETCH(int, current);
        QFETCH(int, separate);
        QFETCH(Values, values);
        QFETCH(Rows, rows);
        QFETCH(Values, stored);
        const DpiConfigureRecord record = dpiRecord(count, current, separate, values);
        const Rows read = DpiLevelRules::rowsOf(record);
        QCOMPARE(read.size(), rows.size());
        for (int i = 0; i < rows.size(); ++i) {
            QCOMPARE(read.at(i).number, rows.at(i).number);
            QCOMPARE(read.at(i).x, rows.at(i).x);
            QCOMPARE(read.at(i).y, rows.at(i).y);
            QCOMPARE(read.at(i).isDefault, rows.at(i).isDefault);
        }
        QCOMPARE(DpiLevelRules::storedForm(record).dpiValues, stored);
    }

    void defaultAfterDeletion_data()
    {
        QTest::addColumn<int>("deleted");
        QTest::addColumn<int>("remaining");
        QTest::addColumn<int>("next");
        QTest::newRow("first of three") << 1 << 2 << 1;
        QTest::newRow("middle of three") << 2 << 2 << 2;
        QTest::newRow("last of three") << 3 << 2 << 2;
        QTest::newRow("last of two") << 2 << 1 << 1;
        QTest::newRow("none left") << 1 << 0 << 0;
    }
    void defaultAfterDeletion()
    {
        QFETCH(int, deleted);
        QFETCH(int, remaining);
        QFETCH(int, next);
        QCOMPARE(DpiLevelRules::defaultAfterDeletion(deleted, remaining), next);
    }

    void moveOfADrop_data()
    {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::addColumn<QList<int>>("order");
        QTest::addColumn<bool>("moved");
        QTest::newRow("first onto third") << 0 << 2 << QList<int>{2, 3, 1} << true;
        QTest::newRow("third onto first") << 2 << 0 << QList<int>{3, 1, 2} << true;
        QTest::newRow("onto itself") << 1 << 1 << QList<int>{1, 2, 3} << true;
        QTest::newRow("no target") << 0 << -1 << QList<int>{1, 2, 3} << false;
        QTest::newRow("source gone") << -1 << 1 << QList<int>{1, 2, 3} << false;
        QTest::newRow("past the end") << 0 << 3 << QList<int>{1, 2, 3} << false;
    }
    void moveOfADrop()
    {
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(QList<int>, order);
        QFETCH(bool, moved);
        QList<int> list{1, 2, 3};
        QCOMPARE(DpiLevelRules::moveEntry(list, from, to), moved);
        QCOMPARE(list, order);
    }

    // ------------------------------------------------------------ loading flag

    void loadingGuardPutsThePreviousValueBack()
    {
        PackageCreator *model = PackageCreator::instance();
        for (bool before : {false, true}) {
            model->loading = before;
            {
                LoadingGuard outer(model);
                QVERIFY(model->loading);
                {
                    LoadingGuard inner;
                    model->loading = false; // what a filled page might do
                }
                QVERIFY(model->loading);
            }
            QCOMPARE(model->loading, before);
        }
    }
};

QTEST_GUILESS_MAIN(tst_SettingsRules)
#include "tst_settingsrules.moc"
