// The profile context menu with the tab strip and the add dialog wired to
// the profile tree as the window wires them, driven offscreen over the store
// and the simulated mouse: the three menus, adding, renaming, duplicating
// and deleting, and reading a configuration file into the strip.
#include "AddProfile.h"
#include "AppFont.h"
#include "AppStyleSheet.h"
#include "ConfigFile.h"
#include "ConnectedMouse.h"
#include "DialogAnswerer.h"
#include "Mappings.h"
#include "MenuItemView.h"
#include "MenuList.h"
#include "MessageBoxAnswer.h"
#include "ModelSnapshot.h"
#include "PackageCreator.h"
#include "Predefined.h"
#include "ProcessStateGuard.h"
#include "Profile.h"
#include "ProfileData.h"
#include "ProfileScroller.h"
#include "ProfilesView.h"
#include "SampleModel.h"
#include "SimpleModel.h"
#include "SimulatedMouse.h"
#include "StoreLayout.h"
#include "TummyButton.h"
#include "WidgetDriver.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QtTest>

#include <memory>
#include <optional>

namespace {

PackageCreator *store()
{
    return PackageCreator::instance();
}

// "Work(Night,Day);Play": top-level profiles, each with its sub-profiles.
void buildStore(const QString &layout)
{
    SampleModel::emptyModel();
    const QStringList groups = layout.split(';', Qt::SkipEmptyParts);
    for (int index = 0; index < groups.size(); ++index) {
        QString group = groups.at(index);
        QStringList subs;
        if (group.endsWith(')')) {
            const int open = group.indexOf('(');
            subs = group.mid(open + 1, group.size() - open - 2).split(',');
            group = group.left(open);
        }
        store()->addProfile(index, 255, group);
        for (int sub = 0; sub < subs.size(); ++sub)
            store()->addProfile(index, sub, subs.at(sub));
    }
    store()->setCurrentProfile(store()->globalProfile());
    store()->setActiveProfile(store()->globalProfile());
    store()->loading = false;
}

// "Work/Night" for a sub-profile; "Global" for the global profile.
ProfileData *record(const QString &path)
{
    if (path == QLatin1String("Global"))
        return store()->globalProfile();
    const QStringList parts = path.split('/');
    const QList<ProfileData *> list = store()->profiles();
    const ProfileData *parent = nullptr;
    for (ProfileData *profile : list) {
        if (profile->subIndex == 255)
            parent = profile;
        if (profile->name == parts.last()
            && (parts.size() == 1 ? profile->subIndex == 255
                                  : profile->subIndex != 255 && parent && parent->name == parts.first()))
            return profile;
    }
    return nullptr;
}

QStringList menuRows(MenuList *menu)
{
    QStringList rows;
    const auto *list = menu->findChild<MenuItemView *>();
    for (int row = 0; row < list->model()->rowCount(); ++row)
        rows << list->model()->index(row, 0).data().toString();
    return rows;
}

} // namespace

class TestProfileMenu : public QObject
{
    Q_OBJECT

private:
    std::optional<ProcessStateGuard> clean;
    std::unique_ptr<QWidget> window;
    ProfilesView *view = nullptr;
    ProfileScroller *strip = nullptr;
    AddProfile *addDialog = nullptr;

    Profile *page(const QString &path) const
    {
        if (path == QLatin1String("Global"))
            return view->globalPage();
        const ProfileData *wanted = record(path);
        const QList<Profile *> pages = view->pages();
        for (Profile *candidate : pages) {
            if (wanted && candidate->data() == wanted)
                return candidate;
        }
        return nullptr;
    }

    // The tree, the strip and the add dialog, connected as the window does.
    void makeWindow()
    {
        window = std::make_unique<QWidget>();
        window->resize(900, 640);
        view = new ProfilesView(window.get());
        view->setGeometry(0, 80, 900, 560);
        strip = new ProfileScroller(window.get(), view);
        strip->setGeometry(0, 0, 900, 76);
        addDialog = new AddProfile(window.get());
        connect(view, &ProfilesView::addProfile, strip, &ProfileScroller::addProfile);
        connect(view, &ProfilesView::addParentProfile, strip, &ProfileScroller::addParentProfile);
        connect(view, &ProfilesView::addSubProfile, strip, &ProfileScroller::addSubProfile);
        connect(view, &ProfilesView::renameProfile, strip, &ProfileScroller::renameProfile);
        connect(view, &ProfilesView::renameSubProfile, strip, &ProfileScroller::renameSubProfile);
        connect(view, &ProfilesView::deleteCurrentProfile, strip, &ProfileScroller::deleteProfile);
        connect(view, &ProfilesView::currentProfileChanged, strip, &ProfileScroller::setCurrentProfile);
        connect(view, &ProfilesView::profileActivated, strip, &ProfileScroller::setActiveProfile);
        connect(view, &ProfilesView::globalProfileActivated, strip, &ProfileScroller::setActiveGlobal);
        connect(view, &ProfilesView::activeEntryChange, view, &ProfilesView::activateListEntry);
        connect(strip, &ProfileScroller::profileAdded, view, &ProfilesView::createProfile);
        connect(strip, &ProfileScroller::showAdd, addDialog, &AddProfile::show);
        connect(strip, &ProfileScroller::showAddForCurrent, addDialog, &AddProfile::showNoParents);
        connect(addDialog, &AddProfile::addProfile, strip, &ProfileScroller::addProfile);
        view->build();
        strip->syncWithModel();
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }

    void choose(const QString &path, int row)
    {
        view->setCurrent(page(path));
        MenuList *menu = view->profileMenu();
        menu->showAt(window->mapToGlobal(QPoint(20, 120)));
        auto *list = menu->findChild<MenuItemView *>();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualRect(list->model()->index(row, 0)).center());
    }

    // Types name into the open name dialog and confirms it.
    void answerLineDialog(const QString &name)
    {
        auto *dialog = view->findChild<QDialog *>("lineDialog");
        QVERIFY(dialog && dialog->isVisible());
        QVERIFY(WidgetDriver::typeInto(dialog, "lineEdit", name));
        QVERIFY(WidgetDriver::click(dialog, "pushButton_do"));
    }

private slots:
    void initTestCase()
    {
        qunsetenv("DISPLAY");
        QApplication::setFont(appFont());
        qApp->setStyleSheet(AppStyleSheet::joined());
    }

    void init()
    {
        clean.emplace();
        buildStore("Work(Night,Day);Play");
    }

    void cleanup()
    {
        window.reset();
        clean.reset();
    }

    void threeMenus()
    {
        makeWindow();
        const QStringList common{"Set as active profile on mouse", "Link Applications to this Profile"};
        view->setCurrent(page("Global"));
        QCOMPARE(menuRows(view->profileMenu()), common + QStringList({"Add Sub-Profile"}));
        view->setCurrent(page("Work"));
        QCOMPARE(menuRows(view->profileMenu()),
                 common + QStringList({"Add Sub-Profile", "Rename", "Duplicate", "Delete"}));
        view->profileMenu()->showAt(window->mapToGlobal(QPoint(20, 120)));
        WidgetDriver::grabToPng(view->profileMenu(), "top-level-menu");
        view->profileMenu()->hide();
        view->setCurrent(page("Work/Night"));
        QCOMPARE(menuRows(view->profileMenu()), common + QStringList({"Rename", "Duplicate", "Delete"}));
        QVERIFY(view->profileMenu() != view->findChild<MenuList *>("profileMenu0"));
    }

    void addSubProfileOnGlobalAddsATopLevelProfile()
    {
        makeWindow();
        choose("Global", 2);
        QTRY_VERIFY(addDialog->isVisible());
        QVERIFY(WidgetDriver::child<QWidget>(addDialog, "widget_parent")->isHidden());
        QVERIFY(WidgetDriver::typeInto(addDialog, "lineEdit_name", "Home"));
        QVERIFY(WidgetDriver::click(addDialog, "pushButton_add"));
        QCOMPARE(storeLayout().last(), QString("Home 2/255"));
        QCOMPARE(strip->groups().last(), QStringList({"Home"}));
        QCOMPARE(view->currentPage()->name(), QString("Home"));

        choose("Home", 2); // a top-level profile's menu adds under it
        QTRY_VERIFY(addDialog->isVisible());
        QVERIFY(WidgetDriver::typeInto(addDialog, "lineEdit_name", "Late"));
        QVERIFY(WidgetDriver::click(addDialog, "pushButton_add"));
        QCOMPARE(storeLayout().last(), QString("Late 2/0"));
    }

    void deleting_data()
    {
        QTest::addColumn<QString>("layout");
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("defaultPath");
        QTest::addColumn<QString>("activePath");
        QTest::addColumn<bool>("autoSwitching");
        QTest::addColumn<QString>("newDefault");
        QTest::addColumn<QString>("newActive");
        QTest::addColumn<QString>("signal");
        QTest::newRow("the only top-level profile, default") << "Work(Night)"
                                                             << "Work"
                                                             << "Work"
                                                             << "Global" << false << "Global"
                                                             << "Global"
                                                             << "auto";
        QTest::newRow("the first of several, default") << "Work(Night,Day);Play"
                                                       << "Work"
                                                       << "Work"
                                                       << "Global" << false << "Play"
                                                       << "Global"
                                                       << "auto";
        QTest::newRow("a later one, default") << "Work;Play;Home"
                                              << "Play"
                                              << "Play"
                                              << "Global" << false << "Work"
                                              << "Global"
                                              << "auto";
        QTest::newRow("a default sub-profile") << "Work(Night);Play(Late)"
                                               << "Play/Late"
                                               << "Play/Late"
                                               << "Global" << false << "Work"
                                               << "Global"
                                               << "auto";
        QTest::newRow("active, switching off") << "Work(Night,Day);Play"
                                               << "Work"
                                               << "Work"
                                               << "Work/Night" << false << "Play"
                                               << "Play"
                                               << "forced:  Play";
        QTest::newRow("active and the only one, switching off") << "Work"
                                                                << "Work"
                                                                << "Work"
                                                                << "Work" << false << "Global"
                                                                << "Global"
                                                                << "forced:Global";
        QTest::newRow("active, switching on") << "Work(Night,Day);Play"
                                              << "Work"
                                              << "Work"
                                              << "Work" << true << "Play"
                                              << "Play"
                                              << "auto";
        QTest::newRow("an active sub-profile, switching off") << "Work(Night,Day);Play"
                                                              << "Work/Day"
                                                              << "Work"
                                                              << "Work/Day" << false << "Work"
                                                              << "Work"
                                                              << "forced:  Work";
        // Names are put into the question as typed, not read as markup.
        QTest::newRow("a name like markup") << "<b>R&D(<i>Night)"
                                            << "<b>R&D"
                                            << "<b>R&D"
                                            << "Global" << false << "Global"
                                            << "Global"
                                            << "auto";
        QTest::newRow("a sub-profile's name like markup") << "<b>R&D(<i>Night)"
                                                          << "<b>R&D/<i>Night"
                                                          << "<b>R&D"
                                                          << "Global" << false << "<b>R&D"
                                                          << "Global"
                                                          << "auto";
    }
    void deleting()
    {
        QFETCH(QString, layout);
        QFETCH(QString, target);
        QFETCH(QString, defaultPath);
        QFETCH(QString, activePath);
        QFETCH(bool, autoSwitching);
        QFETCH(QString, newDefault);
        QFETCH(QString, newActive);
        QFETCH(QString, signal);
        buildStore(layout);
        record(defaultPath)->isDefault = true;
        makeWindow();
        view->setActive(page(activePath), false);
        SimpleModel::instance()->setAutoSwitching(autoSwitching);
        QSignalSpy forced(view, &ProfilesView::activeProfileChange);
        QSignalSpy switched(view, &ProfilesView::autoSwitched);
        const bool subProfile = target.contains('/');
        const int menuRow = subProfile ? 4 : 5;

        QString question;
        DialogAnswerer answer(answerBox("Yes", &question));
        choose(target, menuRow);
        QVERIFY(answer.answered());
        const QString name = target.section('/', -1);
        QCOMPARE(question, subProfile ? QString("Are you sure you wish to delete %1?").arg(name)
                                      : QString("Are you sure you wish to delete %1\nand any sub profiles?").arg(name));
        QVERIFY(!record(target));
        QCOMPARE(view->defaultPage(), page(newDefault));
        QVERIFY(record(newDefault)->isDefault);
        QCOMPARE(view->activePage(), page(newActive));
        QCOMPARE(store()->activeProfile(), record(newActive));
        QCOMPARE(view->currentPage(), page(newActive));
        if (signal == QLatin1String("auto")) {
            QCOMPARE(switched.size(), 1);
            QCOMPARE(forced.size(), 0);
        } else {
            QCOMPARE(switched.size(), 0);
            QCOMPARE(forced.size(), 1);
            QCOMPARE(forced.first(), QVariantList({signal.mid(7), true}));
        }
        QCOMPARE(view->groupNames(), strip->groups());
    }

    void deletingAMiddleProfileRenumbersTheLaterOnes()
    {
        buildStore("Work;Play(Late);Home(Night,Day)");
        makeWindow();
        DialogAnswerer answer(answerBox("Yes"));
        choose("Play", 5);
        QVERIFY(answer.answered());
        QCOMPARE(storeLayout(), QStringList({"Work 0/255", "Home 1/255", "Night 1/0", "Day 1/1"}));
        QCOMPARE(strip->groups(), QList<QStringList>({{"Work"}, {"Home", "Night", "Day"}}));
        QCOMPARE(view->activeProfileNames(), QStringList({"Global", "  Work", "  Home", "    Night", "    Day"}));
    }

    void cancelledFlowsChangeNothing()
    {
        makeWindow();
        view->setCurrent(page("Work"));
        const ModelSnapshot before = ModelSnapshot::take();
        DialogAnswerer answer(answerBox("No"));
        choose("Work", 5);
        QVERIFY(answer.answered());
        choose("Work", 3);
        auto *dialog = view->findChild<QDialog *>("lineDialog");
        QTRY_VERIFY(dialog && dialog->isVisible());
        QVERIFY(WidgetDriver::typeInto(dialog, "lineEdit", "Game"));
        QVERIFY(WidgetDriver::click(dialog, "pushButton_cancel"));
        QTest::qWait(20);
        QCOMPARE(ModelSnapshot::take().differenceFrom(before), QString());
        QCOMPARE(strip->groups(), QList<QStringList>({{"Work", "Night", "Day"}, {"Play"}}));
    }

    void duplicatingASubProfile()
    {
        record("Work/Night")->inputMaps << SampleModel::button(3, "Night button");
        record("Work/Night")->linkedAppPaths = QStringList({"/usr/bin/night"});
        makeWindow();
        choose("Work/Night", 3);
        answerLineDialog("Copy");
        QTRY_VERIFY(record("Work/Copy"));
        QCOMPARE(storeLayout(), QStringList({"Work 0/255", "Night 0/0", "Day 0/1", "Copy 0/2", "Play 1/255"}));
        ProfileData *copy = record("Work/Copy");
        ProfileData *night = record("Work/Night");
        QCOMPARE(copy->inputMaps.size(), 1);
        QCOMPARE(ModelSnapshot::mappingDifference(*copy->inputMaps.first(), *night->inputMaps.first()), QString());
        QVERIFY(copy->inputMaps.first() != night->inputMaps.first());
        QCOMPARE(strip->groups().first(), QStringList({"Work", "Night", "Day", "Copy"}));
        QCOMPARE(view->currentPage(), page("Work/Copy"));
    }

    void renamingASubProfile()
    {
        makeWindow();
        choose("Work/Night", 2);
        answerLineDialog("Late");
        QTRY_VERIFY(record("Work/Late"));
        QCOMPARE(strip->groups().first(), QStringList({"Work", "Late", "Day"}));
        QCOMPARE(view->activeProfileNames().at(2), QString("    Late"));
    }

    // A sub-profile's mapping page made before its parent was renamed names
    // the parent by its new name, as one made afterwards does; showing it
    // stores nothing.
    void renamedParentIsNamedOnItsSubProfilesPage()
    {
        record("Work/Night")->inputMaps << SampleModel::button(3, "Night button");
        makeWindow();
        view->setCurrent(page("Work/Night"));
        view->showButtonMappings(3);
        QWidget *mappings = page("Work/Night")->mappings();
        QVERIFY(mappings->isVisible());
        const auto label = [mappings](const char *name) {
            return WidgetDriver::shownText(WidgetDriver::child<QLabel>(mappings, name));
        };
        QCOMPARE(label("label_remove"), QString("Bottom Thumb mappings (and use mappings from Work)."));
        choose("Work", 3);
        answerLineDialog("Game");
        QTRY_VERIFY(record("Game"));

        QSignalSpy edits(store(), &PackageCreator::updateMemoryUsed);
        view->setCurrent(page("Game/Night"));
        view->showButtonMappings(3);
        QCOMPARE(label("label_remove"), QString("Bottom Thumb mappings (and use mappings from Game)."));
        QCOMPARE(label("label_restore"), QString("Bottom Thumb default mappings to override Game."));
        QCOMPARE(edits.size(), 0);
    }

    // Two parents each with a Night: the menu activates the one shown.
    void setAsActiveTakesThePageNotItsName()
    {
        buildStore("Work(Night);Play(Night)");
        ConnectedMouse fixture(20);
        fixture.connect();
        makeWindow();
        fixture.mouse()->clearLog();
        choose("Play/Night", 0);
        QCOMPARE(store()->activeProfile(), record("Play/Night"));
        QCOMPARE(view->activePage(), page("Play/Night"));
        QTRY_COMPARE(fixture.mouse()->countOf(1, 10, 30), 1);
        QCOMPARE(fixture.mouse()->lastCommand().payload.mid(0, 3), QVector<uint8_t>({2, 1, 0}));
    }

    // The profile's folder moves with a rename and goes with a deletion.
    void renameAndDeleteTakeTheFolder()
    {
        const QString work = Predefined::userProfilePath("Work");
        QVERIFY(QDir().mkpath(work));
        QFile logo(work + "/logo.png");
        QVERIFY(logo.open(QIODevice::WriteOnly));
        logo.close();
        makeWindow();
        QSignalSpy renamed(view, &ProfilesView::renameProfile);
        choose("Work", 3);
        answerLineDialog("Game");
        QTRY_COMPARE(renamed.size(), 1);
        QCOMPARE(renamed.first(), QVariantList({"Work", "Game"}));
        QCOMPARE(record("Game")->index, 0);
        QVERIFY(!QFileInfo::exists(work));
        const QString game = Predefined::userProfilePath("Game");
        QVERIFY(QFileInfo::exists(game + "/logo.png"));
        QCOMPARE(strip->groups().first().first(), QString("Game"));
        QCOMPARE(strip->buttons().first()->objectName(), QString("Game"));

        DialogAnswerer answer(answerBox("Yes"));
        choose("Game", 5);
        QVERIFY(answer.answered());
        QVERIFY(!record("Game"));
        QVERIFY(!QFileInfo::exists(game));
    }

    // A file holding Work with Night, read while Work exists: the strip makes
    // the new one Work I, and Night goes under it.
    void importedSubProfilesFollowTheirRenamedParent()
    {
        buildStore("Work(Night)");
        QTemporaryDir folder;
        const QString path = folder.filePath("export.json");
        QVERIFY(ConfigFile::instance()->saveToFile(path));
        buildStore("Work(Day)");
        makeWindow();
        connect(ConfigFile::instance(), &ConfigFile::profileFromFile, strip, &ProfileScroller::addProfileFromFile);
        QVERIFY(ConfigFile::instance()->loadFile(path, false));
        QCOMPARE(strip->groups(), QList<QStringList>({{"Work", "Day"}, {"Work I", "Night"}}));
        QCOMPARE(view->groupNames(), strip->groups());
        QCOMPARE(storeLayout(), QStringList({"Work 0/255", "Day 0/0", "Work I 1/255", "Night 1/0"}));
    }
};

QTEST_MAIN(TestProfileMenu)
#include "tst_profilemenu.moc"
