// The mapping page's rules over a profile's top-level mappings: whether a
// page has mappings of its own, what a page shows and restores, and the
// default sets of a page taken over.
//
// Lists are written as words: b<id> a button, s<direction> a scroll,
// p<axis> / n<axis> a tilt region starting at 0 / above 0, g<axis> a tilt
// range, m a movement, f<button> a force region. Defaults read back the same
// way: t<axis>:<angle> a region, g<axis>:<range> a range (+m mirrored).

#include "InputMapAction_Angle.h"
#include "InputMapAction_Button.h"
#include "InputMapAction_Force.h"
#include "InputMapAction_Movement.h"
#include "InputMapAction_Scroll.h"
#include "MappingListRules.h"

#include <QtTest>

using Page = MappingListRules::Page;
using Default = MappingListRules::Default;
Q_DECLARE_METATYPE(MappingListRules::Page)

namespace {

InputMapPtr mappingOf(const QString &word)
{
    const int number = word.mid(1).toInt();
    switch (word.at(0).toLatin1()) {
    case 'b': {
        auto button = std::make_shared<InputMapAction_Button>();
        button->buttonId = number;
        return button;
    }
    case 's': {
        auto scroll = std::make_shared<InputMapAction_Scroll>();
        scroll->wheelDirection = number;
        return scroll;
    }
    case 'p':
    case 'n': {
        auto region = std::make_shared<InputMapAction_Angle>(InputType::AngleRegion);
        region->axis = number;
        region->entryStart = word.at(0) == QLatin1Char('p') ? 0 : 1920;
        return region;
    }
    case 'g': {
        auto range = std::make_shared<InputMapAction_Angle>(InputType::AngleRange);
        range->axis = number;
        return range;
    }
    case 'm':
        return std::make_shared<InputMapAction_Movement>();
    case 'f': {
        auto force = std::make_shared<InputMapAction_Force>();
        force->buttonId = number;
        return force;
    }
    }
    qFatal("unknown mapping word");
}

InputMapList listOf(const QString &words)
{
    InputMapList maps;
    for (const QString &word : words.split(QLatin1Char(' '), Qt::SkipEmptyParts))
        maps << mappingOf(word);
    return maps;
}

QString wordOf(const Default &added)
{
    switch (added.kind) {
    case Default::Button:
        return QStringLiteral("b%1").arg(added.value);
    case Default::Scroll:
        return QStringLiteral("s%1").arg(added.value);
    case Default::TiltRegion:
        return QStringLiteral("t%1:%2").arg(added.value).arg(added.angle);
    case Default::TiltRange:
        break;
    }
    return QStringLiteral("g%1:%2,%3,%4,%5%6")
        .arg(added.value)
        .arg(added.range[0])
        .arg(added.range[1])
        .arg(added.range[2])
        .arg(added.range[3])
        .arg(added.mirrored ? "m" : "");
}

QString wordsOf(const MappingListRules::Defaults &defaults)
{
    QStringList words;
    for (const Default &added : defaults)
        words << wordOf(added);
    return words.join(QLatin1Char(' '));
}

// The mappings the page shows, in list order.
InputMapList shownOn(const Page &page, const InputMapList &maps)
{
    InputMapList shown;
    for (const InputMapPtr &mapping : maps) {
        if (MappingListRules::shownOnPage(page, *mapping, true))
            shown << mapping;
    }
    return shown;
}

} // namespace

class tst_MappingListRules : public QObject
{
    Q_OBJECT

private slots:
    void buttonExistence_data()
    {
        QTest::addColumn<QString>("maps");
        QTest::addColumn<int>("id");
        QTest::addColumn<bool>("exact");
        QTest::addColumn<bool>("expected");
        QTest::newRow("the push alone") << "b9" << 9 << false << true;
        QTest::newRow("a push is not its pull") << "b9" << 10 << false << false;
        QTest::newRow("a pull counts for its push") << "b10" << 9 << false << true;
        QTest::newRow("the right pull for its push") << "b12" << 11 << true << true;
        QTest::newRow("the right push not for its pull") << "b11" << 12 << false << false;
        QTest::newRow("other trigger") << "b12" << 9 << false << false;
        QTest::newRow("wheel exactly") << "b0 s0" << 2 << true << false;
        QTest::newRow("wheel for the middle button") << "b0 s1" << 2 << false << true;
        QTest::newRow("both-ways scroll is no wheel direction") << "s2" << 2 << false << false;
        QTest::newRow("middle button itself") << "b2" << 2 << true << true;
        QTest::newRow("another button") << "b3 s0" << 4 << false << false;
        QTest::newRow("a force input is no button") << "f1 m" << 1 << false << false;
        QTest::newRow("nothing") << "" << 0 << false << false;
    }
    void buttonExistence()
    {
        QFETCH(QString, maps);
        QFETCH(int, id);
        QFETCH(bool, exact);
        QFETCH(bool, expected);
        QCOMPARE(MappingListRules(listOf(maps)).hasButtonMapping(id, exact), expected);
    }

    void tiltExistence_data()
    {
        QTest::addColumn<QString>("maps");
        QTest::addColumn<int>("positive0");
        QTest::addColumn<int>("negative0");
        QTest::addColumn<bool>("range0");
        QTest::addColumn<bool>("leftRight");
        QTest::addColumn<bool>("forwardBack");
        QTest::newRow("nothing") << "b0 s0" << 0 << 0 << false << false << false;
        QTest::newRow("one positive region") << "p0" << 1 << 0 << false << true << false;
        QTest::newRow("negative regions") << "n0 n0 b1" << 0 << 2 << false << true << false;
        QTest::newRow("only the range") << "g0" << 0 << 0 << true << true << false;
        QTest::newRow("the other axis") << "p1 n1 g1" << 0 << 0 << false << false << true;
        QTest::newRow("pivot is neither page") << "p2 g2" << 0 << 0 << false << false << false;
    }
    void tiltExistence()
    {
        QFETCH(QString, maps);
        const MappingListRules rules(listOf(maps));
        QTEST(rules.countTiltRegions(0, true), "positive0");
        QTEST(rules.countTiltRegions(0, false), "negative0");
        QTEST(rules.hasTiltRange(0), "range0");
        QTEST(rules.hasTiltLeftRight(), "leftRight");
        QTEST(rules.hasTiltForwardBack(), "forwardBack");
    }

    // What a page shows of the list, whether it offers "+ Restore" and what
    // that adds. A tilt page without a single card offers it but has no card
    // to restore from.
    void restore_data()
    {
        QTest::addColumn<QString>("maps");
        QTest::addColumn<Page>("page");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("expected");
        QTest::addColumn<bool>("offered");
        QTest::addColumn<QString>("added");
        QTest::newRow("middle button with one direction")
            << "b0 b2 s0 b3" << Page::button(2) << "b2 s0" << 3 << true << "s1";
        QTest::newRow("wheel without its button") << "s1 s0 b0" << Page::button(2) << "s1 s0" << 3 << true << "b2";
        QTest::newRow("one direction without its button") << "s1" << Page::button(2) << "s1" << 3 << true << "b2 s0";
        QTest::newRow("whole wheel") << "s0 b2 s1" << Page::button(2) << "s0 b2 s1" << 3 << false << "";
        QTest::newRow("push alone") << "b9 b0" << Page::button(9) << "b9" << 2 << true << "b10";
        QTest::newRow("pull alone, the pull's page") << "b10" << Page::button(10) << "b10" << 2 << true << "b9";
        QTest::newRow("right pull alone") << "b12" << Page::button(11) << "b12" << 2 << true << "b11";
        QTest::newRow("right push alone") << "b11" << Page::button(12) << "b11" << 2 << true << "b12";
        QTest::newRow("both trigger halves") << "b10 b9" << Page::button(9) << "b10 b9" << 2 << false << "";
        QTest::newRow("a plain button") << "b4 b3" << Page::button(3) << "b3" << 1 << false << "";
        QTest::newRow("complete tilt page")
            << "p0 p0 n0 n0 g0 b1" << Page::tiltLeftRight() << "p0 p0 n0 n0 g0" << 5 << false << "";
        QTest::newRow("both positive regions missing")
            << "n0 g0 n0" << Page::tiltLeftRight() << "n0 g0 n0" << 5 << true << "t0:12 t0:12";
        QTest::newRow("range and a negative region missing")
            << "p1 n1 p1 p0" << Page::tiltForwardBack() << "p1 n1 p1" << 5 << true << "t1:-12 g1:0,40,0,40m";
        QTest::newRow("left / right range restored")
            << "p0 p0 n0 n0" << Page::tiltLeftRight() << "p0 p0 n0 n0" << 5 << true << "g0:0,80,0,80m";
        QTest::newRow("the other axis does not count")
            << "p0 p0 n0 n0 g0" << Page::tiltForwardBack() << "" << 5 << true << "";
        QTest::newRow("tilt page without any card") << "" << Page::tiltLeftRight() << "" << 5 << true << "";
        QTest::newRow("the All page") << "b0 p0" << Page::all() << "b0 p0" << 0 << false << "";
    }
    void restore()
    {
        QFETCH(QString, maps);
        QFETCH(Page, page);
        QFETCH(QString, shown);
        const InputMapList list = listOf(maps);
        const MappingListRules rules(list);
        QStringList shownWords;
        for (const QString &word : maps.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            if (MappingListRules::shownOnPage(page, *mappingOf(word), true))
                shownWords << word;
        }
        QCOMPARE(shownWords.join(QLatin1Char(' ')), shown);
        QTEST(MappingListRules::expectedCount(page), "expected");
        QTEST(rules.offersRestore(page), "offered");
        // The button is only there while the page offers it.
        QFETCH(bool, offered);
        if (offered)
            QTEST(wordsOf(rules.restore(shownOn(page, list))), "added");
    }

    // Hidden cards are passed over: the first restorable card among those
    // shown decides, whatever else the list holds before it.
    void restoreTakesTheFirstShownCard()
    {
        const InputMapList list = listOf("b9 b0 s0");
        const MappingListRules rules(list);
        QCOMPARE(wordsOf(rules.restore(list)), QString("b10"));
        QCOMPARE(wordsOf(rules.restore(list.mid(1))), QString("b2 s1"));
        QCOMPARE(wordsOf(rules.restore(list.mid(1, 1))), QString());
    }

    // A model without a tilt sensor hides the tilt cards and the force
    // cards directly under the right, middle and right fingertip buttons.
    void allPageOnModelsWithoutTilt()
    {
        const Page all = Page::all();
        for (const char *word : {"p0", "n1", "g0", "g2"}) {
            QVERIFY2(!MappingListRules::shownOnPage(all, *mappingOf(word), false), word);
            QVERIFY2(MappingListRules::shownOnPage(all, *mappingOf(word), true), word);
        }
        for (const char *word : {"b0", "s1", "m", "b12"})
            QVERIFY2(MappingListRules::shownOnPage(all, *mappingOf(word), false), word);

        auto forceRange = std::make_shared<InputMapAction_Force>(InputType::ForceRange);
        for (int id = 0; id <= 12; ++id) {
            const bool forceButton = id == 1 || id == 2 || id == 8;
            const InputMapPtr parent = mappingOf(QStringLiteral("b%1").arg(id));
            QCOMPARE(MappingListRules::nestedShownOnAll(*parent, *mappingOf("f1"), false), !forceButton);
            QCOMPARE(MappingListRules::nestedShownOnAll(*parent, *forceRange, false), !forceButton);
            QVERIFY(MappingListRules::nestedShownOnAll(*parent, *forceRange, true));
            QVERIFY(MappingListRules::nestedShownOnAll(*parent, *mappingOf("b3"), false));
        }
        // Deeper down the force cards stay.
        QVERIFY(MappingListRules::nestedShownOnAll(*mappingOf("s0"), *mappingOf("f1"), false));
    }

    void defaultSets()
    {
        const QString axis0 = "t0:12 t0:100 t0:-12 t0:-100 g0:0,80,0,80m";
        const QString axis1 = "t1:12 t1:100 t1:-12 t1:-100 g1:0,40,0,40m";
        QCOMPARE(wordsOf(MappingListRules::tiltDefaults(0)), axis0);
        QCOMPARE(wordsOf(MappingListRules::tiltDefaults(1)), axis1);

        const QString buttons = "b0 b1 b2 s0 s1 b3 b4 b5 b6 b7 b8 b9 b10 b11 b12";
        QCOMPARE(wordsOf(MappingListRules::allDefaults(false)), buttons);
        QCOMPARE(wordsOf(MappingListRules::allDefaults(true)), buttons + " " + axis0 + " " + axis1);

        QCOMPARE(wordsOf(MappingListRules::defaultsForButton(2)), QString("b2 s0 s1"));
        QCOMPARE(wordsOf(MappingListRules::defaultsForButton(9)), QString("b9 b10"));
        QCOMPARE(wordsOf(MappingListRules::defaultsForButton(10)), QString("b10"));
        QCOMPARE(wordsOf(MappingListRules::defaultsForButton(11)), QString("b11 b12"));
        QCOMPARE(wordsOf(MappingListRules::defaultsForButton(5)), QString("b5"));
    }
};

QTEST_GUILESS_MAIN(tst_MappingListRules)
#include "tst_mappinglistrules.moc"
