#include "InputMapAction_Button.h"
#include "InputMapAction_Scroll.h"
#include "OutputAction_Keyboard.h"
#include "OutputAction_Tracking.h"
#include "PackageCreator.h"

#include <QSignalSpy>
#include <QtTest>

namespace {

using Pair = QPair<int, int>;

QList<Pair> pairs(const QList<ProfileData *> &profiles)
{
    QList<Pair> list;
    for (const ProfileData *p : profiles)
        list.append({p->index, p->subIndex});
    return list;
}

InputMapPtr button(int id, const QString &name = QString())
{
    auto mapping = std::make_shared<InputMapAction_Button>();
    mapping->buttonId = id;
    mapping->name = name;
    auto key = std::make_shared<OutputAction_Keyboard>(30);
    key->keyUsage = quint8(4 + id);
    mapping->activationOutputs = {key};
    return mapping;
}


DpiConfigureRecord dpiRecord(int levels, int current, int separate, QVector<quint16> values)
{
    DpiConfigureRecord record;
    record.levelCount = quint8(levels);
    record.currentLevel = quint8(current);
    record.separateXY = separate;
    record.dpiValues = values;
    return record;
}

} // namespace

Q_DECLARE_METATYPE(DpiConfigureRecord)

class TestPackageCreator : public QObject
{
    Q_OBJECT

private:
    PackageCreator *store = PackageCreator::instance();

    // A global profile and a top-level profile 0, current, with loading off.
    ProfileData *globalAndOneProfile()
    {
        store->addProfile(255, 255, "Global");
        ProfileData *profile = store->addProfile(0, 255, "Work");
        store->loading = false;
        return profile;
    }

private slots:
    void init() { store->reset(); }
    void cleanupTestCase() { store->reset(); }

    void startsEmptyAndLoading()
    {
        QCOMPARE(PackageCreator::instance(), store);
        QVERIFY(store->loading);
        QVERIFY(store->editingActivation());
        QVERIFY(!store->globalProfile() && !store->currentProfile() && !store->activeProfile());
        QVERIFY(store->profiles().isEmpty());
        QVERIFY(!store->autoSwitching());
        int index = 0, sub = 0;
        store->activeProfileIndex(&index, &sub);
        QCOMPARE(Pair(index, sub), Pair(255, 255));
    }

    void addingProfilesKeepsTheListSorted_data()
    {
        QTest::addColumn<QList<Pair>>("added");
        QTest::addColumn<QList<Pair>>("sorted");
        QTest::newRow("example") << QList<Pair>{{1, 255}, {0, 255}, {0, 0}, {0, 1}}
                                 << QList<Pair>{{0, 255}, {0, 0}, {0, 1}, {1, 255}};
        // Sub-indexes with gaps, added out of order: the position rule of
        // "sub-index + 1 in the group" would misplace them.
        QTest::newRow("gaps") << QList<Pair>{{0, 255}, {0, 5}, {0, 2}, {1, 255}, {1, 7}, {0, 0}, {1, 3}}
                              << QList<Pair>{{0, 255}, {0, 0}, {0, 2}, {0, 5}, {1, 255}, {1, 3}, {1, 7}};
        QTest::newRow("sub-profiles first") << QList<Pair>{{2, 1}, {2, 0}, {2, 255}}
                                            << QList<Pair>{{2, 255}, {2, 0}, {2, 1}};
    }

    void addingProfilesKeepsTheListSorted()
    {
        QFETCH(QList<Pair>, added);
        QFETCH(QList<Pair>, sorted);
        for (const Pair &pair : added) {
            ProfileData *profile = store->addProfile(pair.first, pair.second, "p");
            QCOMPARE(store->currentProfile(), profile);
        }
        QCOMPARE(pairs(store->profiles()), sorted);
        QVERIFY(!store->globalProfile());
    }

    void globalProfileStaysOutOfTheList()
    {
        ProfileData *global = store->addProfile(255, 255, "Global");
        QCOMPARE(store->globalProfile(), global);
        QCOMPARE(store->currentProfile(), global);
        QVERIFY(store->profiles().isEmpty());
        QCOMPARE(store->lastTopLevelProfile(), global);
        QVERIFY(!store->parentProfile(global));
    }

    void profileTreeQueries()
    {
        ProfileData *global = store->addProfile(255, 255, "Global");
        ProfileData *zero = store->addProfile(0, 255, "Zero");
        ProfileData *zeroSub0 = store->addProfile(0, 0, "Zero a");
        ProfileData *zeroSub1 = store->addProfile(0, 1, "Zero b");
        ProfileData *one = store->addProfile(1, 255, "One");
        ProfileData *orphan = store->addProfile(4, 0, "Orphan");
        QCOMPARE(store->parentProfile(zero), global);
        QCOMPARE(store->parentProfile(zeroSub1), zero);
        QVERIFY(!store->parentProfile(orphan));
        QCOMPARE(store->subProfiles(zero), (QList<ProfileData *>{zeroSub0, zeroSub1}));
        QCOMPARE(store->subProfiles(zeroSub0), (QList<ProfileData *>{zeroSub0, zeroSub1}));
        QCOMPARE(store->lastSubProfile(zero), zeroSub1);
        QVERIFY(!store->lastSubProfile(one));
        QCOMPARE(store->lastTopLevelProfile(), one);
    }

    void removingTheCurrentOrActiveProfileFallsBackToGlobal()
    {
        ProfileData *global = store->addProfile(255, 255, "Global");
        ProfileData *work = store->addProfile(0, 255, "Work");
        ProfileData *game = store->addProfile(1, 255, "Game");
        store->setCurrentProfile(work);
        store->setActiveProfile(game);
        store->loading = false;
        QSignalSpy changed(store, &PackageCreator::updateMemoryUsed);

        store->removeProfile(work);
        QCOMPARE(store->currentProfile(), global);
        QCOMPARE(store->activeProfile(), game);
        store->removeProfile(game);
        QCOMPARE(store->activeProfile(), global);
        QVERIFY(store->profiles().isEmpty());
        QCOMPARE(changed.count(), 2);
        int index = 0, sub = 0;
        store->activeProfileIndex(&index, &sub);
        QCOMPARE(Pair(index, sub), Pair(255, 255));
    }

    void replacingTheGlobalProfileMovesPointersToTheNewOne()
    {
        ProfileData *old = store->addProfile(255, 255, "Global");
        store->setActiveProfile(old);
        ProfileData *replacement = store->addProfile(255, 255, "Global");
        QCOMPARE(store->globalProfile(), replacement);
        QCOMPARE(store->activeProfile(), replacement);
        QCOMPARE(store->currentProfile(), replacement);
    }

    void strayProfilesAreNotAccepted()
    {
        ProfileData *global = store->addProfile(255, 255, "Global");
        ProfileData stray(3, 255, "Stray");
        QTest::ignoreMessage(QtWarningMsg, "PackageCreator: setCurrentProfile - unknown profile");
        store->setCurrentProfile(&stray);
        QCOMPARE(store->currentProfile(), global);
        QTest::ignoreMessage(QtWarningMsg, "PackageCreator: removeProfile - not a profile of the list");
        store->removeProfile(global);
        QCOMPARE(store->globalProfile(), global);
    }

    void dpiRecordsAreRepairedWhenInconsistent_data()
    {
        QTest::addColumn<DpiConfigureRecord>("given");
        QTest::addColumn<DpiConfigureRecord>("stored");
        const DpiConfigureRecord single = dpiRecord(1, 0, 0, {1500});
        QTest::newRow("level out of range") << dpiRecord(2, 2, 0, {800, 1600}) << single;
        QTest::newRow("too few values") << dpiRecord(3, 0, 0, {800, 1600}) << single;
        QTest::newRow("separate needs two per level") << dpiRecord(2, 0, 1, {800, 1600}) << single;
        QTest::newRow("no levels") << dpiRecord(0, 0, 0, {}) << single;
        QTest::newRow("separate, consistent") << dpiRecord(2, 1, 1, {800, 400, 1600, 800})
                                              << dpiRecord(2, 1, 1, {800, 400, 1600, 800});
        QTest::newRow("consistent") << dpiRecord(3, 2, 0, {400, 800, 1600}) << dpiRecord(3, 2, 0, {400, 800, 1600});
    }

    void dpiRecordsAreRepairedWhenInconsistent()
    {
        QFETCH(DpiConfigureRecord, given);
        QFETCH(DpiConfigureRecord, stored);
        ProfileData *profile = globalAndOneProfile();
        QSignalSpy changed(store, &PackageCreator::updateMemoryUsed);
        store->setSettingsRecord(given);
        QVERIFY2(profile->dpiRecord.equals(stored), qPrintable(QString::number(profile->dpiRecord.levelCount)));
        QCOMPARE(changed.count(), 1);
    }

    void settingsRecordsGoToTheRecordOfTheirTag()
    {
        ProfileData *profile = globalAndOneProfile();
        LiftOffSelectRecord liftOff;
        liftOff.liftOffLevel = 2;
        store->setSettingsRecord(liftOff);
        OledSetRecord oled;
        oled.oledMode = 1;
        oled.message = "abc";
        store->setSettingsRecord(oled);
        QCOMPARE(profile->liftOffRecord.liftOffLevel, 2);
        QCOMPARE(profile->oledRecord.message, QByteArray("abc"));
        QCOMPARE(store->globalProfile()->liftOffRecord.liftOffLevel, 3);

        // A record whose tag names no settings record changes nothing.
        QSignalSpy changed(store, &PackageCreator::updateMemoryUsed);
        LiftOffSelectRecord strange;
        strange.tag = 96;
        strange.liftOffLevel = 1;
        store->setSettingsRecord(strange);
        QCOMPARE(profile->liftOffRecord.liftOffLevel, 2);
        QCOMPARE(changed.count(), 0);
    }

    void nothingIsAnnouncedWhileLoading()
    {
        store->addProfile(255, 255, "Global");
        QVERIFY(store->loading);
        QSignalSpy changed(store, &PackageCreator::updateMemoryUsed);
        store->setInputMaps({button(0)});
        store->setSettingsRecord(ReportIntervalRecord());
        store->setOwnSettings(true, false);
        store->renameCurrentProfile("Renamed");
        store->setLinkedApps({"/a"}, {"A"});
        store->setProfileOutputs({});
        QCOMPARE(store->currentInputMaps().size(), 1);
        QCOMPARE(store->currentProfile()->name, QString("Renamed"));
        QCOMPARE(changed.count(), 0);

        store->loading = false;
        store->setInputMaps({});
        store->renameCurrentProfile("Again");
        store->setLinkedApps({}, {});
        QCOMPARE(changed.count(), 3);
    }

    void ownSettingsCopiedFromGlobalWhenTheParentInherits()
    {
        ProfileData *global = store->addProfile(255, 255, "Global");
        global->setOwnSettings(true);
        global->dpiRecord = dpiRecord(2, 1, 0, {800, 1600});
        global->ledRecord.ledMode = 2;
        global->oledRecord.oledMode = 1;
        global->oledRecord.message = "hi";
        global->liftOffRecord.liftOffLevel = 2;
        auto dpiStep = std::make_shared<OutputAction_Tracking>(92);
        global->profileOutputs = {dpiStep};
        store->addProfile(0, 255, "Parent");
        ProfileData *sub = store->addProfile(0, 0, "Sub");
        store->loading = false;
        QSignalSpy changed(store, &PackageCreator::updateMemoryUsed);

        store->setOwnSettings(true, true);
        QVERIFY(sub->hasOwnSettings());
        QVERIFY(sub->dpiRecord.equals(global->dpiRecord));
        QVERIFY(sub->ledRecord.equals(global->ledRecord));
        QVERIFY(sub->oledRecord.equals(global->oledRecord));
        QCOMPARE(sub->liftOffRecord.liftOffLevel, 3);
        QCOMPARE(sub->profileOutputs.size(), 1);
        QVERIFY(sub->profileOutputs[0] != dpiStep);
        QCOMPARE(changed.count(), 1);
    }

    void ownSettingsCopiedFromAParentThatOwnsThem()
    {
        store->addProfile(255, 255, "Global")->setOwnSettings(true);
        ProfileData *parent = store->addProfile(0, 255, "Parent");
        parent->setOwnSettings(true);
        parent->ledRecord.colour1[1] = 99;
        ProfileData *sub = store->addProfile(0, 0, "Sub");
        store->setOwnSettings(true, true);
        QCOMPARE(sub->ledRecord.colour1[1], quint8(99));

        store->setOwnSettings(false, true);
        QVERIFY(!sub->hasOwnSettings());
        QVERIFY(sub->profileOutputs.isEmpty());
    }

    void linkedAppsAndLastSelected()
    {
        store->addProfile(255, 255, "Global");
        store->addProfile(0, 255, "Work");
        store->setLinkedApps({"/usr/bin/editor", "/opt/Game/game.bin"}, {"Editor", "Game"});
        QStringList paths, names;
        store->linkedApps(&paths, &names);
        QCOMPARE(names, (QStringList{"Editor", "Game"}));
        QVERIFY(store->profileHasLinkedApp("game.bin", 0, 255));
        QVERIFY(!store->profileHasLinkedApp("GAME.BIN", 0, 255));
        QVERIFY(!store->profileHasLinkedApp("game.bin", 1, 255));

        LastSelectedEntry entry{"/opt/Game/game.bin", 0, 1};
        store->lastSelected(entry);
        QCOMPARE(store->lastSelectedList().size(), 1);
        LastSelectedEntry asked{"/opt/Game/game.bin", 7, 7};
        store->lastSelected(asked);
        QCOMPARE(Pair(asked.profileIndex, asked.value), Pair(0, 1));
        QVERIFY(!store->updateLastSelected(entry));
        QVERIFY(store->updateLastSelected({"/opt/Game/game.bin", 0, 2}));
        QCOMPARE(store->lastSelectedList().at(0).value, 2);
        QVERIFY(!store->updateLastSelected({"/unknown", 0, 2}));
        QCOMPARE(store->lastSelectedList().size(), 1);
    }

    void autoSwitchingIsAnnouncedToTheDetector()
    {
        QSignalSpy switching(store, &PackageCreator::autoSwitchingChanged);
        store->setAutoSwitching(true);
        QVERIFY(store->autoSwitching());
        store->setAutoSwitching(false);
        QVERIFY(!store->autoSwitching());
        QCOMPARE(switching.count(), 2);
        QCOMPARE(switching.at(0).at(0).toBool(), true);
        QCOMPARE(switching.at(1).at(0).toBool(), false);
    }

    void copyOnWriteOfAnInheritedGrandchild()
    {
        ProfileData *global = store->addProfile(255, 255, "Global");
        InputMapPtr root = button(0, "root");
        root->addChild(button(1, "first"));
        InputMapPtr second = root->addChild(button(2, "second"));
        second->addChild(button(3, "other"));
        InputMapPtr grandchild = second->addChild(button(4, "grandchild"));
        global->inputMaps = {root};
        ProfileData *work = store->addProfile(0, 255, "Work");
        work->inputMaps = {button(9)};
        store->loading = false;
        QSignalSpy changed(store, &PackageCreator::updateMemoryUsed);

        QVERIFY(!store->containsInputMap(grandchild.get()));
        InputMapPtr copy = store->copyIntoCurrentProfile(grandchild.get());
        QVERIFY(copy && copy != grandchild);
        QCOMPARE(copy->name, QString("grandchild"));
        QCOMPARE(work->inputMaps.size(), 2);
        QCOMPARE(work->inputMaps.at(1)->name, QString("root"));
        QCOMPARE(copy->parent, work->inputMaps.at(1)->children.at(1).get());
        QVERIFY(store->containsInputMap(copy.get()));
        QVERIFY(store->containsInputMap(copy.get(), work->inputMaps.at(1).get()));
        QVERIFY(!store->containsInputMap(copy.get(), work->inputMaps.at(0).get()));
        QVERIFY(!store->containsInputMap(grandchild.get()));
        QCOMPARE(changed.count(), 0);

        // The inherited tree is untouched.
        QCOMPARE(global->inputMaps, InputMapList{root});
        QCOMPARE(second->children.at(1), grandchild);
        QCOMPARE(grandchild->parent, second.get());
    }

    void copyOnWriteFindsAMappingFourLevelsDeep()
    {
        ProfileData *global = store->addProfile(255, 255, "Global");
        InputMapPtr root = button(0, "root");
        root->addChild(button(1, "a"));
        InputMapPtr level1 = root->addChild(button(2, "level1"));
        level1->addChild(button(3, "b"));
        level1->addChild(button(4, "c"));
        InputMapPtr level2 = level1->addChild(button(5, "level2"));
        InputMapPtr level3 = level2->addChild(button(6, "level3"));
        level2->addChild(button(7, "d"));
        global->inputMaps = {button(8, "first"), root};
        store->addProfile(0, 255, "Work");

        InputMapPtr copy = store->copyIntoCurrentProfile(level3.get());
        QVERIFY(copy);
        QCOMPARE(copy->name, QString("level3"));
        QVERIFY(copy != level3);
        QVERIFY(store->containsInputMap(copy.get()));
        QCOMPARE(copy->parent->name, QString("level2"));
        QCOMPARE(copy->parent->parent->name, QString("level1"));
        QCOMPARE(copy->parent->parent->parent, store->currentInputMaps().at(0).get());

        static_cast<InputMapAction_Button &>(*copy).buttonId = 12;
        QCOMPARE(static_cast<InputMapAction_Button &>(*level3).buttonId, 6);
        QCOMPARE(global->inputMaps.size(), 2);
        QCOMPARE(level2->children.at(0), level3);
    }

    void editorTargetsTheGivenLists()
    {
        ProfileData *work = globalAndOneProfile();
        InputMapPtr mapping = button(1, "old");
        work->inputMaps = {mapping};
        QSignalSpy changed(store, &PackageCreator::updateMemoryUsed);

        store->editDeactivationOutputs(&mapping->deactivationOutputs, mapping.get());
        QVERIFY(!store->editingActivation());
        store->editActivationOutputs(&mapping->activationOutputs, mapping.get());
        QVERIFY(store->editingActivation());
        QCOMPARE(store->editedMappingName(), QString("old"));
        QCOMPARE(store->editedActivationOutputs(), mapping->activationOutputs);

        auto wait = std::make_shared<OutputAction_Tracking>(92);
        store->setEditedOutputs({wait}, true, "new");
        QCOMPARE(mapping->activationOutputs, OutputList{wait});
        QCOMPARE(mapping->name, QString("new"));
        store->setEditedOutputs({wait, wait->clone()}, false, "ignored");
        QCOMPARE(mapping->deactivationOutputs.size(), 2);
        QCOMPARE(mapping->name, QString("new"));
        store->setEditedMappingName("renamed");
        QCOMPARE(mapping->name, QString("renamed"));
        QCOMPARE(changed.count(), 3);

        // A list that is not the mapping's own press list: no renaming.
        OutputList loose;
        store->editActivationOutputs(&loose, mapping.get());
        QVERIFY(store->editedMappingName().isEmpty());
        store->setEditedMappingName("not applied");
        QCOMPARE(mapping->name, QString("renamed"));
    }

    void editorForgetsTheListsOfADestroyedMapping()
    {
        globalAndOneProfile();
        InputMapPtr mapping = button(1, "gone");
        store->editActivationOutputs(&mapping->activationOutputs, mapping.get());
        store->editDeactivationOutputs(&mapping->deactivationOutputs, mapping.get());
        mapping.reset();
        QSignalSpy changed(store, &PackageCreator::updateMemoryUsed);
        QVERIFY(store->editedActivationOutputs().isEmpty());
        QVERIFY(store->editedMappingName().isEmpty());
        store->setEditedOutputs({std::make_shared<OutputAction_Tracking>(92)}, true, "x");
        store->setEditedOutputs({}, false, QString());
        store->setEditedMappingName("x");
        QCOMPARE(changed.count(), 0);
    }

    // The output editor also edits lists without naming their mapping: a
    // profile's outputs, or a mapping's list passed on its own. When the store
    // destroys that profile the edit ends instead of writing into freed lists.
    void editorForgetsTheListsOfADestroyedProfile_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("list");
        for (const char *how : {"removed", "global replaced", "reset"}) {
            QTest::newRow(qPrintable(QString("%1, profile outputs").arg(how))) << how << "outputs";
            QTest::newRow(qPrintable(QString("%1, release list of a child").arg(how))) << how << "child";
        }
        QTest::newRow("removed, list of a mapping kept alive elsewhere") << "removed" << "kept";
    }

    void editorForgetsTheListsOfADestroyedProfile()
    {
        QFETCH(QString, how);
        QFETCH(QString, list);
        ProfileData *work = globalAndOneProfile();
        ProfileData *doomed = how == "global replaced" ? store->globalProfile() : work;
        InputMapPtr top = button(1, "top");
        InputMapPtr child = top->addChild(button(2, "child"));
        doomed->inputMaps = {top};
        if (list == "outputs")
            store->editActivationOutputs(&doomed->profileOutputs, nullptr);
        else if (list == "child")
            store->editDeactivationOutputs(&child->deactivationOutputs, nullptr);
        else
            store->editActivationOutputs(&child->activationOutputs, child.get());
        if (list != "kept") {
            top.reset();
            child.reset();
        }

        if (how == "removed")
            store->removeProfile(doomed);
        else if (how == "global replaced")
            store->addProfile(255, 255, "Global");
        else
            store->reset();
        store->loading = false;

        QSignalSpy changed(store, &PackageCreator::updateMemoryUsed);
        const OutputList outputs = {std::make_shared<OutputAction_Tracking>(92)};
        store->setEditedOutputs(outputs, true, "x");
        store->setEditedOutputs(outputs, false, QString());
        store->setEditedMappingName("x");
        QVERIFY(store->editedActivationOutputs().isEmpty());
        QVERIFY(store->editedDeactivationOutputs().isEmpty());
        QCOMPARE(changed.count(), 0);
        if (child) {
            QCOMPARE(child->name, QString("child"));
            QCOMPARE(child->activationOutputs.size(), 1);
        }
    }
};

QTEST_GUILESS_MAIN(TestPackageCreator)
#include "tst_packagecreator.moc"
