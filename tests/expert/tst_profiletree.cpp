// The profile tree's rules over the store's records: the active-profile
// list, positions, names, where the foreground application and the selector
// switch to, and the numbering after a deletion. The switch reaches a
// connected simulated mouse.
#include "ConnectedMouse.h"
#include "OutputAction_Profile.h"
#include "PackageCreator.h"
#include "ProcessStateGuard.h"
#include "ProfileData.h"
#include "ProfileRenumbering.h"
#include "ProfileTree.h"
#include "SampleModel.h"
#include "SimpleModel.h"
#include "SimulatedMouse.h"

#include <QtTest>

#include <optional>

namespace {

PackageCreator *store()
{
    return PackageCreator::instance();
}

// Global, Work with its sub-profile Night, Play; Work is the default.
void buildTree()
{
    SampleModel::emptyModel();
    store()->addProfile(0, 255, QStringLiteral("Work"))->isDefault = true;
    store()->addProfile(0, 0, QStringLiteral("Night"));
    store()->addProfile(1, 255, QStringLiteral("Play"));
}

ProfileData *byName(const QString &name)
{
    if (name == QLatin1String("Global"))
        return store()->globalProfile();
    const QList<ProfileData *> list = store()->profiles();
    for (ProfileData *profile : list) {
        if (profile->name == name)
            return profile;
    }
    return nullptr;
}

QString nameOf(const ProfileData *profile)
{
    return profile ? profile->name : QStringLiteral("(none)");
}

// "Global=a.exe|b.exe Work=c.exe" links those ids to those profiles.
void link(const QString &links)
{
    const QStringList items = links.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (const QString &item : items) {
        const QStringList parts = item.split(QLatin1Char('='));
        ProfileData *profile = byName(parts.at(0));
        QVERIFY(profile);
        profile->linkedAppPaths = parts.at(1).split(QLatin1Char('|'));
        profile->linkedAppNames = profile->linkedAppPaths;
    }
}

QList<ProfileData *> withGlobal()
{
    return SimpleModel::instance()->profiles();
}

} // namespace

class TestProfileTree : public QObject
{
    Q_OBJECT

private:
    std::optional<ProcessStateGuard> clean;

private slots:
    void init()
    {
        clean.emplace();
        buildTree();
    }
    void cleanup() { clean.reset(); }

    void activeProfilesListIndentsByLevel()
    {
        QCOMPARE(ProfileTree::activeProfilesList(QStringLiteral("Global"), store()->profiles()),
                 QStringList({"Auto Profile Switching", "Global", "  Work", "    Night", "  Play"}));
        QCOMPARE(ProfileTree::activeProfilesList(QStringLiteral("Global"), {}),
                 QStringList({"Auto Profile Switching", "Global"}));
    }

    void activeEntry_data()
    {
        QTest::addColumn<QString>("active");
        QTest::addColumn<bool>("autoSwitching");
        QTest::addColumn<int>("entry");
        QTest::newRow("switching automatically") << "Night" << true << 0;
        QTest::newRow("global") << "Global" << false << 1;
        QTest::newRow("top-level") << "Work" << false << 2;
        QTest::newRow("sub-profile") << "Night" << false << 3;
        QTest::newRow("last") << "Play" << false << 4;
        QTest::newRow("none") << "" << false << 1;
    }
    void activeEntry()
    {
        QFETCH(QString, active);
        QFETCH(bool, autoSwitching);
        QFETCH(int, entry);
        QCOMPARE(ProfileTree::activeEntry(store()->profiles(), byName(active), autoSwitching), entry);
    }

    void findProfile_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("subIndex");
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("profile");
        QTest::newRow("global") << 255 << 255 << 1 << "Global";
        QTest::newRow("top-level") << 0 << 255 << 2 << "Work";
        QTest::newRow("sub-profile") << 0 << 0 << 3 << "Night";
        QTest::newRow("second top-level") << 1 << 255 << 4 << "Play";
        QTest::newRow("unknown index") << 7 << 255 << 5 << "";
        QTest::newRow("unknown sub-profile") << 1 << 0 << 5 << "";
        QTest::newRow("sub-index of the global pair") << 255 << 0 << 5 << "";
    }
    void findProfile()
    {
        QFETCH(int, index);
        QFETCH(int, subIndex);
        QFETCH(int, position);
        QFETCH(QString, profile);
        const ProfileTree::Found found =
            ProfileTree::findProfile(store()->globalProfile(), store()->profiles(), index, subIndex);
        QCOMPARE(found.position, position);
        QCOMPARE(found.profile, byName(profile));
    }

    void listEntries_data()
    {
        QTest::addColumn<int>("entry");
        QTest::addColumn<QString>("profile");
        QTest::newRow("automatic switching") << 0 << "";
        QTest::newRow("global") << 1 << "Global";
        QTest::newRow("top-level") << 2 << "Work";
        QTest::newRow("sub-profile") << 3 << "Night";
        QTest::newRow("last") << 4 << "Play";
        QTest::newRow("past the last") << 5 << "";
        QTest::newRow("negative") << -1 << "";
    }
    void listEntries()
    {
        QFETCH(int, entry);
        QFETCH(QString, profile);
        QCOMPARE(ProfileTree::listEntryProfile(store()->globalProfile(), store()->profiles(), entry), byName(profile));
    }

    void names_data()
    {
        QTest::addColumn<QString>("profile");
        QTest::addColumn<QString>("parent");
        QTest::addColumn<QString>("buttonName");
        QTest::addColumn<QString>("shownName");
        QTest::newRow("global") << "Global"
                                << ""
                                << ""
                                << "";
        QTest::newRow("top-level") << "Work"
                                   << "Global"
                                   << "Work"
                                   << "Work";
        QTest::newRow("sub-profile") << "Night"
                                     << "Work"
                                     << "Work"
                                     << "Work: Night";
    }
    void names()
    {
        QFETCH(QString, profile);
        QFETCH(QString, parent);
        const ProfileTree::Names names = ProfileTree::names(*byName(profile), parent);
        QTEST(names.buttonName, "buttonName");
        QTEST(names.shownName, "shownName");
    }

    void foregroundMatch_data()
    {
        QTest::addColumn<QString>("links");
        QTest::addColumn<QString>("appId");
        QTest::addColumn<QString>("expected");
        QTest::newRow("full path, capitals") << "Play=C:\\Games\\game.exe"
                                             << "GAME.EXE"
                                             << "Play";
        QTest::newRow("bare name, mixed case") << "Play=Game.exe"
                                               << "GAME.EXE"
                                               << "Play";
        QTest::newRow("forward slashes") << "Play=/opt/games/game.exe"
                                         << "GAME.EXE"
                                         << "Play";
        QTest::newRow("sub-profile") << "Night=/usr/bin/night"
                                     << "night"
                                     << "Night";
        QTest::newRow("folder name is not the file") << "Play=C:\\game.exe\\run.exe"
                                                     << "game.exe"
                                                     << "Work";
        QTest::newRow("part of a name") << "Play=game.exe"
                                        << "game"
                                        << "Work";
        QTest::newRow("no match: default") << "Play=game.exe"
                                           << "other.exe"
                                           << "Work";
        QTest::newRow("empty id: default") << "Play=game.exe"
                                           << ""
                                           << "Work";
        QTest::newRow("first in tree order") << "Play=a.exe Night=x\\A.EXE"
                                             << "a.exe"
                                             << "Night";
        QTest::newRow("global first") << "Global=a.exe Work=a.exe"
                                      << "a.exe"
                                      << "Global";
    }
    void foregroundMatch()
    {
        QFETCH(QString, links);
        QFETCH(QString, appId);
        link(links);
        const ProfileData *chosen = ProfileTree::foregroundProfile(withGlobal(), appId, *store());
        QTEST(nameOf(chosen), "expected");
    }

    // No match: the first profile marked default, the global profile first;
    // none marked, nothing.
    void noMatchGoesToTheFirstDefault()
    {
        link("Play=game.exe");
        byName("Play")->isDefault = true;
        QCOMPARE(ProfileTree::foregroundProfile(withGlobal(), "other.exe", *store()), byName("Work"));
        byName("Global")->isDefault = true;
        QCOMPARE(ProfileTree::foregroundProfile(withGlobal(), "other.exe", *store()), byName("Global"));
        for (ProfileData *profile : withGlobal())
            profile->isDefault = false;
        QCOMPARE(ProfileTree::foregroundProfile(withGlobal(), "other.exe", *store()), nullptr);
        QVERIFY(store()->lastSelectedList().isEmpty());
    }

    // The first match is remembered the first time; later the remembered
    // choice decides, and changing the links changes nothing of it.
    void rememberedChoiceDecidesBetweenSeveral()
    {
        link("Global=C:\\x\\app.exe Work=app.exe");
        QCOMPARE(ProfileTree::foregroundProfile(withGlobal(), "app.exe", *store()), byName("Global"));
        QCOMPARE(store()->lastSelectedList().size(), 1);
        const LastSelectedEntry entry = store()->lastSelectedList().first();
        QCOMPARE(entry.path, QString("app.exe"));
        QCOMPARE(entry.profileIndex, 255);
        QCOMPARE(entry.value, 255);

        QVERIFY(store()->updateLastSelected({"app.exe", 0, 255}));
        QCOMPARE(ProfileTree::foregroundProfile(withGlobal(), "app.exe", *store()), byName("Work"));
        link("Night=app.exe");
        QCOMPARE(ProfileTree::foregroundProfile(withGlobal(), "app.exe", *store()), byName("Work"));
        QCOMPARE(store()->lastSelectedList().size(), 1);
        QCOMPARE(store()->lastSelectedList().first().profileIndex, 0);

        // The key is compared exactly: another spelling is a new application.
        QCOMPARE(ProfileTree::foregroundProfile(withGlobal(), "APP.EXE", *store()), byName("Global"));
        QCOMPARE(store()->lastSelectedList().size(), 2);

        // A remembered profile that is gone leaves the first match.
        QVERIFY(store()->updateLastSelected({"app.exe", 9, 255}));
        QCOMPARE(ProfileTree::foregroundProfile(withGlobal(), "app.exe", *store()), byName("Global"));
    }

    void othersLinkingComparesIdsExactly()
    {
        link("Global=a.exe Work=C:\\a.exe|a.exe Play=A.exe");
        const QList<ProfileData *> others = ProfileTree::othersLinking(withGlobal(), byName("Play"), "a.exe");
        QCOMPARE(others, QList<ProfileData *>({byName("Global"), byName("Work")}));
        QCOMPARE(ProfileTree::othersLinking(withGlobal(), byName("Global"), "a.exe"),
                 QList<ProfileData *>({byName("Work")}));
    }

    // The chosen profile reaches the mouse with its pair.
    void chosenProfileReachesTheMouse()
    {
        ConnectedMouse fixture(20);
        fixture.connect();
        fixture.mouse()->clearLog();
        link("Work=C:\\Games\\game.exe");
        ProfileData *chosen = ProfileTree::foregroundProfile(withGlobal(), "GAME.EXE", *store());
        SimpleModel::instance()->setActiveProfile(chosen, true);
        QTRY_COMPARE(fixture.mouse()->countOf(1, 10, 30), 1);
        QCOMPARE(fixture.mouse()->lastCommand().payload.mid(0, 3), QVector<uint8_t>({2, 0, 255}));
    }

    // After a deletion the profiles close the gap; go-to-profile outputs and
    // remembered choices follow them, and what aimed at the deleted profile
    // aims at the global profile.
    void renumberingAfterADeletion()
    {
        SampleModel::emptyModel();
        ProfileData *first = store()->addProfile(0, 255, "A");
        ProfileData *second = store()->addProfile(1, 255, "B");
        ProfileData *third = store()->addProfile(2, 255, "C");
        ProfileData *thirdSub = store()->addProfile(2, 0, "C0");
        auto jumpTo = [](int index, int subIndex) {
            auto jump = std::make_shared<OutputAction_Profile>(91);
            jump->profileIndex = quint8(index);
            jump->subProfileIndex = quint8(subIndex);
            return jump;
        };
        auto toThird = jumpTo(2, 255);
        auto toThirdSub = jumpTo(2, 0);
        auto toFirst = jumpTo(0, 255);
        InputMapPtr mapping = SampleModel::button(0);
        mapping->activationOutputs = {toThird, toThirdSub, toFirst};
        store()->globalProfile()->inputMaps = {mapping};
        third->profileOutputs = {jumpTo(1, 255)};
        LastSelectedEntry remembered{"c.exe", 2, 0};
        LastSelectedEntry forgotten{"a.exe", 0, 255};
        store()->lastSelected(remembered);
        store()->lastSelected(forgotten);

        ProfileRenumbering renumbering;
        renumbering.remove(first->index, first->subIndex);
        store()->removeProfile(first);
        ProfileTree::renumber({{second}, {third, thirdSub}}, renumbering);
        renumbering.apply(store());

        QCOMPARE(int(second->index), 0);
        QCOMPARE(int(third->index), 1);
        QCOMPARE(int(thirdSub->index), 1);
        QCOMPARE(int(thirdSub->subIndex), 0);
        QCOMPARE(int(toThird->profileIndex), 1);
        QCOMPARE(int(toThird->subProfileIndex), 255);
        QCOMPARE(int(toThirdSub->profileIndex), 1);
        QCOMPARE(int(toThirdSub->subProfileIndex), 0);
        QCOMPARE(int(toFirst->profileIndex), 255);
        const auto *fromThird = static_cast<OutputAction_Profile *>(third->profileOutputs.first().get());
        QCOMPARE(int(fromThird->profileIndex), 0);
        QCOMPARE(store()->lastSelectedList().size(), 1);
        QCOMPARE(store()->lastSelectedList().first().profileIndex, 1);
        QCOMPARE(store()->lastSelectedList().first().value, 0);
    }
};

QTEST_GUILESS_MAIN(TestProfileTree)
#include "tst_profiletree.moc"
