// The expert main window against the simulated mouse, offscreen: what its
// construction brings up (settings defaults, profiles, device link,
// switching), the version texts, the model's pages, the tray, closing into
// the tray, the update notice, the local socket and the picture buttons'
// look.
#include "ExpertViewTestKit.h"
#include "Profile.h"
#include "ProfilesView.h"
#include "SampleModel.h"
#include "TummyButton.h"

#include <QPainter>
#include <QScopeGuard>

namespace {

// The first button of that name a user sees inside a widget of class owner
// (or a subclass of it).
QPushButton *shownButtonIn(const QWidget *root, const QString &owner, const QString &name)
{
    for (QPushButton *button : root->findChildren<QPushButton *>(name)) {
        if (!button->isVisible())
            continue;
        for (const QWidget *above = button->parentWidget(); above; above = above->parentWidget()) {
            if (above->inherits(qPrintable(owner)))
                return button;
        }
    }
    return nullptr;
}

// Whether the button shows the picture whole and at its own size: drawn
// somewhere inside the button as it looks without it, the picture gives
// what the button shows.
bool showsWhole(QPushButton *button, const QString &path)
{
    const QImage picture(path);
    if (picture.isNull())
        return false;
    const auto grabbed = [button] {
        return button->grab().toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
    };
    const QImage shown = grabbed();
    const QString sheet = button->styleSheet();
    button->setStyleSheet(sheet + QStringLiteral("\nQPushButton { image: none; }"));
    const QImage bare = grabbed();
    button->setStyleSheet(sheet);
    const auto same = [](const QImage &a, const QImage &b) {
        for (int y = 0; y < a.height(); ++y)
            for (int x = 0; x < a.width(); ++x) {
                const QColor p = a.pixelColor(x, y), q = b.pixelColor(x, y);
                if (std::abs(p.red() - q.red()) > 2 || std::abs(p.green() - q.green()) > 2
                    || std::abs(p.blue() - q.blue()) > 2)
                    return false;
            }
        return true;
    };
    for (int y = 0; y + picture.height() <= bare.height(); ++y)
        for (int x = 0; x + picture.width() <= bare.width(); ++x) {
            QImage expected = bare;
            QPainter(&expected).drawImage(x, y, picture);
            if (same(expected, shown))
                return true;
        }
    return false;
}

} // namespace

class TestExpertView : public QObject, private ExpertViewRig
{
    Q_OBJECT

    QPushButton *shownButton(const QString &owner, const QString &name) const
    {
        return shownButtonIn(view.get(), owner, name);
    }

private slots:
    void initTestCase() { ExpertViewRig::initTestCase(); }
    void init() { ExpertViewRig::init(); }
    void cleanup() { ExpertViewRig::cleanup(); }

    // Built hidden, the profiles loaded before the mouse is opened: the first
    // connection uploads what was loaded and writes the file.
    void constructionBringsTheWindowUpInOrder()
    {
        fixture->mouse()->plugIn();
        LogRecorder log;
        build();
        QVERIFY(!view->isVisible());
        QCOMPARE(view->size(), QSize(1400, 802));
        QCOMPARE(log.count("ExpertView: loadSaveFile() start"), 1);
        QCOMPARE(log.count("ExpertView: loadSaveFile():"), 1);
        QVERIFY(log.indexOf("ExpertView: loadSaveFile():") > log.indexOf("ExpertView: loadSaveFile() start"));
        QVERIFY(!PackageCreator::instance()->loading);
        QVERIFY(SimpleModel::instance()->profiles().size() > 1);
        // One tab per top-level profile, one entry per profile in the box.
        int topLevel = 0;
        for (const ProfileData *profile : SimpleModel::instance()->userProfiles())
            topLevel += profile->subIndex == 255 ? 1 : 0;
        QCOMPARE(view->profileScroller()->groups().size(), topLevel);
        QCOMPARE(view->activeProfileBox()->count(), SimpleModel::instance()->profiles().size() + 1);
        QCOMPARE(view->activeProfileBox()->itemText(0), QString("Auto Profile Switching"));
        QVERIFY(!button("pushButton_save")->isEnabled());
        QVERIFY(!view->findChild<QComboBox *>("place_for_active_profile_combobox"));

        QTRY_COMPARE(fixture->mouse()->uploads(), 1);
        QCOMPARE(fixture->mouse()->ramPackage(), PackageCreator::instance()->package());
        QVERIFY(QFile::exists(ConfigFile::workingFilePath()));
        QCOMPARE(slider()->value(), 1);
        QVERIFY(!button("pushButton_save")->isEnabled());
        QVERIFY(!view->startup()->socketServer());
        QCOMPARE(view->previousForegroundApp(), ownName());
    }

    void startupDefaults_data()
    {
        QTest::addColumn<bool>("runBefore");
        QTest::addColumn<QString>("releaseChannel"); // empty: not written
        QTest::addColumn<bool>("channelIniKept");
        QTest::newRow("first run") << false << "" << true;
        QTest::newRow("later run on the beta channel") << true << "Beta" << false;
    }
    void startupDefaults()
    {
        QFETCH(bool, runBefore);
        QFETCH(QString, releaseChannel);
        QFETCH(bool, channelIniKept);
        if (runBefore)
            settings().setValue("HasBeenRunBefore", true);
        writeChannelIni();
        build();
        QCOMPARE(update->channel(), 2);
        QSettings file = settings();
        if (!runBefore) {
            const QVariantMap firstRun{{"AdminAppDetection", false},
                                       {"AutoUpdate", true},
                                       {"EnableHighDpiScaling", true},
                                       {"ExpertAddRelease", true},
                                       {"ExpertView", false},
                                       {"ExpertViewSideBySide", false},
                                       {"ExpertViewShowPressRelease", false},
                                       {"HasDoneCalibration", false},
                                       {"ShowGlobal", false},
                                       {"ShowIntroOnLaunch", true},
                                       {"SetViewedAsActive", true},
                                       {"SetActiveAsViewed", true},
                                       {"VerboseLogging", false},
                                       {"R7API", false}};
            QCOMPARE(file.allKeys().size(), firstRun.size());
            for (auto it = firstRun.cbegin(); it != firstRun.cend(); ++it)
                QVERIFY2(file.value(it.key()) == it.value().toString(), qPrintable(it.key()));
        }
        QCOMPARE(file.value("ReleaseChannel").toString(), releaseChannel);
        QCOMPARE(QFile::exists(SettingsFile::channelIniPath()), channelIniKept);
        QVERIFY(view->calibrationPending());
    }

    void windowSizeFollowsTheSettings_data()
    {
        QTest::addColumn<bool>("sideBySide");
        QTest::addColumn<bool>("showPressRelease");
        QTest::addColumn<QSize>("size");
        QTest::newRow("neither") << false << false << QSize(1400, 802);
        QTest::newRow("press and release only") << false << true << QSize(1400, 1000);
        QTest::newRow("both") << true << true << QSize(2280, 1000);
    }
    void windowSizeFollowsTheSettings()
    {
        QFETCH(bool, sideBySide);
        QFETCH(bool, showPressRelease);
        QFETCH(QSize, size);
        settings().setValue("HasBeenRunBefore", true);
        settings().setValue("HasDoneCalibration", true);
        settings().setValue("ExpertViewSideBySide", sideBySide);
        settings().setValue("ExpertViewShowPressRelease", showPressRelease);
        build();
        QCOMPARE(view->size(), size);
        QVERIFY(!view->calibrationPending());
    }

    void versionTexts_data()
    {
        QTest::addColumn<int>("channel");
        QTest::addColumn<QString>("title");
        QTest::newRow("beta") << 2 << "Corvanelle R7 Control Panel 3.0.9.1 Beta - included FW: 208";
        QTest::newRow("alpha") << 1 << "Corvanelle R7 Control Panel 3.0.9.1 Alpha - included FW: 208";
        QTest::newRow("public") << 3 << "Corvanelle R7 Control Panel 3.0.9.1";
    }
    void versionTexts()
    {
        QFETCH(int, channel);
        QFETCH(QString, title);
        build();
        QCOMPARE(view->windowTitle(), QString("Corvanelle R7 Control Panel 3.0.9.1"));
        view->channelChanged(channel);
        QCOMPARE(view->windowTitle(), title);
        QCOMPARE(text("label_driver_fw_version"), QString("Up To Date (3.0.9.1)"));
    }

    void pagesFollowTheModel_data()
    {
        QTest::addColumn<int>("productId");
        QTest::addColumn<bool>("tilt");
        QTest::addColumn<QString>("logo"); // empty: hidden
        QTest::newRow("V") << 5 << true << ":/pic/v_logo.png";
        QTest::newRow("tamsel") << 10 << false << ":/pic/tamsel_logo.png";
        QTest::newRow("pelkin") << 20 << false << ":/pic/pelkin_logo.png";
        QTest::newRow("V2") << 30 << true << ":/pic/v2_logo.png";
        QTest::newRow("other") << 15 << false << "";
    }
    void pagesFollowTheModel()
    {
        QFETCH(int, productId);
        QFETCH(bool, tilt);
        QFETCH(QString, logo);
        build(productId);
        plugIn();
        QCOMPARE(button("pushButton_tilt_lr")->isEnabled(), tilt);
        QCOMPARE(button("pushButton_tilt_fb")->isEnabled(), tilt);
        auto *label = WidgetDriver::child<QLabel>(view.get(), "label_logo");
        QCOMPARE(label->isVisibleTo(view.get()), !logo.isEmpty());
        if (!logo.isEmpty())
            QCOMPARE(label->pixmap(Qt::ReturnByValue).toImage(), QPixmap(logo).toImage());
    }

    // A mouse without tilt that connects while a tilt page shows moves the
    // window to All Mappings.
    void mouseWithoutTiltLeavesTheTiltPage()
    {
        settings().setValue("HasBeenRunBefore", true);
        settings().setValue("HasDoneCalibration", true);
        build(20);
        showWindow();
        QVERIFY(WidgetDriver::click(view.get(), "pushButton_tilt_fb"));
        QVERIFY(button("pushButton_tilt_fb")->isChecked());
        QVERIFY(!button("pushButton_settings")->isChecked());
        plugIn();
        QVERIFY(!button("pushButton_tilt_fb")->isEnabled());
        QVERIFY(!button("pushButton_tilt_fb")->isChecked());
        QVERIFY(button("pushButton_mappings")->isChecked());
    }

    // The page buttons' pictures: hover on one not chosen, the selected look
    // on the one clicked; a click on the mouse picture chooses none of them.
    void pageButtonsShowTheirState()
    {
        build();
        showWindow();
        const auto looks = [this](const char *name, const QString &look) {
            const QString picture = QString(name) == "pushButton_settings" ? "settings" : "mappings";
            const QSize size = button(name)->iconSize();
            return button(name)->icon().pixmap(size).toImage()
                   == QPixmap(":/pic/" + picture + "_" + look + ".png").scaled(size).toImage();
        };
        QVERIFY(looks("pushButton_settings", "select"));
        QVERIFY(looks("pushButton_mappings", "active"));
        QEvent enter(QEvent::Enter);
        QApplication::sendEvent(button("pushButton_mappings"), &enter);
        QVERIFY(looks("pushButton_mappings", "hover"));
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(button("pushButton_mappings"), &leave);
        QVERIFY(looks("pushButton_mappings", "active"));
        QVERIFY(WidgetDriver::click(view.get(), "pushButton_mappings"));
        QVERIFY(looks("pushButton_mappings", "select"));
        QVERIFY(looks("pushButton_settings", "active"));
        QVERIFY(button("pushButton_mappings")->isChecked());
        QVERIFY(!button("pushButton_settings")->isChecked());
        // Clicking the chosen one again keeps it chosen.
        QVERIFY(WidgetDriver::click(view.get(), "pushButton_mappings"));
        QVERIFY(button("pushButton_mappings")->isChecked());

        view->mouseImage()->selectButton(0);
        for (const char *name :
             {"pushButton_settings", "pushButton_mappings", "pushButton_tilt_lr", "pushButton_tilt_fb"})
            QVERIFY2(!button(name)->isChecked(), name);
        QVERIFY(looks("pushButton_mappings", "active"));
    }

    // The tray lists the box's entries in order, checks the box's choice and
    // follows it; a choice in the tray is the box's.
    void trayFollowsTheActiveProfileBox()
    {
        build();
        ExpertTray *tray = view->tray();
        ComboBox *box = view->activeProfileBox();
        const auto trayTexts = [tray] {
            QStringList texts;
            for (const QAction *action : tray->menu()->actions())
                texts << (action->isSeparator() ? "-" : action->text());
            return texts;
        };
        const auto checked = [tray] {
            const QList<QAction *> actions = tray->menu()->actions();
            QStringList texts;
            for (const QAction *action : actions) {
                if (action->isChecked())
                    texts << action->text();
            }
            return texts;
        };
        QStringList expected{"Open", "-", box->itemText(0), "-"};
        for (int entry = 1; entry < box->count(); ++entry)
            expected << box->itemText(entry);
        expected << "-"
                 << "Quit";
        QCOMPARE(trayTexts(), expected);
        QCOMPARE(expected.at(2), QString("Auto Profile Switching"));
        QCOMPARE(expected.at(4), QString("Global"));
        QCOMPARE(checked(), QStringList{box->currentText()});
        QCOMPARE(tray->menu()->defaultAction(), tray->openAction());

        const QList<QAction *> actions = tray->menu()->actions();
        actions.at(4)->trigger();
        QCOMPARE(box->currentIndex(), 1);
        QVERIFY(!SimpleModel::instance()->autoSwitching());
        QCOMPARE(SimpleModel::instance()->activeProfile(), PackageCreator::instance()->globalProfile());
        QCOMPARE(checked(), QStringList{"Global"});
        box->setCurrentIndex(2);
        QCOMPARE(checked(), QStringList{box->itemText(2)});

        QSignalSpy open(view.get(), &ExpertView::emitShowActiveView);
        tray->openAction()->trigger();
        emit tray->icon()->activated(QSystemTrayIcon::Trigger);
        emit tray->icon()->activated(QSystemTrayIcon::DoubleClick);
        emit tray->icon()->activated(QSystemTrayIcon::MiddleClick);
        QCOMPARE(open.count(), 3);
    }

    void closingHidesIntoTheTray()
    {
        build();
        QSignalSpy hidden(view.get(), &ExpertView::hidden);
        view->activateView();
        QVERIFY(view->isVisible());
        view->close();
        QVERIFY(!view->isVisible());
        QCOMPARE(hidden.count(), 1);

        view->showFullScreen();
        view->close();
        QVERIFY(view->isVisible());
        QVERIFY(view->isMinimized());
        QCOMPARE(hidden.count(), 1);
    }

    void updateNotice_data()
    {
        QTest::addColumn<bool>("newVersion");
        QTest::addColumn<bool>("firmware");
        QTest::addColumn<QString>("notice"); // empty: up to date
        QTest::newRow("none") << false << false << "";
        QTest::newRow("new version") << true << false << "New Driver Available";
        QTest::newRow("firmware") << false << true << "Firmware Update Required";
        QTest::newRow("both") << true << true << "New Driver Available";
    }
    void updateNotice()
    {
        QFETCH(bool, newVersion);
        QFETCH(bool, firmware);
        QFETCH(QString, notice);
        build();
        QWidget *upToDate = WidgetDriver::child(view.get(), "widget_upToDate");
        QWidget *updates = WidgetDriver::child(view.get(), "widget_updatesHere");
        QVERIFY(!updates->isVisibleTo(view.get()));
        view->swUpdateAvailable(newVersion);
        view->fwUpdateAvailable(firmware);
        QCOMPARE(updates->isVisibleTo(view.get()), !notice.isEmpty());
        QCOMPARE(upToDate->isVisibleTo(view.get()), notice.isEmpty());
        if (!notice.isEmpty())
            QCOMPARE(text("label_updateHere"), notice);
        // The firmware check switched off clears the firmware notice.
        view->recheckConnection(0);
        QCOMPARE(updates->isVisibleTo(view.get()), newVersion);
    }

    void windowPicture()
    {
        settings().setValue("HasBeenRunBefore", true);
        settings().setValue("HasDoneCalibration", true);
        build(5);
        fixture->mouse()->setMemorySize(memoryFor(37.2));
        plugIn();
        showWindow();
        QCOMPARE(view->size(), QSize(1400, 802));
        QVERIFY(!WidgetDriver::grabToPng(view.get(), "expert-window").isEmpty());
        QVERIFY(WidgetDriver::click(view.get(), "pushButton_mappings"));
        QVERIFY(!WidgetDriver::grabToPng(view.get(), "expert-window-mappings").isEmpty());
    }

    // Buttons that show only a picture show it whole and keep the size their
    // form gives them, under the window's style sheet: its padding and height
    // for text buttons once left the picture a speck or nothing.
    void pictureButtonsShowTheirPictures_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("owner"); // the class of the widget holding the button
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("picture");
        QTest::addColumn<QSize>("size");
        const auto row = [](const char *tag, const char *page, const char *owner, const char *button,
                            const QString &picture, QSize size) {
            QTest::newRow(tag) << QString(page) << QString(owner) << QString(button) << picture << size;
        };
        const QString quickView = ":/pic/simple_mode/v/quick_view/";
        row("profile header menu", "settings", "ProfilesView", "pushButton_profileMenu", ":/pic/humb_menu_small.png",
            {20, 20});
        row("tab strip add", "settings", "ProfileScroller", "pushButton_add", ":/pic/plus.png", {30, 30});
        row("linked application remove", "settings", "AppWidget", "pushButton_close", ":/pic/close_button_10.png",
            {10, 10});
        row("DPI level delete", "global settings", "DPILevel", "pushButton_delete", ":/pic/close_button_10.png",
            {10, 10});
        row("DPI level drag", "global settings", "DPILevel", "pushButton_drag", ":/pic/drag_button_10.png", {10, 10});
        row("card menu", "mappings", "MapWidget", "pushButton_menu", ":/pic/dots_vertical.png", {20, 20});
        row("card action library", "mappings", "MapWidget", "pushButton_actionLibrary",
            quickView + "branch_arrow_down.png", {18, 18});
        row("card record", "mappings", "MapWidget", "pushButton_Record", quickView + "record_button_hover.png",
            {18, 18});
        row("output help", "outputs", "OutputAction", "pushButton_help", ":/pic/help_button.png", {7, 12});
        row("output delete", "outputs", "OutputAction", "pushButton_delete", ":/pic/close_button_10.png", {10, 10});
        row("output duplicate", "outputs", "OutputAction", "pushButton_duplicate", ":/pic/duplicate_button_10.png",
            {10, 10});
    }
    void pictureButtonsShowTheirPictures()
    {
        QFETCH(QString, page);
        QFETCH(QString, owner);
        QFETCH(QString, button);
        QFETCH(QString, picture);
        QFETCH(QSize, size);
        settings().setValue("HasBeenRunBefore", true);
        settings().setValue("HasDoneCalibration", true);
        build(5);
        plugIn();
        if (page == "settings")
            editCurrentProfile(); // a linked application to show
        showWindow();
        if (page == "global settings")
            view->profileScroller()->globalProfileClicked();
        if (page == "mappings" || page == "outputs")
            QVERIFY(WidgetDriver::click(view.get(), "pushButton_mappings"));
        if (page == "outputs") {
            QPushButton *summary = shownButton("MapWidget", "pushButton_topRight");
            QVERIFY(summary);
            summary->click();
        }
        QPushButton *shown = shownButton(owner, button);
        QVERIFY(shown);
        const QString name = "button-" + QString(QTest::currentDataTag()).replace(' ', '-');
        QVERIFY(!WidgetDriver::grabToPng(shown, name).isEmpty());
        QVERIFY(showsWhole(shown, picture));
        QCOMPARE(shown->size(), size);
    }

    // Built over a working file of many profiles read ahead on threads of
    // its own, as the start reads it: every reader gets the profiles whole.
    // The tray's menu and the box list them all, the local socket and the
    // foreground program switch to profiles far down the list, the mouse
    // takes the package of the whole file, Save writes it as it was read,
    // and the window's tabs, made when it shows, mark the one switched to.
    void manyProfilesReadAheadReachEveryReader()
    {
        settings().setValue("HasBeenRunBefore", true);
        settings().setValue("R7API", true);
        // The backup the load makes would be the next test's fall-back.
        const auto noBackups = qScopeGuard([] {
            ConfigFile::instance()->finishStartLoad();
            QDir(ConfigFile::backupsFolder()).removeRecursively();
        });
        constexpr int count = 30;
        int subProfiles = 0;
        PackageCreator *store = PackageCreator::instance();
        SampleModel::emptyModel()->isDefault = true;
        for (int i = 0; i < count; ++i) {
            ProfileData *profile = store->addProfile(i, 255, QString("P%1").arg(i));
            profile->linkedAppPaths = QStringList{QString("/opt/games/game%1").arg(i)};
            profile->linkedAppNames = QStringList{QString("Game %1").arg(i)};
            profile->inputMaps << SampleModel::button(i % 5, QString("Own %1").arg(i));
            if (i % 4 == 1 && ++subProfiles)
                store->addProfile(i, 0, QString("P%1 sub").arg(i));
        }
        store->setAutoSwitching(true);
        store->setCurrentProfile(store->globalProfile());
        QVERIFY(ConfigFile::instance()->saveToFile(ConfigFile::workingFilePath()));
        const QByteArray written = ConfigFile::instance()->writeBytes();
        const QByteArray package = store->package();
        SampleModel::emptyModel();

        ConfigFile::instance()->prepareSaveFile();
        build();
        const int listed = SimpleModel::instance()->profiles().size() + 1;
        // The global profile, the profiles and their sub-profiles.
        QCOMPARE(SimpleModel::instance()->profiles().size(), 1 + count + subProfiles);
        QCOMPARE(view->activeProfileBox()->count(), listed);
        QCOMPARE(view->tray()->profileActionCount(), listed);
        QCOMPARE(ConfigFile::instance()->writeBytes(), written);

        plugIn();
        QCOMPARE(fixture->mouse()->ramPackage(), package);
        QVERIFY(view->startup()->socketServer());
        sendToSocket("P27");
        QTRY_COMPARE(SimpleModel::instance()->activeProfile()->name, QString("P27"));
        QTRY_COMPARE(MouseFunctions::instance()->waitState(), MouseFunctions::WaitIdle);
        emit ForegroundWrapper::instance()->foregroundChanged("game29");
        QTRY_COMPARE(SimpleModel::instance()->activeProfile()->name, QString("P29"));

        editCurrentProfile();
        QVERIFY(button("pushButton_save")->isEnabled());
        button("pushButton_save")->click();
        QTRY_VERIFY(!button("pushButton_save")->isEnabled());
        QFile file(ConfigFile::workingFilePath());
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), ConfigFile::instance()->writeBytes());

        showWindow();
        const QList<TummyButton *> tabs = view->profileScroller()->buttons();
        QCOMPARE(tabs.size(), count);
        QCOMPARE(tabs.last()->objectName(), QString("P29"));
        QVERIFY(!tabs.last()->isAsteriskHidden());
        QVERIFY(tabs.at(27)->isAsteriskHidden());
    }

    void localSocketSwitchesAndVibrates()
    {
        settings().setValue("HasBeenRunBefore", true);
        settings().setValue("R7API", true);
        build();
        plugIn();
        QVERIFY(view->startup()->socketServer());

        const QString target = SimpleModel::instance()->userProfiles().last()->name;
        sendToSocket(target.toUtf8());
        QTRY_COMPARE(SimpleModel::instance()->activeProfile()->name, target);
        sendToSocket("Vibrate 300 70");
        QTRY_COMPARE(fixture->mouse()->vibrations().size(), 1);
        QCOMPARE(fixture->mouse()->vibrations().at(0).duration, 300);
        QCOMPARE(fixture->mouse()->vibrations().at(0).strength, 70);
    }

    void requestedProfileByName_data()
    {
        QTest::addColumn<QString>("request");
        QTest::addColumn<QString>("switchedTo"); // empty: nothing switched
        QTest::addColumn<QString>("logged");
        QTest::newRow("exact") << "Work"
                               << "Work"
                               << "R7API: Switching to Work profile.";
        QTest::newRow("sub-profile first in tree order") << "Twin"
                                                         << "Twin"
                                                         << "R7API: Switching to";
        QTest::newRow("other case") << "work"
                                    << ""
                                    << "R7API: work not found.";
        QTest::newRow("Global") << "Global"
                                << "Global"
                                << "R7API: Switching to Global profile.";
        QTest::newRow("Global Defaults") << "Global Defaults"
                                         << "Global"
                                         << "R7API: Switching to";
        QTest::newRow("unknown") << "Games!"
                                 << ""
                                 << "R7API: Games! not found.";
        QTest::newRow("empty") << ""
                               << ""
                               << "";
    }
    void requestedProfileByName()
    {
        QFETCH(QString, request);
        QFETCH(QString, switchedTo);
        QFETCH(QString, logged);
        PackageCreator *model = PackageCreator::instance();
        model->addProfile(255, 255, "Global");
        SimpleModel profiles(model);
        ProfileData *work = profiles.addProfile("Work");
        ProfileData *twinSub = profiles.addSubProfile("Twin", work);
        profiles.addProfile("Twin");
        ProfileData *other = profiles.addProfile("Other");
        profiles.setActiveProfile(other, false);

        LogRecorder log;
        QCOMPARE(RequestedProfile::switchTo(profiles, request), !switchedTo.isEmpty());
        QCOMPARE(profiles.activeProfile()->name, switchedTo.isEmpty() ? QString("Other") : switchedTo);
        if (request == "Twin")
            QCOMPARE(profiles.activeProfile(), twinSub);
        if (logged.isEmpty())
            QVERIFY(log.matching("R7API").isEmpty());
        else
            QCOMPARE(log.count(logged), 1);
    }

    // The start makes the pages of the profiles it loads without making each
    // current in turn: the pages, the tabs, the settings button and the
    // active profile box end as making each current in turn, then the file's
    // default, leaves them.
    void startEndsAsMakingEachProfileCurrentInTurn_data()
    {
        QTest::addColumn<QString>("defaultProfile");
        QTest::newRow("the global profile") << "Global";
        QTest::newRow("a top-level profile with sub-profiles") << "Work";
        QTest::newRow("a sub-profile") << "Day";
        QTest::newRow("the last profile") << "Play";
    }
    void startEndsAsMakingEachProfileCurrentInTurn()
    {
        QFETCH(QString, defaultProfile);
        PackageCreator *model = PackageCreator::instance();
        ProfileData *global = SampleModel::emptyModel();
        model->addProfile(0, 255, "Work");
        model->addProfile(0, 0, "Night");
        model->addProfile(0, 1, "Day");
        model->addProfile(1, 255, "Play");
        ProfileData *chosen = defaultProfile == "Global" ? global : SampleModel::profileNamed(defaultProfile);
        chosen->isDefault = true;
        const int index = chosen->index;
        const int subIndex = chosen->subIndex;
        QDir().mkpath(QFileInfo(ConfigFile::workingFilePath()).absolutePath());
        QVERIFY(ConfigFile::instance()->saveToFile(ConfigFile::workingFilePath()));
        model->reset();
        build();

        ProfilesView *tree = view->profilesView();
        const auto describe = [this, tree] {
            QStringList lines{"current " + tree->currentPage()->name(), "active " + tree->activePage()->name(),
                              "settings " + button("pushButton_settings")->text()};
            QList<Profile *> pages = tree->pages();
            pages << tree->globalPage();
            for (Profile *page : pages)
                lines << QString("page %1 hidden=%2").arg(page->name()).arg(page->isHidden());
            QList<TummyButton *> tabs = view->profileScroller()->buttons();
            tabs << view->profileScroller()->globalButton();
            for (TummyButton *tab : tabs)
                lines << QString("tab %1 label=%2 selected=%3 asterisk=%4")
                             .arg(tab->objectName(), tab->labelText())
                             .arg(tab->isSelected())
                             .arg(!tab->isAsteriskHidden());
            for (int i = 0; i < view->activeProfileBox()->count(); ++i)
                lines << "box " + view->activeProfileBox()->itemText(i);
            lines << QString("box at %1").arg(view->activeProfileBox()->currentIndex());
            return lines;
        };
        const QStringList started = describe();
        QVERIFY(started.contains("current " + defaultProfile));

        for (Profile *page : tree->pages()) {
            tree->setCurrent(page);
            tree->updateActiveProfilesList();
        }
        tree->setInitialDefault(index, subIndex);
        QCOMPARE(describe(), started);
    }
};

QTEST_MAIN(TestExpertView)
#include "tst_expertview.moc"
