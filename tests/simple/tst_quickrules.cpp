// The quick editor's rules without widgets: the DPI rows a record shows and
// the record the rows make, where the default goes on a delete, a drop's
// move, the OLED and logo light records, and what the memory ring draws.
#include "MemoryRingRules.h"
#include "QuickDpiRules.h"
#include "QuickLightRules.h"

#include <QtTest>

#include <optional>

using namespace QuickDpiRules;

Q_DECLARE_METATYPE(DpiConfigureRecord)

namespace {

DpiConfigureRecord dpi(int count, int current, int separate, const QVector<quint16> &values)
{
    DpiConfigureRecord record;
    record.levelCount = quint8(count);
    record.currentLevel = quint8(current);
    record.separateXY = separate;
    record.dpiValues = values;
    return record;
}

} // namespace

class tst_QuickRules : public QObject
{
    Q_OBJECT

private slots:
    void recordShows_data()
    {
        QTest::addColumn<DpiConfigureRecord>("record");
        QTest::addColumn<bool>("readable");
        QTest::addColumn<QVector<int>>("values");
        QTest::addColumn<int>("defaultRow");
        QTest::newRow("three levels, default 2")
            << dpi(3, 1, 0, {800, 1600, 3200}) << true << QVector<int>{800, 1600, 3200} << 1;
        QTest::newRow("separate: the X values")
            << dpi(2, 0, 1, {800, 900, 1600, 1700}) << true << QVector<int>{800, 1600} << 0;
        QTest::newRow("one level") << dpi(1, 0, 0, {5000}) << true << QVector<int>{5000} << 0;
        QTest::newRow("twelve levels: the first ten") << dpi(12, 11, 0, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}) << true
                                                      << QVector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10} << -1;
        QTest::newRow("no levels") << dpi(0, 0, 0, {}) << false << QVector<int>() << -1;
        QTest::newRow("values short of the count") << dpi(3, 0, 0, {800, 900}) << false << QVector<int>() << -1;
        QTest::newRow("separate, one value per level") << dpi(2, 0, 1, {800, 900}) << false << QVector<int>() << -1;
    }
    void recordShows()
    {
        QFETCH(DpiConfigureRecord, record);
        QFETCH(bool, readable);
        QFETCH(QVector<int>, values);
        QFETCH(int, defaultRow);
        const std::optional<Shown> shown = shownLevels(record);
        QCOMPARE(shown.has_value(), readable);
        if (!shown)
            return;
        QCOMPARE(shown->values, values);
        QCOMPARE(shown->defaultRow, defaultRow);
    }

    // One value per row, X and Y together, the last default row the default.
    void rowsMakeTheRecord()
    {
        DpiConfigureRecord record = recordOf({{800, false}, {1600, true}, {70000, false}});
        QVERIFY(record.equals(dpi(3, 1, 0, {800, 1600, 65535})));
        record = recordOf({{800, true}, {900, true}});
        QCOMPARE(int(record.currentLevel), 1);
        record = recordOf({{400, false}});
        QVERIFY(record.equals(dpi(1, 0, 0, {400})));
        QCOMPARE(startValue({}), 1500);
        QCOMPARE(startValue({{800, false}, {2400, false}}), 2400);
    }

    void defaultAfterADelete_data()
    {
        QTest::addColumn<int>("deleted");
        QTest::addColumn<int>("remaining");
        QTest::addColumn<int>("next");
        QTest::newRow("level 2 of 3: the new level 2") << 2 << 2 << 2;
        QTest::newRow("the first") << 1 << 2 << 1;
        QTest::newRow("the last of 3: the new last") << 3 << 2 << 2;
        QTest::newRow("none left") << 1 << 0 << 0;
    }
    void defaultAfterADelete()
    {
        QFETCH(int, deleted);
        QFETCH(int, remaining);
        QFETCH(int, next);
        QCOMPARE(defaultAfterDeletion(deleted, remaining), next);
    }

    void dropMoves()
    {
        QList<int> list{1, 2, 3};
        QVERIFY(moveEntry(list, 0, 2));
        QCOMPARE(list, (QList<int>{2, 3, 1}));
        QVERIFY(moveEntry(list, 2, 0));
        QCOMPARE(list, (QList<int>{1, 2, 3}));
        QVERIFY(!moveEntry(list, 0, -1));
        QVERIFY(!moveEntry(list, 3, 0));
        QCOMPARE(list, (QList<int>{1, 2, 3}));
    }

    void oledRecord_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QByteArray>("message");
        QTest::newRow("custom, empty: blank") << 1 << "" << 0 << QByteArray();
        QTest::newRow("custom abc") << 1 << "abc" << 1 << QByteArray("\x61\x62\x63");
        QTest::newRow("custom outside Latin-1")
            << 1 << QString::fromUtf8("\xc3\xa9\xe2\x82\xac") << 1 << QByteArray("\xe9?");
        QTest::newRow("current DPI: no message") << 2 << "abc" << 2 << QByteArray();
        QTest::newRow("firmware version") << 7 << "" << 7 << QByteArray();
        QTest::newRow("no selection: blank") << -1 << "abc" << 0 << QByteArray();
    }
    void oledRecord()
    {
        QFETCH(int, index);
        QFETCH(QString, text);
        QFETCH(int, kind);
        QFETCH(QByteArray, message);
        const OledSetRecord record = QuickLightRules::oledRecord(index, text);
        QCOMPARE(record.tag, 97);
        QCOMPARE(record.oledMode, kind);
        QCOMPARE(record.message, message);
    }

    void ledRecord_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("mode");
        QTest::addColumn<QColor>("colour");
        QTest::newRow("off") << 0 << 0 << QColor(0, 0, 0);
        QTest::newRow("fixed: the colour") << 1 << 1 << QColor(10, 200, 30);
        QTest::newRow("rotation: no colour") << 2 << 2 << QColor(0, 0, 0);
        QTest::newRow("no selection: off") << -1 << 0 << QColor(0, 0, 0);
    }
    void ledRecord()
    {
        QFETCH(int, index);
        QFETCH(int, mode);
        QFETCH(QColor, colour);
        const LedSetRecord record = QuickLightRules::ledRecord(index, QColor(10, 200, 30));
        QCOMPARE(record.tag, 95);
        QCOMPARE(record.ledMode, mode);
        QCOMPARE(int(record.brightness), 100);
        QCOMPARE(int(record.ledDuration.high()), 0x01);
        QCOMPARE(int(record.ledDuration.low()), 0xF4);
        QCOMPARE(QColor(record.colour1[0], record.colour1[1], record.colour1[2]), colour);
        for (quint8 b : record.colour2)
            QCOMPARE(int(b), 0);
    }

    void ring_data()
    {
        QTest::addColumn<double>("percent");
        QTest::addColumn<int>("productId");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("span");
        QTest::addColumn<QString>("arc");
        QTest::newRow("0 %: no arc") << 0.0 << 20 << "0%" << 0 << "#b9bff1";
        QTest::newRow("42.1 %") << 42.1 << 20 << "43%" << -2424 << "#b9bff1";
        QTest::newRow("99.01 %") << 99.01 << 0 << "100%" << -5702 << "#b9bff1";
        QTest::newRow("100 %: a full circle") << 100.0 << 5 << "100%" << -5760 << "#666666";
        QTest::newRow("150 %: over") << 150.0 << 30 << "150%" << -8640 << "#ff0000";
        QTest::newRow("150 % pelkin: over") << 150.0 << 20 << "150%" << -8640 << "#ff5959";
    }
    void ring()
    {
        QFETCH(double, percent);
        QFETCH(int, productId);
        QFETCH(QString, text);
        QFETCH(int, span);
        QFETCH(QString, arc);
        QCOMPARE(MemoryRingRules::percentText(percent), text);
        QCOMPARE(MemoryRingRules::arcSpan(percent), span);
        QCOMPARE(MemoryRingRules::arcColour(percent, productId).name(), arc);
    }

    void ringColours()
    {
        for (int pid : {5, 10, 30}) {
            const MemoryRingRules::Colours look = MemoryRingRules::colours(pid);
            QCOMPARE(look.track.name(), QString("#111111"));
            QCOMPARE(look.value.name(), QString("#666666"));
        }
        for (int pid : {0, 15, 20, 25}) {
            const MemoryRingRules::Colours look = MemoryRingRules::colours(pid);
            QCOMPARE(look.track.name(), QString("#1c2033"));
            QCOMPARE(look.over.name(), QString("#ff5959"));
        }
    }
};

QTEST_APPLESS_MAIN(tst_QuickRules)
#include "tst_quickrules.moc"
