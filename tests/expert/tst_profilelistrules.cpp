// The profile name, deletion, tab strip and import rules, without widgets.
#include "ImportParents.h"
#include "ProfileListRules.h"
#include "StripLayout.h"

#include <QtTest>

namespace {

const QString empty = "Profile Name cannot be empty";
const QString tooLong = "Profile Name cannot be more than 18 characters";
const QString exists = "Profile Name already exists";

QList<QStringList> sampleGroups()
{
    return {{"Work", "Night", "Day"}, {"Play"}, {"Home", "Night"}};
}

} // namespace

class TestProfileListRules : public QObject
{
    Q_OBJECT

private slots:
    void addRefusalInItsOrder_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("topLevel");
        QTest::addColumn<QString>("parent");
        QTest::addColumn<QString>("reason");
        QTest::newRow("blanks only") << "   " << true << "" << empty;
        QTest::newRow("nineteen blanks") << QString(19, ' ') << true << "" << empty;
        QTest::newRow("18 characters") << QString(18, 'a') << true << ""
                                       << "";
        QTest::newRow("19 characters") << QString(19, 'a') << true << "" << tooLong;
        QTest::newRow("two blanks and 17 letters") << "  " + QString(17, 'a') << true << "" << tooLong;
        QTest::newRow("taken at top level") << "Work" << true << "" << exists;
        QTest::newRow("case counts") << "work" << true << ""
                                     << "";
        QTest::newRow("blanks count") << "Work " << true << ""
                                      << "";
        QTest::newRow("a sub-profile named as a top-level one") << "Play" << false << "Work"
                                                                << "";
        QTest::newRow("a sub-profile named as its parent") << "Work" << false << "Work"
                                                           << "";
        QTest::newRow("twice under one parent") << "Night" << false << "Work" << exists;
        QTest::newRow("under another parent") << "Day" << false << "Home"
                                              << "";
        QTest::newRow("a parent without a group") << "Night" << false << "Gone"
                                                  << "";
        QTest::newRow("a top-level name taken only below") << "Night" << true << ""
                                                           << "";
    }
    void addRefusalInItsOrder()
    {
        QFETCH(QString, name);
        QFETCH(bool, topLevel);
        QFETCH(QString, parent);
        QFETCH(QString, reason);
        QCOMPARE(ProfileListRules::addRefusal(name, sampleGroups(), topLevel, parent), reason);
    }

    void namesARenameMustDifferFrom()
    {
        const QList<QStringList> groups = sampleGroups();
        QCOMPARE(ProfileListRules::namesToDifferFrom(groups, true, ""), QStringList({"Work", "Play", "Home"}));
        // A sub-profile: its parent's sub-profiles, itself included; the first
        // group of that parent.
        QCOMPARE(ProfileListRules::namesToDifferFrom(groups, false, "Work"), QStringList({"Night", "Day"}));
        QCOMPARE(ProfileListRules::namesToDifferFrom(groups + QList<QStringList>{{"Work", "Other"}}, false, "Work"),
                 QStringList({"Night", "Day"}));
        QCOMPARE(ProfileListRules::namesToDifferFrom(groups, false, "Play"), QStringList());
        QCOMPARE(ProfileListRules::namesToDifferFrom(groups, false, "Gone"), QStringList());
    }

    void uniqueNameAppendsI_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QString>("unique");
        QTest::newRow("free") << "Work" << QStringList({"Play"}) << "Work";
        QTest::newRow("second") << "Work" << QStringList({"Work"}) << "Work I";
        QTest::newRow("third") << "Work" << QStringList({"Work", "Work I"}) << "Work II";
        QTest::newRow("fourth") << "Work" << QStringList({"Work", "Work I", "Work II"}) << "Work III";
        QTest::newRow("gap kept") << "Work" << QStringList({"Work", "Work II"}) << "Work I";
        QTest::newRow("ends in a capital I") << "WI" << QStringList({"WI"}) << "WII";
        QTest::newRow("small i") << "Wi" << QStringList({"Wi"}) << "Wi I";
        QTest::newRow("empty list") << "Work" << QStringList() << "Work";
    }
    void uniqueNameAppendsI()
    {
        QFETCH(QString, name);
        QFETCH(QStringList, names);
        QFETCH(QString, unique);
        QCOMPARE(ProfileListRules::uniqueName(name, names), unique);
    }

    void defaultAfterDeletion_data()
    {
        QTest::addColumn<int>("groups");
        QTest::addColumn<int>("deleted");
        QTest::addColumn<bool>("subProfile");
        QTest::addColumn<int>("group");
        QTest::newRow("the only top-level profile") << 1 << 0 << false << -1;
        QTest::newRow("the first of several") << 3 << 0 << false << 1;
        QTest::newRow("the first of two") << 2 << 0 << false << 1;
        QTest::newRow("a middle one") << 3 << 1 << false << 0;
        QTest::newRow("the last one") << 3 << 2 << false << 0;
        QTest::newRow("a sub-profile of group 0") << 1 << 0 << true << 0;
        QTest::newRow("a sub-profile of a later group") << 3 << 2 << true << 0;
    }
    void defaultAfterDeletion()
    {
        QFETCH(int, groups);
        QFETCH(int, deleted);
        QFETCH(bool, subProfile);
        QFETCH(int, group);
        QCOMPARE(ProfileListRules::defaultGroupAfterDeletion(groups, deleted, subProfile), group);
    }

    void stripWidths()
    {
        QCOMPARE(StripLayout::fixedWidth(150, 3, 30, 30, 30), 150 + 18 + 90 + 12);
        const StripLayout::Tabs none = StripLayout::measureTabs({}, 3);
        QCOMPARE(none.neededWidth, 0);
        QCOMPARE(none.stepWidth, 0);
        const StripLayout::Tabs one = StripLayout::measureTabs({100}, 3);
        QCOMPARE(one.neededWidth, 100);
        QCOMPARE(one.stepWidth, 100);
        const StripLayout::Tabs three = StripLayout::measureTabs({100, 120, 81}, 3);
        QCOMPARE(three.neededWidth, 301 + 6);
        QCOMPARE(three.stepWidth, 100);
    }

    void stripArrows_data()
    {
        QTest::addColumn<int>("strip");
        QTest::addColumn<int>("needed");
        QTest::addColumn<bool>("arrows");
        QTest::addColumn<int>("area");
        // fixed 270
        QTest::newRow("no tabs") << 564 << 0 << false << 0;
        QTest::newRow("fits") << 564 << 200 << false << 200;
        QTest::newRow("just fits") << 564 << 294 << false << 294;
        QTest::newRow("one pixel too many") << 564 << 295 << true << 294;
        QTest::newRow("narrower than the fixed parts") << 200 << 10 << true << -70;
    }
    void stripArrows()
    {
        QFETCH(int, strip);
        QFETCH(int, needed);
        QFETCH(bool, arrows);
        QFETCH(int, area);
        QCOMPARE(StripLayout::arrowsNeeded(strip, 270, needed), arrows);
        QCOMPARE(StripLayout::scrollAreaWidth(strip, 270, needed), area);
    }

    void arrowsEnabledByScrollPosition_data()
    {
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("maximum");
        QTest::addColumn<bool>("left");
        QTest::addColumn<bool>("right");
        QTest::newRow("start") << 0 << 300 << false << true;
        QTest::newRow("middle") << 150 << 300 << true << true;
        QTest::newRow("end") << 300 << 300 << true << false;
        QTest::newRow("nothing to scroll") << 0 << 0 << false << false;
    }
    void arrowsEnabledByScrollPosition()
    {
        QFETCH(int, value);
        QFETCH(int, maximum);
        QFETCH(bool, left);
        QFETCH(bool, right);
        const StripLayout::Arrows arrows = StripLayout::arrowsAt(value, 0, maximum);
        QCOMPARE(arrows.leftEnabled, left);
        QCOMPARE(arrows.rightEnabled, right);
    }

    void importedSubProfilesGoUnderTheProfileReadLast_data()
    {
        QTest::addColumn<QString>("announced");
        QTest::addColumn<QString>("created");
        QTest::addColumn<QString>("parent");
        QTest::addColumn<QString>("goesUnder");
        QTest::newRow("renamed parent, named as in the file") << "Work"
                                                              << "Work I"
                                                              << "Work"
                                                              << "Work I";
        QTest::newRow("renamed parent, named as created") << "Work"
                                                          << "Work I"
                                                          << "Work I"
                                                          << "Work I";
        QTest::newRow("kept name") << "Play"
                                   << "Play"
                                   << "Play"
                                   << "Play";
        QTest::newRow("another parent stays") << "Work"
                                              << "Work I"
                                              << "Home"
                                              << "Home";
        QTest::newRow("nothing read yet") << ""
                                          << ""
                                          << "Work"
                                          << "Work";
    }
    void importedSubProfilesGoUnderTheProfileReadLast()
    {
        QFETCH(QString, announced);
        QFETCH(QString, created);
        QFETCH(QString, parent);
        QFETCH(QString, goesUnder);
        ImportParents parents;
        parents.topLevelCreated("Older", "Older");
        if (!created.isEmpty())
            parents.topLevelCreated(announced, created);
        else
            parents.clear();
        QCOMPARE(parents.parentFor(parent), goesUnder);
    }
};

QTEST_GUILESS_MAIN(TestProfileListRules)
#include "tst_profilelistrules.moc"
