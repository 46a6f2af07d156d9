// The profile tree and its pages, driven offscreen over the store and the
// simulated mouse: building the pages, the header and its breadcrumb, the
// default box, creating pages, the page choice with the empty page, and
// switching by foreground application, socket request, selector entry and
// link dialog.
#include "AppFont.h"
#include "AppStyleSheet.h"
#include "ConnectedMouse.h"
#include "DialogAnswerer.h"
#include "EmptyPage.h"
#include "InputMapAction_Angle.h"
#include "InputMapAction_Button.h"
#include "LinkedApps.h"
#include "Mappings.h"
#include "MessageBoxAnswer.h"
#include "ModelSnapshot.h"
#include "OutputAction_Profile.h"
#include "PackageCreator.h"
#include "ProcessStateGuard.h"
#include "Profile.h"
#include "ProfileData.h"
#include "ProfilesView.h"
#include "SampleModel.h"
#include "Settings.h"
#include "SimpleModel.h"
#include "SimulatedMouse.h"
#include "TreeHeaderItem.h"
#include "WidgetDriver.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTextDocument>
#include <QTimer>
#include <QtTest>

#include <memory>
#include <optional>

namespace {

PackageCreator *store()
{
    return PackageCreator::instance();
}

SimpleModel *shared()
{
    return SimpleModel::instance();
}

ProfileData *record(const QString &name)
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

QString labelText(const QWidget *root, const char *name)
{
    return WidgetDriver::shownText(WidgetDriver::child<QLabel>(root, name));
}

// Global, Work with its sub-profiles Night and Day, Play; Work is the default.
void buildStore()
{
    SampleModel::emptyModel();
    store()->addProfile(0, 255, "Work")->isDefault = true;
    store()->addProfile(0, 0, "Night");
    store()->addProfile(0, 1, "Day");
    store()->addProfile(1, 255, "Play");
    store()->setCurrentProfile(store()->globalProfile());
    store()->setActiveProfile(store()->globalProfile());
    store()->loading = false;
}

} // namespace

class TestProfilesView : public QObject
{
    Q_OBJECT

private:
    std::optional<ProcessStateGuard> clean;
    std::unique_ptr<ProfilesView> view;

    Profile *page(const QString &name) const
    {
        if (name == QLatin1String("Global"))
            return view->globalPage();
        const QList<Profile *> pages = view->pages();
        for (Profile *candidate : pages) {
            if (candidate->name() == name)
                return candidate;
        }
        return nullptr;
    }

    void makeView()
    {
        view = std::make_unique<ProfilesView>();
        view->resize(900, 560);
        view->build();
        view->show();
        QVERIFY(QTest::qWaitForWindowExposed(view.get()));
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
        buildStore();
    }

    void cleanup()
    {
        view.reset();
        clean.reset();
    }

    void buildFollowsTheStore()
    {
        // As at start-up: the view first, then the configuration read.
        view = std::make_unique<ProfilesView>();
        store()->setCurrentProfile(record("Night"));
        store()->setActiveProfile(record("Play"));
        QSignalSpy lists(view.get(), &ProfilesView::activeProfilesChanged);
        QSignalSpy shown(view.get(), &ProfilesView::currentProfileChanged);
        view->build();

        QCOMPARE(view->tree().size(), 2);
        QCOMPARE(view->tree().at(0), QList<Profile *>({page("Work"), page("Night"), page("Day")}));
        QCOMPARE(page("Night")->parentProfile(), page("Work"));
        QCOMPARE(page("Work")->parentProfile(), view->globalPage());
        QCOMPARE(page("Night")->data(), record("Night"));
        QCOMPARE(view->globalPage()->data(), store()->globalProfile());
        QCOMPARE(view->currentPage(), page("Night"));
        QCOMPARE(view->activePage(), page("Play"));
        QCOMPARE(view->defaultPage(), page("Work"));
        QCOMPARE(store()->currentProfile(), record("Night"));
        QCOMPARE(labelText(view.get(), "label_profileName"), QString("Night"));
        QCOMPARE(shown.last(), QVariantList({"Work", "Work: Night"}));
        QCOMPARE(lists.last().at(0).toStringList(),
                 QStringList({"Auto Profile Switching", "Global", "  Work", "    Night", "    Day", "  Play"}));
        QCOMPARE(lists.last().at(1).toInt(), 5);

        QCOMPARE(view->findProfile(255, 255).page, view->globalPage());
        QCOMPARE(view->findProfile(0, 1).position, 4);
        QCOMPARE(view->findProfile(0, 1).page, page("Day"));
        QCOMPARE(view->findProfile(3, 255).position, 6);
        QCOMPARE(view->findProfile(3, 255).page, nullptr);
        int index = 0;
        int subIndex = 0;
        view->defaultProfileIndex(&index, &subIndex);
        QCOMPARE(index, 0);
        QCOMPARE(subIndex, 255);
        for (Profile *other : {page("Global"), page("Work"), page("Day"), page("Play")})
            QVERIFY(other->isHidden());
    }

    // Building pages over records with mappings, settings and links stores
    // nothing into them, with the model not loading.
    void buildingStoresNothing()
    {
        SampleModel::buildFullModel();
        store()->loading = false;
        const ModelSnapshot before = ModelSnapshot::take();
        const QByteArray package = store()->package();
        QSignalSpy edits(store(), &PackageCreator::updateMemoryUsed);
        makeView();
        view->syncWithProfiles();
        QCOMPARE(ModelSnapshot::take().differenceFrom(before), QString());
        QCOMPARE(store()->package(), package);
        QCOMPARE(edits.size(), 0);
        QCOMPARE(store()->globalProfile()->inputMaps.size(), 3);
        QCOMPARE(view->globalPage()->mappings()->topLevelCards().size(), 3);
        QCOMPARE(page("Work")->mappings()->topLevelCards().size(), 3);

        // Reloading and looking at every mapping view of every page stores
        // nothing either, and never doubles the cards.
        view->reloadProfiles(true);
        view->reloadProfiles(true);
        QCOMPARE(page("Work")->mappings()->topLevelCards().size(), 3);
        QList<Profile *> all = view->pages();
        all.prepend(view->globalPage());
        for (Profile *shown : qAsConst(all)) {
            view->setCurrent(shown);
            view->showAllMappings();
            view->showButtonMappings(8);
            view->showTiltForwardBack();
            view->showTiltLeftRight();
            view->showSettings();
        }
        QCOMPARE(ModelSnapshot::take().differenceFrom(before), QString());
        QCOMPARE(store()->package(), package);
        QCOMPARE(edits.size(), 0);
    }

    // A page with mappings of its own shows them on the mapping page; a view
    // it has none for shows the empty page.
    void pageWithMappingsShowsThem()
    {
        SampleModel::buildFullModel();
        store()->loading = false;
        makeView();
        Profile *work = page("Work");
        view->setCurrent(work);
        view->showAllMappings();
        QVERIFY(work->mappings()->isVisible());
        QVERIFY(!work->emptyPage()->isVisible());
        QVERIFY(!work->linkedApps()->isVisible());
        QVERIFY(!WidgetDriver::grabToPng(view.get(), "profile-page-mappings").isEmpty());

        view->showButtonMappings(8);
        QCOMPARE(labelText(view.get(), "label_tree_1"), QString("Right Fingertip Mappings"));
        QVERIFY(work->mappings()->isVisible());
        view->showButtonMappings(2);
        QVERIFY(work->mappings()->isVisible());
        view->showButtonMappings(0);
        QVERIFY(!work->mappings()->isVisible());
        QVERIFY(work->emptyPage()->isVisible());
        QCOMPARE(labelText(work->emptyPage(), "label_page"), QString("Left Button"));
        QCOMPARE(labelText(work->emptyPage(), "label_from"), QString("(mappings from Global apply)."));
        view->showTiltForwardBack();
        QVERIFY(work->mappings()->isVisible());
        view->showTiltLeftRight();
        QVERIFY(work->emptyPage()->isVisible());
        view->showSettings();
        QVERIFY(!work->mappings()->isVisible());
        QVERIFY(work->settings()->isVisible());
    }

    // A button's pages name the control: the wheel rather than its click,
    // one trigger rather than its push or pull.
    void buttonPagesNameTheControl_data()
    {
        QTest::addColumn<int>("buttonId");
        QTest::addColumn<bool>("withMappings");
        QTest::addColumn<QString>("name");
        QTest::newRow("middle button") << 2 << true << "Scroll Wheel";
        QTest::newRow("left trigger push") << 9 << false << "Left Trigger";
        QTest::newRow("right trigger pull") << 12 << false << "Right Trigger";
        QTest::newRow("left button") << 0 << false << "Left Button";
    }
    void buttonPagesNameTheControl()
    {
        QFETCH(int, buttonId);
        QFETCH(bool, withMappings);
        QFETCH(QString, name);
        SampleModel::buildFullModel();
        store()->loading = false;
        makeView();
        Profile *work = page("Work");
        view->setCurrent(work);
        view->showButtonMappings(buttonId);
        QCOMPARE(labelText(view.get(), "label_tree_1"), name + " Mappings");
        QCOMPARE(work->mappings()->isVisible(), withMappings);
        if (withMappings) {
            QCOMPARE(labelText(work->mappings(), "label_restore"), name + " default mappings to override Global.");
            QCOMPARE(labelText(work->mappings(), "label_remove"), name + " mappings (and use mappings from Global).");
        } else {
            QCOMPARE(labelText(work->emptyPage(), "label_page"), name);
        }
    }

    // "+ Add mappings" takes the shown view over with its default mappings,
    // stored into the page's own record only.
    void addMappingsTakesTheViewOver()
    {
        auto thumb = std::make_shared<InputMapAction_Button>();
        thumb->buttonId = 3;
        store()->addProfile(2, 255, "Games")->inputMaps = {thumb};
        store()->addProfile(2, 0, "Solo");
        store()->setCurrentProfile(store()->globalProfile());
        makeView();
        Profile *solo = page("Solo");
        view->setCurrent(solo);
        view->showTiltLeftRight();
        QVERIFY(solo->emptyPage()->isVisible());
        QSignalSpy edits(store(), &PackageCreator::updateMemoryUsed);
        QVERIFY(WidgetDriver::click(solo->emptyPage(), "pushButton_add_mappings"));
        QVERIFY(edits.size() > 0);
        QVERIFY(!solo->emptyPage()->isVisible());
        QVERIFY(solo->mappings()->isVisible());
        QCOMPARE(solo->mappings()->topLevelCards().size(), 5);
        QCOMPARE(record("Solo")->inputMaps.size(), 5);
        for (const InputMapPtr &mapping : qAsConst(record("Solo")->inputMaps))
            QCOMPARE(int(std::static_pointer_cast<InputMapAction_Angle>(mapping)->axis), 0);
        QCOMPARE(record("Games")->inputMaps.size(), 1);
        QVERIFY(!WidgetDriver::grabToPng(view.get(), "profile-page-tilt-added").isEmpty());

        // The other views keep the empty page until taken over in turn.
        view->showButtonMappings(3);
        QVERIFY(solo->emptyPage()->isVisible());
        QVERIFY(WidgetDriver::click(solo->emptyPage(), "pushButton_add_mappings"));
        QVERIFY(solo->mappings()->isVisible());
        QCOMPARE(record("Solo")->inputMaps.size(), 6);
        auto *added = dynamic_cast<const InputMapAction_Button *>(record("Solo")->inputMaps.last().get());
        QVERIFY(added);
        QCOMPARE(int(added->buttonId), 3);

        // Clearing the page on the settings view keeps that view on screen.
        view->showSettings();
        solo->clearContents();
        QVERIFY(record("Solo")->inputMaps.isEmpty());
        QVERIFY(solo->linkedApps()->isVisible());
        QVERIFY(!solo->mappings()->isVisible());
        view->showAllMappings();
        QVERIFY(solo->emptyPage()->isVisible());
    }

    void createHandlerMakesPageAndRecord()
    {
        makeView();
        QSignalSpy lists(view.get(), &ProfilesView::activeProfilesChanged);
        view->createProfile("Dusk", "Work");
        QVERIFY(page("Dusk"));
        QCOMPARE(int(record("Dusk")->index), 0);
        QCOMPARE(int(record("Dusk")->subIndex), 2);
        QCOMPARE(page("Dusk")->parentProfile(), page("Work"));
        QCOMPARE(view->currentPage(), page("Dusk"));
        QCOMPARE(store()->currentProfile(), record("Dusk"));
        QCOMPARE(lists.last().at(0).toStringList().mid(3, 3), QStringList({"    Night", "    Day", "    Dusk"}));

        view->createProfile("Games", "");
        QCOMPARE(int(record("Games")->index), 2);
        QCOMPARE(int(record("Games")->subIndex), 255);
        QCOMPARE(view->tree().size(), 3);

        const int count = store()->profiles().size();
        QTest::ignoreMessage(QtWarningMsg, "ProfilesView: cant create profile!");
        view->createProfile("Orphan", "Nobody");
        QCOMPARE(store()->profiles().size(), count);
        QCOMPARE(view->pages().size(), count);
        QCOMPARE(view->currentPage(), page("Games"));
    }

    // The box makes the current profile the only default one, and then
    // cannot be unchecked.
    void defaultBoxMakesTheOnlyDefault()
    {
        makeView();
        auto *box = WidgetDriver::child<QCheckBox>(view.get(), "checkBox_setAsDefault");
        view->setCurrent(page("Play"));
        view->showSettings();
        QVERIFY(!box->isChecked());
        QVERIFY(box->isEnabled());
        QSignalSpy edits(store(), &PackageCreator::updateMemoryUsed);
        QVERIFY(WidgetDriver::click(view.get(), "checkBox_setAsDefault"));
        QVERIFY(box->isChecked());
        QVERIFY(!box->isEnabled());
        QVERIFY(record("Play")->isDefault);
        QVERIFY(!record("Work")->isDefault);
        QCOMPARE(view->defaultPage(), page("Play"));
        QCOMPARE(edits.size(), 2);
        QVERIFY(!WidgetDriver::click(view.get(), "checkBox_setAsDefault"));

        view->setCurrent(page("Work"));
        QVERIFY(!box->isChecked());
        QVERIFY(box->isEnabled());
    }

    void initialDefaultIsCurrentActiveAndOnlyDefault()
    {
        ConnectedMouse fixture(20);
        fixture.connect();
        makeView();
        fixture.mouse()->clearLog();
        view->setInitialDefault(0, 1);
        QCOMPARE(view->currentPage(), page("Day"));
        QCOMPARE(view->activePage(), page("Day"));
        QCOMPARE(view->defaultPage(), page("Day"));
        QCOMPARE(shared()->activeProfile(), record("Day"));
        QCOMPARE(shared()->defaultProfile(), record("Day"));
        int defaults = 0;
        for (const ProfileData *profile : shared()->profiles())
            defaults += profile->isDefault;
        QCOMPARE(defaults, 1);
        QTRY_COMPARE(fixture.mouse()->countOf(1, 10, 30), 1);
        QCOMPARE(fixture.mouse()->lastCommand().payload.mid(0, 3), QVector<uint8_t>({2, 0, 1}));
    }

    // Without settings of its own a page shows the empty page naming whose
    // settings apply; "+ Add settings" gives it settings.
    void pageWithoutSettingsShowsTheEmptyPage()
    {
        store()->addProfile(2, 255, "Games");
        store()->addProfile(2, 0, "Solo");
        store()->setCurrentProfile(store()->globalProfile());
        makeView();
        view->setCurrent(page("Solo"));
        view->showSettings();
        EmptyPage *empty = page("Solo")->emptyPage();
        QVERIFY(empty->isVisible());
        QVERIFY(!page("Solo")->settings()->isVisible());
        QVERIFY(page("Solo")->linkedApps()->isVisible());
        QCOMPARE(labelText(empty, "label_from"), QString("(settings from Games apply)."));
        QVERIFY(!WidgetDriver::grabToPng(view.get(), "profile-page-no-settings").isEmpty());

        view->setCurrent(page("Games"));
        view->showSettings();
        QCOMPARE(labelText(page("Games")->emptyPage(), "label_from"), QString("(settings from Global apply)."));

        view->setCurrent(page("Solo"));
        view->showSettings();
        QSignalSpy edits(store(), &PackageCreator::updateMemoryUsed);
        QVERIFY(WidgetDriver::click(empty, "pushButton_add_settings"));
        QVERIFY(record("Solo")->hasOwnSettings());
        QVERIFY(!record("Games")->hasOwnSettings());
        QVERIFY(edits.size() > 0);
        QVERIFY(!empty->isVisible());
        QVERIFY(page("Solo")->settings()->isVisible());

        view->showAllMappings();
        QVERIFY(empty->isVisible());
        QVERIFY(!page("Solo")->settings()->isVisible());
        QVERIFY(!page("Solo")->linkedApps()->isVisible());
        QCOMPARE(labelText(empty, "label_page"), QString("All"));
        QCOMPARE(labelText(empty, "label_from"), QString("(mappings from Games apply)."));
        view->showTiltLeftRight();
        QCOMPARE(labelText(empty, "label_page"), QString("Tilt left / right"));
        QCOMPARE(labelText(view.get(), "label_tree_1"), QString("Tilt left / right"));
        QVERIFY(!WidgetDriver::child(view.get(), "checkBox_setAsDefault")->isVisible());
    }

    void reloadOfTheDefaultActivatesItSendingNothing()
    {
        ConnectedMouse fixture(20);
        fixture.connect();
        makeView();
        fixture.mouse()->clearLog();
        record("Work")->linkedAppPaths = QStringList({"a.exe"});
        record("Work")->linkedAppNames = QStringList({"A"});
        QSignalSpy edits(store(), &PackageCreator::updateMemoryUsed);
        page("Work")->reload();
        QCOMPARE(shared()->activeProfile(), record("Work"));
        QCOMPARE(store()->currentProfile(), record("Work"));
        QCOMPARE(page("Work")->linkedAppIds(), QStringList({"a.exe"}));
        QVERIFY(!store()->loading);
        QCOMPARE(edits.size(), 0);
        QTest::qWait(50);
        QCOMPARE(fixture.mouse()->countOf(1, 10, 30), 0);
    }

    void foregroundApplicationSwitches()
    {
        ConnectedMouse fixture(20);
        fixture.connect();
        record("Work")->linkedAppPaths = QStringList({"C:\\Games\\game.exe"});
        record("Play")->linkedAppPaths = QStringList({"/opt/games/play"});
        makeView();
        fixture.mouse()->clearLog();
        QSignalSpy switched(view.get(), &ProfilesView::autoSwitched);
        QSignalSpy activated(view.get(), &ProfilesView::profileActivated);

        view->foregroundChange("GAME.EXE");
        QCOMPARE(view->activePage(), view->globalPage());
        QCOMPARE(switched.size(), 0);

        shared()->setAutoSwitching(true);
        // The log names the file and the profile as they are.
        QTest::ignoreMessage(QtDebugMsg, "Match found game.exe");
        QTest::ignoreMessage(QtDebugMsg, "Switching to Work");
        view->foregroundChange("GAME.EXE");
        QCOMPARE(view->activePage(), page("Work"));
        QCOMPARE(shared()->activeProfile(), record("Work"));
        QCOMPARE(switched.size(), 1);
        QCOMPARE(activated.last(), QVariantList({"Work", "Work"}));
        QTRY_COMPARE(fixture.mouse()->countOf(1, 10, 30), 1);
        QCOMPARE(fixture.mouse()->lastCommand().payload.mid(0, 3), QVector<uint8_t>({2, 0, 255}));

        view->foregroundChange("play");
        QCOMPARE(view->activePage(), page("Play"));
        view->foregroundChange("editor");
        QCOMPARE(view->activePage(), page("Work")); // the default profile
        QCOMPARE(switched.size(), 3);

        record("Work")->isDefault = false;
        view->foregroundChange("other");
        QCOMPARE(view->activePage(), page("Work"));
        QCOMPARE(switched.size(), 3);
    }

    // An application linked to the global profile and to Work goes to the
    // global profile and is remembered with its pair, which decides from
    // then on.
    void rememberedChoiceDecides()
    {
        store()->globalProfile()->linkedAppPaths = QStringList({"app.exe"});
        record("Work")->linkedAppPaths = QStringList({"/usr/bin/app.exe"});
        makeView();
        shared()->setAutoSwitching(true);
        view->setActive(page("Play"), false);
        view->foregroundChange("app.exe");
        QCOMPARE(view->activePage(), view->globalPage());
        QCOMPARE(store()->lastSelectedList().size(), 1);
        QCOMPARE(store()->lastSelectedList().first().profileIndex, 255);
        QCOMPARE(store()->lastSelectedList().first().value, 255);
        QVERIFY(store()->updateLastSelected({"app.exe", 0, 255}));
        view->foregroundChange("app.exe");
        QCOMPARE(view->activePage(), page("Work"));
    }

    void socketRequestSwitchesByName_data()
    {
        QTest::addColumn<QString>("request");
        QTest::addColumn<QString>("active");
        QTest::addColumn<int>("switches");
        QTest::addColumn<QString>("logged"); // empty: nothing
        QTest::newRow("profile") << "Work"
                                 << "Work" << 1 << "R7API: Switching to Work profile.";
        QTest::newRow("sub-profile") << "Day"
                                     << "Day" << 1 << "R7API: Switching to Day profile.";
        QTest::newRow("global defaults") << "Global Defaults"
                                         << "Global" << 1 << "R7API: Switching to Global Defaults profile.";
        QTest::newRow("global") << "Global"
                                << "Global" << 1 << "R7API: Switching to Global profile.";
        QTest::newRow("empty") << ""
                               << "Play" << 0 << "";
        QTest::newRow("lower case") << "global"
                                    << "Play" << 0 << "R7API: global not found.";
        QTest::newRow("unknown") << "Nobody"
                                 << "Play" << 0 << "R7API: Nobody not found.";
    }
    void socketRequestSwitchesByName()
    {
        QFETCH(QString, request);
        QFETCH(QString, active);
        QFETCH(int, switches);
        QFETCH(QString, logged);
        makeView();
        view->setActive(page("Play"), false);
        QSignalSpy switched(view.get(), &ProfilesView::autoSwitched);
        if (!logged.isEmpty())
            QTest::ignoreMessage(QtDebugMsg, qPrintable(logged));
        view->profileChange(request);
        QCOMPARE(view->activePage(), page(active));
        QCOMPARE(switched.size(), switches);
    }

    void socketRequestKeepsSwitchingAsItIs()
    {
        makeView();
        view->profileChange("Work");
        QCOMPARE(view->activePage(), page("Work"));
        QVERIFY(!shared()->autoSwitching());
        shared()->setAutoSwitching(true);
        view->profileChange("Play");
        QCOMPARE(view->activePage(), page("Play"));
        QVERIFY(shared()->autoSwitching());

        // A profile named "Global" is found before the global profile.
        Profile *day = page("Day");
        record("Day")->name = "Global";
        view->profileChange("Global");
        QCOMPARE(view->activePage(), day);
    }

    void selectorEntries()
    {
        makeView();
        view->setActive(page("Night"), false);
        view->activateListEntry(0);
        QVERIFY(shared()->autoSwitching());
        QCOMPARE(view->activePage(), page("Night"));
        view->activateListEntry(1);
        QVERIFY(!shared()->autoSwitching());
        QCOMPARE(view->activePage(), view->globalPage());
        view->activateListEntry(5);
        QCOMPARE(view->activePage(), page("Play"));
        view->activateListEntry(6);
        QCOMPARE(view->activePage(), page("Play"));
    }

    // The view does not follow an active profile chosen elsewhere while
    // switching is off; rebuilding and clearing then leave nothing pointing
    // at a deleted page.
    void rebuildAfterActiveChosenElsewhere()
    {
        makeView();
        view->setCurrent(page("Work"));
        view->setActive(page("Work"), false);
        shared()->setActiveProfile(store()->globalProfile(), false);
        view->build();
        QCOMPARE(view->activePage(), view->globalPage());
        QCOMPARE(view->currentPage(), page("Work"));

        view->setActive(page("Play"), false);
        view->checkDefault(Qt::Checked);
        shared()->setActiveProfile(store()->globalProfile(), false);
        view->clearProfiles(false);
        QCOMPARE(view->activePage(), view->globalPage());
        QCOMPARE(view->currentPage(), view->globalPage());
        QCOMPARE(view->defaultPage(), view->globalPage());
        QVERIFY(view->pages().isEmpty());
        view->setCurrentGlobal();
        view->emitLogoColor();
        QCOMPARE(store()->profiles().size(), 4);
        view->build();
        QCOMPARE(view->pages().size(), 4);

        view->clearProfiles(true);
        QVERIFY(store()->profiles().isEmpty());
        QCOMPARE(store()->currentProfile(), store()->globalProfile());
    }

    // After profile 0 is deleted the later profiles close the gap and a
    // go-to-profile output aiming at profile 2 aims at its new number.
    void renumberingFollowsTheTargets()
    {
        store()->addProfile(2, 255, "Third");
        auto jump = std::make_shared<OutputAction_Profile>(91);
        jump->profileIndex = 2;
        jump->subProfileIndex = 255;
        InputMapPtr mapping = SampleModel::button(0);
        mapping->activationOutputs = {jump};
        store()->globalProfile()->inputMaps = {mapping};
        makeView();

        ProfileRenumbering deleted;
        deleted.remove(0, 255);
        for (const char *name : {"Night", "Day", "Work"})
            store()->removeProfile(record(name));
        view->syncWithProfiles();
        view->renumberProfiles(deleted);
        QCOMPARE(int(record("Play")->index), 0);
        QCOMPARE(int(record("Third")->index), 1);
        QCOMPARE(int(jump->profileIndex), 1);
        QCOMPARE(view->findProfile(1, 255).page, page("Third"));
    }

    void breadcrumbInTheHeader()
    {
        makeView();
        view->setCurrent(page("Night"));
        view->showAllMappings();
        emit page("Night")->setHeaderTree({"Left Button", "Hard press"});
        const QList<TreeHeaderItem *> items = view->findChildren<TreeHeaderItem *>();
        QCOMPARE(items.size(), 2);
        QStringList texts;
        for (const TreeHeaderItem *item : items)
            texts << item->text();
        texts.sort();
        QCOMPARE(texts, QStringList({"Hard press", "Left Button"}));
        QCOMPARE(labelText(view.get(), "label_tree_1"), QString("All Mappings"));
        QTRY_VERIFY(items.first()->isVisible());
        QApplication::processEvents();
        QVERIFY(!WidgetDriver::grabToPng(WidgetDriver::child(view.get(), "widget_profileHeader"), "header-breadcrumbs")
                     .isEmpty());
        QVERIFY(!WidgetDriver::grabToPng(view.get(), "profile-tree-mappings").isEmpty());

        QSignalSpy update(view.get(), &ProfilesView::pageUpdate);
        emit page("Night")->backToCurrentView();
        QCOMPARE(update.size(), 1);
        QTRY_VERIFY(view->findChildren<TreeHeaderItem *>().isEmpty());
    }

    // A link the dialog chose that one other profile holds asks first; the
    // automatic switching question comes once per dialog.
    void linkingAnApplicationAnotherProfileHolds()
    {
        record("Play")->linkedAppPaths = QStringList({"game.exe"});
        record("Play")->linkedAppNames = QStringList({"game"});
        makeView();
        view->setCurrent(page("Work"));
        QString question;
        {
            DialogAnswerer replace(answerBox("Yes, replace the link", &question));
            DialogAnswerer enable(answerBox("No"));
            view->checkNewAppLink("game.exe", "<b>Game</b> & Co");
            QVERIFY(replace.answered());
            QVERIFY(enable.answered());
        }
        // The application's name as typed, not read as markup.
        QCOMPARE(question, QString("Application <b>Game</b> & Co is already linked to Profile Play.\nDo you want to "
                                   "link it to Profile Work instead?"));
        QVERIFY(record("Play")->linkedAppPaths.isEmpty());
        QCOMPARE(record("Work")->linkedAppPaths, QStringList({"game.exe"}));
        QCOMPARE(page("Work")->linkedAppIds(), QStringList({"game.exe"}));
        QCOMPARE(store()->currentProfile(), record("Work"));

        view->setCurrent(page("Day"));
        {
            DialogAnswerer both(answerBox("No, link both"));
            DialogAnswerer enable(answerBox("No"));
            view->checkNewAppLink("game.exe", "game");
        }
        QCOMPARE(record("Work")->linkedAppPaths, QStringList({"game.exe"}));
        QCOMPARE(record("Day")->linkedAppPaths, QStringList({"game.exe"}));

        // Two others hold it: linked without asking; then automatic
        // switching is offered, and "Yes" asks the window to turn it on.
        view->setCurrent(page("Night"));
        QSignalSpy change(view.get(), &ProfilesView::activeProfileChange);
        {
            DialogAnswerer enable(answerBox("Yes", &question));
            view->checkNewAppLink("game.exe", "game");
        }
        QVERIFY(question.startsWith("To switch profiles automatically"));
        QCOMPARE(record("Night")->linkedAppPaths, QStringList({"game.exe"}));
        QCOMPARE(change.size(), 1);
        QCOMPARE(change.first(), QVariantList({"Auto Profile Switching", false}));

        {
            DialogAnswerer cancel(answerBox("Cancel"));
            view->setCurrent(page("Global"));
            record("Night")->linkedAppPaths.clear();
            record("Day")->linkedAppPaths.clear();
            view->checkNewAppLink("game.exe", "game");
            QVERIFY(cancel.answered());
        }
        QVERIFY(store()->globalProfile()->linkedAppPaths.isEmpty());
    }

    void automaticSwitchingOfferedOncePerDialog()
    {
        makeView();
        view->setCurrent(page("Play"));
        int offers = 0;
        QDialog linkDialog(view.get());
        QTimer::singleShot(0, &linkDialog, [&] {
            for (const char *app : {"a.exe", "b.exe"}) {
                DialogAnswerer enable(
                    [&](QWidget *box) {
                        ++offers;
                        answerBox("No")(box);
                    },
                    500);
                view->checkNewAppLink(app, app);
            }
            linkDialog.accept();
        });
        linkDialog.exec();
        QCOMPARE(offers, 1);
        QCOMPARE(record("Play")->linkedAppPaths, QStringList({"a.exe", "b.exe"}));
    }

    void logoColourOfTheActiveProfile()
    {
        ProfileData *work = record("Work");
        store()->setCurrentProfile(work);
        store()->setOwnSettings(true, false);
        work->ledRecord.ledMode = 1;
        work->ledRecord.colour1[0] = 200;
        work->ledRecord.colour1[1] = 100;
        work->ledRecord.colour1[2] = 50;
        makeView();
        QSignalSpy colours(view.get(), &ProfilesView::setLogoColor);
        view->setActive(page("Night"), false);
        view->emitLogoColor();
        QCOMPARE(colours.last(), QVariantList({false, QColor(200, 100, 50)}));
        view->setActive(page("Play"), false);
        view->refreshCurrentPages();
        QCOMPARE(colours.last(), QVariantList({false, QColor(Qt::black)}));
    }
};

QTEST_MAIN(TestProfilesView)
#include "tst_profilesview.moc"
