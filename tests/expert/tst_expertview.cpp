// The expert main window against the simulated mouse, offscreen: what its
// construction brings up (settings defaults, profiles, device link,
// switching), the version texts, the connection switch and the memory bar,
// the model's pages, Save and the save on leaving the program, the active
// profile box, the tray, closing into the tray and the local socket.
#include "AppStyleSheet.h"
#include "AppSwitchSocketServer.h"
#include "ComboBox.h"
#include "ConfigFile.h"
#include "ConnectedMouse.h"
#include "DialogAnswerer.h"
#include "ExpertStartup.h"
#include "ExpertTray.h"
#include "ExpertView.h"
#include "FakeHidTransport.h"
#include "ForegroundWrapper.h"
#include "LogRecorder.h"
#include "MessageBoxAnswer.h"
#include "MouseFunctions.h"
#include "MouseImage.h"
#include "PackageCreator.h"
#include "ProcessStateGuard.h"
#include "ProfileData.h"
#include "ProfileScroller.h"
#include "ProgramFolder.h"
#include "RequestedProfile.h"
#include "SWUpdate.h"
#include "SettingsFile.h"
#include "SimpleModel.h"
#include "SimulatedMouse.h"
#include "WidgetDriver.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLocalSocket>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QSlider>
#include <QtTest>

#include <cmath>
#include <memory>
#include <optional>

namespace {

QSettings settings()
{
    return QSettings(SettingsFile::path(), QSettings::IniFormat);
}

void sendToSocket(const QByteArray &command)
{
    QLocalSocket socket;
    socket.connectToServer(AppSwitchSocketServer::socketPath());
    QVERIFY(socket.waitForConnected(2000));
    socket.write(command);
    QVERIFY(socket.waitForBytesWritten(2000));
    QTest::qWait(50);
    socket.disconnectFromServer();
}

void writeChannelIni()
{
    QSettings channel(SettingsFile::channelIniPath(), QSettings::IniFormat);
    channel.setValue("IsBetaChannel", true);
}

QString ownName()
{
    return QFileInfo(QCoreApplication::applicationFilePath()).fileName();
}

// An edit of the current profile, as a page stores one.
void editCurrentProfile()
{
    PackageCreator::instance()->setLinkedApps({"editor"}, {"editor"});
}

} // namespace

class TestExpertView : public QObject
{
    Q_OBJECT

private:
    std::optional<ProcessStateGuard> clean;
    std::unique_ptr<ConnectedMouse> fixture;
    std::unique_ptr<SWUpdate> update;
    std::unique_ptr<ExpertView> view;

    void build(int productId = 10)
    {
        fixture->mouse()->setProductId(productId);
        MouseFunctions::setTransportFactory([this] { return new FakeHidTransport(fixture->mouse()); });
        update = std::make_unique<SWUpdate>();
        view = std::make_unique<ExpertView>(nullptr, update.get());
    }

    // Plugged in, connected, switched on by itself and the first upload done.
    void plugIn()
    {
        const int before = fixture->mouse()->uploads();
        fixture->mouse()->plugIn();
        QTRY_COMPARE(fixture->mouse()->uploads(), before + 1);
        QTRY_COMPARE(slider()->value(), 1);
    }

    void showWindow()
    {
        view->activateView();
        QVERIFY(QTest::qWaitForWindowExposed(view.get()));
    }

    // The user moves the switch to its other end.
    void moveSwitch()
    {
        slider()->triggerAction(slider()->value() == 1 ? QAbstractSlider::SliderToMinimum
                                                       : QAbstractSlider::SliderToMaximum);
    }

    QSlider *slider() const { return WidgetDriver::child<QSlider>(view.get(), "horizontalSlider_connect"); }
    QPushButton *button(const char *name) const { return WidgetDriver::child<QPushButton>(view.get(), name); }
    QString text(const char *label) const { return WidgetDriver::child<QLabel>(view.get(), label)->text(); }
    int bar() const { return WidgetDriver::child<QProgressBar>(view.get(), "progressBar_memory")->value(); }

    // The mouse's memory size at which the loaded profiles use percent of it.
    int memoryFor(double percent) const
    {
        return int(std::lround(PackageCreator::instance()->package().size() * 100.0 / percent));
    }

private slots:
    void initTestCase()
    {
        ProgramFolder::setPath(R7_SHIPPED_DIR);
        qApp->setStyleSheet(AppStyleSheet::joined());
    }

    void init()
    {
        clean.emplace();
        fixture = std::make_unique<ConnectedMouse>(10);
        QFile::remove(ConfigFile::workingFilePath());
        QFile::remove(SettingsFile::channelIniPath());
    }

    void cleanup()
    {
        view.reset();
        update.reset();
        fixture.reset();
        clean.reset();
    }

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
        QTest::newRow("side by side") << true << false << QSize(2280, 802);
        QTest::newRow("press and release") << false << true << QSize(1400, 1000);
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

    // The use of the mouse's memory at the connection: shown rounded up, the
    // bar at most full; above 100 % the switch goes off (the mouse lacks the
    // profiles, so Save stays available).
    void memoryUseAtConnection_data()
    {
        QTest::addColumn<double>("percent");
        QTest::addColumn<QString>("label");
        QTest::addColumn<int>("barValue");
        QTest::addColumn<int>("switchValue");
        QTest::addColumn<bool>("saveEnabled");
        QTest::newRow("37.2 %") << 37.2 << "38%" << 37 << 1 << false;
        QTest::newRow("exactly 100 %") << 100.0 << "100%" << 100 << 1 << false;
        QTest::newRow("100.5 %") << 100.5 << "101%" << 100 << 0 << true;
    }
    void memoryUseAtConnection()
    {
        QFETCH(double, percent);
        QFETCH(QString, label);
        QFETCH(int, barValue);
        QFETCH(int, switchValue);
        QFETCH(bool, saveEnabled);
        build();
        QCOMPARE(text("label_memory"), QString("0%"));
        fixture->mouse()->setMemorySize(memoryFor(percent));
        QSignalSpy connected(MouseFunctions::instance(), &MouseFunctions::mouseConnect);
        fixture->mouse()->plugIn();
        QVERIFY(connected.wait(2000));
        QTRY_COMPARE(text("label_memory"), label);
        QCOMPARE(bar(), barValue);
        QCOMPARE(slider()->value(), switchValue);
        QCOMPARE(view->connectionSwitch().overLimit(), switchValue == 0);
        QCOMPARE(button("pushButton_save")->isEnabled(), saveEnabled);
    }

    // Over the limit the switch went off by itself; once an edit brings the
    // use below 100 % again it comes back on only with a mouse there.
    void belowTheLimitAgain_data()
    {
        QTest::addColumn<bool>("unplugFirst");
        QTest::addColumn<int>("switchValue");
        QTest::addColumn<int>("uploads");
        QTest::newRow("mouse connected") << false << 1 << 2;
        QTest::newRow("mouse gone") << true << 0 << 1;
    }
    void belowTheLimitAgain()
    {
        QFETCH(bool, unplugFirst);
        QFETCH(int, switchValue);
        QFETCH(int, uploads);
        build();
        fixture->mouse()->setMemorySize(memoryFor(100.5));
        QSignalSpy connected(MouseFunctions::instance(), &MouseFunctions::mouseConnect);
        fixture->mouse()->plugIn();
        QVERIFY(connected.wait(2000));
        QTRY_VERIFY(view->connectionSwitch().overLimit());
        QCOMPARE(fixture->mouse()->uploads(), 0); // refused before it was sent
        if (unplugFirst) {
            fixture->mouse()->unplug();
            QTRY_VERIFY(!view->connectionSwitch().connected());
        }
        // Fewer mappings: the biggest profile's go.
        PackageCreator *model = PackageCreator::instance();
        ProfileData *biggest = model->globalProfile();
        for (ProfileData *profile : model->profiles()) {
            if (profile->inputMaps.size() > biggest->inputMaps.size())
                biggest = profile;
        }
        model->setCurrentProfile(biggest);
        model->setInputMaps({});
        QCOMPARE(slider()->value(), switchValue);
        QCOMPARE(fixture->mouse()->uploads(), uploads - 1);
        if (uploads > 1)
            QCOMPARE(fixture->mouse()->ramPackage(), model->package());
        QVERIFY(!view->connectionSwitch().overLimit());
    }

    void connectAndDisconnect()
    {
        build();
        plugIn();
        QCOMPARE(fixture->mouse()->ramPackage(), PackageCreator::instance()->package());
        QVERIFY(!button("pushButton_save")->isEnabled());

        QSignalSpy saved(ConfigFile::instance(), &ConfigFile::saved);
        fixture->mouse()->unplug();
        QTRY_COMPARE(slider()->value(), 0);
        QCOMPARE(saved.count(), 0);
        plugIn();
        QCOMPARE(saved.count(), 1);

        // Switched off by hand: a reconnection leaves it off.
        moveSwitch();
        QCOMPARE(slider()->value(), 0);
        QVERIFY(view->connectionSwitch().manualOff());
        fixture->mouse()->unplug();
        QTRY_VERIFY(!view->connectionSwitch().connected());
        fixture->mouse()->plugIn();
        QTRY_VERIFY(view->connectionSwitch().connected());
        QTest::qWait(50);
        QCOMPARE(slider()->value(), 0);
        QCOMPARE(fixture->mouse()->uploads(), 2);
        moveSwitch();
        QCOMPARE(slider()->value(), 1);
        QCOMPARE(fixture->mouse()->uploads(), 3);
    }

    void switchingOnWithoutAMouseSaysSo()
    {
        build();
        showWindow();
        QString question;
        DialogAnswerer answer(answerBox("Ok", &question));
        moveSwitch();
        QVERIFY(answer.answered());
        QCOMPARE(question, QString("No mouse detected, please check the Corvanelle V is\nplugged in, and press 'Ok'"));
        QCOMPARE(slider()->value(), 0);
    }

    // An upload that does not reach the mouse is told once, with its reason,
    // while the window shows, and Save stays available: the file has the
    // edits, the mouse has not.
    void failedUploadKeepsSaveAvailable_data()
    {
        QTest::addColumn<bool>("visible");
        QTest::newRow("window shown") << true;
        QTest::newRow("window hidden") << false;
    }
    void failedUploadKeepsSaveAvailable()
    {
        QFETCH(bool, visible);
        build();
        plugIn();
        if (visible)
            showWindow();
        editCurrentProfile();
        QVERIFY(button("pushButton_save")->isEnabled());
        fixture->mouse()->setSilent(true);
        QSignalSpy saved(ConfigFile::instance(), &ConfigFile::saved);
        QString question;
        DialogAnswerer answer(answerBox("Ok", &question), 3000);
        const SaveSequence::Result result = view->saveButton();
        QCOMPARE(answer.answered(), visible);
        QVERIFY(result.uploadFailed());
        QVERIFY(result.written);
        if (visible) {
            QVERIFY2(question.startsWith("The profiles could not be stored in the mouse:\n"), qPrintable(question));
            QVERIFY2(question.contains(result.uploadReason), qPrintable(question));
        }
        QCOMPARE(saved.count(), 1);
        QVERIFY(button("pushButton_save")->isEnabled());
        DialogAnswerer another(answerBox("Ok"), 300);
        QVERIFY(!another.wait());
    }

    // Only edits enable Save; a save or a connection's memory check does not.
    void saveMeansUnsavedEdits()
    {
        build();
        plugIn();
        QPushButton *save = button("pushButton_save");
        QVERIFY(!save->isEnabled());
        editCurrentProfile();
        QVERIFY(save->isEnabled());
        const int uploads = fixture->mouse()->uploads();
        showWindow();
        QVERIFY(WidgetDriver::click(view.get(), "pushButton_save"));
        QVERIFY(!save->isEnabled());
        QCOMPARE(fixture->mouse()->uploads(), uploads + 1);
        QCOMPARE(fixture->mouse()->ramPackage(), PackageCreator::instance()->package());
    }

    // Leaving this program for another one with edits unsaved saves once;
    // without edits, with the switch off, or between two other programs it
    // does not.
    void leavingTheProgramSaves_data()
    {
        QTest::addColumn<QStringList>("before"); // announced before the edit
        QTest::addColumn<bool>("edit");
        QTest::addColumn<bool>("switchedOff");
        QTest::addColumn<QStringList>("after");
        QTest::addColumn<int>("saves");
        QTest::newRow("edits, leaving") << QStringList() << true << false << QStringList{"firefox"} << 1;
        QTest::newRow("repeated announcements")
            << QStringList() << true << false << QStringList{"firefox", "firefox", "gimp", ownName(), "gimp"} << 1;
        QTest::newRow("no edits") << QStringList() << false << false << QStringList{"firefox"} << 0;
        QTest::newRow("switch off") << QStringList() << true << true << QStringList{"firefox"} << 0;
        QTest::newRow("between two others")
            << QStringList{"firefox"} << true << false << QStringList{"gimp", "firefox"} << 0;
    }
    void leavingTheProgramSaves()
    {
        QFETCH(QStringList, before);
        QFETCH(bool, edit);
        QFETCH(bool, switchedOff);
        QFETCH(QStringList, after);
        QFETCH(int, saves);
        build();
        plugIn();
        SimpleModel::instance()->setAutoSwitching(false);
        if (switchedOff)
            moveSwitch();
        // One at a time: what comes while a save uploads is not looked at.
        const auto announce = [](const QStringList &apps) {
            for (const QString &app : apps) {
                ForegroundWrapper::instance()->setForegroundApp(app);
                QTest::qWait(20); // queued
            }
        };
        announce(before);
        if (edit)
            editCurrentProfile();
        QSignalSpy saved(ConfigFile::instance(), &ConfigFile::saved);
        const int uploads = fixture->mouse()->uploads();
        announce(after);
        QCOMPARE(saved.count(), saves);
        QCOMPARE(fixture->mouse()->uploads(), uploads + saves);
        QCOMPARE(view->previousForegroundApp(), switchedOff ? ownName() : after.last());
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
        for (const char *name : {"pushButton_settings", "pushButton_mappings", "pushButton_tilt_lr", "pushButton_tilt_fb"})
            QVERIFY2(!button(name)->isChecked(), name);
        QVERIFY(looks("pushButton_mappings", "active"));
    }

    // The box's entry by name: a name it does not hold changes nothing (and
    // never ends automatic switching); the entry shown is activated again,
    // with its save of the edits, only when forced.
    void activeProfileByName_data()
    {
        QTest::addColumn<int>("shown");
        QTest::addColumn<int>("entry"); // -1: a name the box does not hold
        QTest::addColumn<bool>("forced");
        QTest::addColumn<int>("saves");
        QTest::newRow("unknown name") << 0 << -1 << true << 0;
        QTest::newRow("entry shown, forced") << 1 << 1 << true << 1;
        QTest::newRow("entry shown") << 1 << 1 << false << 0;
        QTest::newRow("other entry") << 1 << 2 << false << 1;
    }
    void activeProfileByName()
    {
        QFETCH(int, shown);
        QFETCH(int, entry);
        QFETCH(bool, forced);
        QFETCH(int, saves);
        build();
        plugIn();
        ComboBox *box = view->activeProfileBox();
        box->setCurrentIndex(shown);
        QCOMPARE(SimpleModel::instance()->autoSwitching(), shown == 0);
        editCurrentProfile();
        QSignalSpy saved(ConfigFile::instance(), &ConfigFile::saved);
        view->setActiveProfile(entry < 0 ? QString("Nobody") : box->itemText(entry), forced);
        QCOMPARE(saved.count(), saves);
        QCOMPARE(box->currentIndex(), entry < 0 ? shown : entry);
        QCOMPARE(SimpleModel::instance()->autoSwitching(), shown == 0);
        if (entry == 2)
            QCOMPARE(SimpleModel::instance()->activeProfile(), SimpleModel::instance()->profiles().at(1));
    }

    void bootloaderConnectionUploadsNothing()
    {
        build();
        // A bootloader that passes the check is reported as a connection
        // (while an update waits for the mouse to come back).
        MouseFunctions *device = MouseFunctions::instance();
        device->setFirmwareStateProvider([] { return 5; });
        device->setFirmwareCheckEnabled(false);
        QSignalSpy connected(device, &MouseFunctions::mouseConnect);
        fixture->mouse()->plugInAsBootloader(7);
        QVERIFY(connected.wait(2000));
        QCOMPARE(connected.last().at(0).toBool(), true);
        QTest::qWait(50);
        QCOMPARE(fixture->mouse()->uploads(), 0);
        QCOMPARE(slider()->value(), 0);
        QVERIFY(!view->connectionSwitch().connected());
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
                               << "R7API: Switching to \"Work\" profile.";
        QTest::newRow("sub-profile first in tree order") << "Twin"
                                                         << "Twin"
                                                         << "R7API: Switching to";
        QTest::newRow("other case") << "work"
                                    << ""
                                    << "R7API: \"work\" not found.";
        QTest::newRow("Global") << "Global"
                                << "Global"
                                << "R7API: Switching to \"Global\" profile.";
        QTest::newRow("Global Defaults") << "Global Defaults"
                                         << "Global"
                                         << "R7API: Switching to";
        QTest::newRow("unknown") << "Games!"
                                 << ""
                                 << "R7API: \"Games!\" not found.";
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
};

QTEST_MAIN(TestExpertView)
#include "tst_expertview.moc"
