// The simple view's information and mouse pop-ups, driven as a user would:
// the hint switch and its stored setting, the update notice and its Update
// button (program upgrade from the test's server, firmware update into the
// simulated mouse's bootloader with the fake bootloader library beside this
// test, the old driver through a scripted process list), the support
// articles through a recording URL handler, and the mouse items against the
// simulated mouse.
#include "AppFont.h"
#include "ConfigFile.h"
#include "FWUpdate.h"
#include "MouseFunctions.h"
#include "PopupInformation.h"
#include "PopupMouse.h"
#include "PopupTexts.h"
#include "ProcessTools.h"
#include "SWUpdate.h"
#include "SettingsFile.h"
#include "SharedConstants.h"
#include "UpdateClock.h"

#include "AppStyleSheet.h"
#include "ConnectedMouse.h"
#include "DialogFixture.h"
#include "FakeProcessTools.h"
#include "OnlineState.h"
#include "ProcessStateGuard.h"
#include "ProfileFixture.h"
#include "SimulatedMouse.h"
#include "TestHttpServer.h"
#include "UrlRecorder.h"
#include "WidgetDriver.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QPointer>
#include <QSettings>
#include <QSignalSpy>
#include <QSlider>
#include <QTimer>
#include <QtTest>

#include <memory>
#include <optional>

namespace {

QSettings settings()
{
    return QSettings(SettingsFile::path(), QSettings::IniFormat);
}

} // namespace

// Answers the modal dialogs that open, one after another, each with the
// next button text of the script ("Ok" once it runs out), and keeps the
// texts each dialog showed.
class DialogScript : public QObject
{
    Q_OBJECT

public:
    explicit DialogScript(QStringList answers = {})
        : m_answers(std::move(answers))
    {
        connect(&m_poll, &QTimer::timeout, this, &DialogScript::look);
        m_poll.start(10);
    }
    void stop() { m_poll.stop(); }
    QStringList seen;
    QList<QWidget *> owners; // each dialog's parent

private:
    void look()
    {
        QWidget *dialog = QApplication::activeModalWidget();
        if (!dialog || !dialog->isVisible() || m_done.contains(dialog))
            return;
        m_done << dialog;
        seen << DialogFixture::labelTexts(dialog);
        owners << dialog->parentWidget();
        const QString answer = m_answers.value(seen.size() - 1, "Ok");
        if (!DialogFixture::clickText(dialog, answer))
            qWarning() << "DialogScript: no button" << answer << "in" << seen.last();
    }

    QStringList m_answers;
    QList<QPointer<QWidget>> m_done;
    QTimer m_poll;
};

class TestPopups : public QObject
{
    Q_OBJECT

    std::optional<ProcessStateGuard> clean;
    std::unique_ptr<ConnectedMouse> fixture;
    FakeProcessTools processes;
    UrlRecorder desktop;

    SimulatedMouse *mouse() const { return fixture->mouse(); }

    // The simulated mouse as the device object sees it: "connected",
    // "unplugged" (connected once, then gone), "old firmware" (on the bus,
    // refused) or "none".
    void setUpMouse(const QString &state, int productId = 5)
    {
        if (state == "none")
            return;
        fixture = std::make_unique<ConnectedMouse>(productId);
        if (state == "old firmware") {
            mouse()->setFirmwareBuild("000207");
            mouse()->plugIn();
            fixture->start();
            QTRY_VERIFY(fixture->device()->isDevicePresent());
            return;
        }
        fixture->connect();
        if (state == "unplugged") {
            mouse()->unplug();
            QTRY_COMPARE(fixture->device()->waitState(), int(MouseFunctions::WaitDisconnected));
            QCOMPARE(fixture->device()->mousePID(), productId);
        }
        mouse()->clearLog();
    }

    static void showPopup(QWidget *popup)
    {
        popup->show();
        QVERIFY(QTest::qWaitForWindowExposed(popup));
    }

    static QWidget *notice(const PopupInformation &popup) { return WidgetDriver::child(&popup, "widget_has_updates"); }
    static QString noticeText(const PopupInformation &popup)
    {
        return WidgetDriver::child<QLabel>(&popup, "label_update_info")->text();
    }
    static QSlider *hints(const PopupInformation &popup)
    {
        return WidgetDriver::child<QSlider>(&popup, "horizontalSlider_hints");
    }

private slots:
    void initTestCase()
    {
        QApplication::setFont(appFont());
        qApp->setStyleSheet(AppStyleSheet::joined());
        QDesktopServices::setUrlHandler("https", &desktop, "open");
        QDesktopServices::setUrlHandler("file", &desktop, "open");
        ProcessTools::setCurrent(&processes);
        UpdateClock::setDivisor(100);
    }
    void cleanupTestCase()
    {
        QDesktopServices::unsetUrlHandler("https");
        QDesktopServices::unsetUrlHandler("file");
        ProcessTools::setCurrent(nullptr);
        UpdateClock::setDivisor(1);
    }
    void init()
    {
        clean.emplace();
        QDir(SettingsFile::folder()).removeRecursively();
        QVERIFY(QDir().mkpath(SettingsFile::folder()));
        ProfileFixture::build("0:Work");
        desktop.opened.clear();
        processes = FakeProcessTools();
    }
    void cleanup()
    {
        FWUpdate::destroyInstance();
        fixture.reset();
        clean.reset();
        QDir(SettingsFile::folder()).removeRecursively();
    }

    void hintsSwitchStartsFromTheSettings_data()
    {
        QTest::addColumn<QVariant>("displayHints");
        QTest::addColumn<QVariant>("openedSinceInstall");
        QTest::addColumn<bool>("on");
        QTest::addColumn<QVariant>("stored");
        QTest::newRow("fresh install") << QVariant() << QVariant() << true << QVariant("true");
        QTest::newRow("off, but new since install") << QVariant(false) << QVariant(false) << true << QVariant("true");
        QTest::newRow("off") << QVariant(false) << QVariant(true) << false << QVariant("false");
        QTest::newRow("on") << QVariant(true) << QVariant(true) << true << QVariant("true");
        QTest::newRow("opened, never set") << QVariant() << QVariant(true) << true << QVariant("true");
    }
    void hintsSwitchStartsFromTheSettings()
    {
        QFETCH(QVariant, displayHints);
        QFETCH(QVariant, openedSinceInstall);
        QFETCH(bool, on);
        QFETCH(QVariant, stored);
        if (displayHints.isValid())
            settings().setValue("DisplayHints", displayHints);
        if (openedSinceInstall.isValid())
            settings().setValue("HasBeenOpenedSinceInstallOrUpgrade", openedSinceInstall);

        PopupInformation popup(nullptr, nullptr);
        QCOMPARE(hints(popup)->value(), on ? 1 : 0);
        QCOMPARE(hints(popup)->property("slider_style").toString(), on ? "hint_toggle_on" : "hint_toggle_off");
        QCOMPARE(settings().value("DisplayHints").toString(), stored.toString());
    }

    void closingTheHintBarTurnsTheSwitchOff()
    {
        PopupInformation popup(nullptr, nullptr);
        QSignalSpy shown(&popup, &PopupInformation::displayHints);
        popup.hintsClosed();
        QCOMPARE(hints(popup)->value(), 0);
        QCOMPARE(hints(popup)->property("slider_style").toString(), QString("hint_toggle_off"));
        QCOMPARE(settings().value("DisplayHints").toString(), QString("false"));
        QCOMPARE(shown.count(), 1);
        QCOMPARE(shown.at(0).at(0).toBool(), false);

        popup.hintsClosed();
        QCOMPARE(shown.count(), 1);

        // The user's own click turns it back on.
        showPopup(&popup);
        QSlider *slider = hints(popup);
        QTest::mouseClick(slider, Qt::LeftButton, Qt::NoModifier, QPoint(slider->width() - 3, slider->height() / 2));
        QCOMPARE(slider->value(), 1);
        QCOMPARE(shown.count(), 2);
        QCOMPARE(shown.at(1).at(0).toBool(), true);
        QCOMPARE(settings().value("DisplayHints").toString(), QString("true"));
    }

    void noticeFollowsTheUpdateFlags_data()
    {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("shown"); // empty: hidden
        const QString program = "New Driver Available";
        const QString firmware = "Firmware Update Required";
        QTest::newRow("nothing") << ""
                                 << "";
        QTest::newRow("firmware") << "fw+" << firmware;
        QTest::newRow("program") << "sw+" << program;
        QTest::newRow("firmware, then program") << "fw+ sw+" << program;
        QTest::newRow("program, then firmware") << "sw+ fw+" << program;
        QTest::newRow("program gone, firmware stays") << "fw+ sw+ sw-" << firmware;
        QTest::newRow("program gone") << "sw+ sw-"
                                      << "";
        QTest::newRow("firmware done") << "fw+ fw-"
                                       << "";
        QTest::newRow("firmware done under program") << "sw+ fw+ fw-" << program;
    }
    void noticeFollowsTheUpdateFlags()
    {
        QFETCH(QString, steps);
        QFETCH(QString, shown);
        PopupInformation popup(nullptr, nullptr);
        showPopup(&popup);
        for (const QString &step : steps.split(' ', Qt::SkipEmptyParts)) {
            if (step.startsWith("fw"))
                popup.setFirmwareUpdateRequired(step.endsWith('+'));
            else
                popup.setSoftwareUpdateAvailable(step.endsWith('+'));
        }
        QCOMPARE(notice(popup)->isVisible(), !shown.isEmpty());
        QCOMPARE(WidgetDriver::child(&popup, "frame_line")->isVisible(), !shown.isEmpty());
        if (!shown.isEmpty())
            QCOMPARE(noticeText(popup), shown);
    }

    void firmwareNoticeStartsTheFirmwareUpdate_data()
    {
        QTest::addColumn<QString>("mouseState");
        QTest::addColumn<bool>("oldDriverRuns");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<bool>("started");
        const QString close = "Please, ensure that you have closed CorvanelleDriver application.";
        QTest::newRow("mouse") << "connected" << false << QStringList{close} << true;
        QTest::newRow("mouse with old firmware") << "old firmware" << false << QStringList{close} << true;
        QTest::newRow("old driver runs") << "connected" << true << QStringList{close} << false;
        QTest::newRow("no mouse") << "none" << false << QStringList{close, PopupTexts::noMouse()} << false;
        QTest::newRow("unplugged") << "unplugged" << false << QStringList{close, PopupTexts::noMouse()} << false;
    }
    void firmwareNoticeStartsTheFirmwareUpdate()
    {
        QFETCH(QString, mouseState);
        QFETCH(bool, oldDriverRuns);
        QFETCH(QStringList, messages);
        QFETCH(bool, started);
        setUpMouse(mouseState);
        if (oldDriverRuns)
            processes.addProcess(4711, "/opt/old/CorvanelleDriver.exe");
        processes.addProcess(1, "/sbin/init");

        PopupInformation popup(nullptr, nullptr);
        popup.setFirmwareUpdateRequired(true);
        showPopup(&popup);
        DialogScript dialogs;
        QVERIFY(WidgetDriver::click(&popup, "update"));
        dialogs.stop(); // the update's own window is modal too
        QCOMPARE(dialogs.seen, messages);
        QVERIFY(popup.isHidden());
        QCOMPARE(FWUpdate::instance()->isBusy(), started);
        QCOMPARE(FWUpdate::instance()->isVisible(), started);
        QCOMPARE(notice(popup)->isHidden(), started);
        if (started && mouseState == "connected")
            QTRY_VERIFY(mouse()->inBootloader());
    }

    void deviceReportsTheFirmwareNotice()
    {
        setUpMouse("connected");
        PopupInformation popup(nullptr, nullptr);
        showPopup(&popup);
        emit MouseFunctions::instance()->fwUpdateRequired(true);
        QVERIFY(notice(popup)->isVisible());
        QCOMPARE(noticeText(popup), QString("Firmware Update Required"));
        emit MouseFunctions::instance()->fwUpdateRequired(false);
        QVERIFY(notice(popup)->isHidden());
    }

    void programNoticeUpgradesTheProgram()
    {
        TestHttpServer site;
        QVERIFY(site.start());
        QVERIFY(SWUpdate::setServerUrl(site.baseUrl()));
        site.serve(
            "/vesk/public/windows/R7Driver.json",
            QStringLiteral(R"({"version": "3.1.0.2", "url": "%1"})").arg(site.url("/setup.exe").toString()).toUtf8());
        site.serve("/setup.exe", QByteArray(5000, 'x'));
        SWUpdate update;
        update.internetAccess();
        QVERIFY(OnlineState::set(&update, true));
        QSignalSpy available(&update, &SWUpdate::updatesAvailable);
        update.checkUpdates();
        QTRY_VERIFY(!available.isEmpty() && available.last().at(0).toBool());

        PopupInformation popup(nullptr, &update);
        popup.setFirmwareUpdateRequired(true);
        popup.setSoftwareUpdateAvailable(true);
        showPopup(&popup);
        QCOMPARE(noticeText(popup), QString("New Driver Available"));
        // The upgrade quits the program: the click runs inside the event loop
        // that it ends.
        QTimer::singleShot(0, this, [&popup] { QVERIFY(WidgetDriver::click(&popup, "update")); });
        QTimer::singleShot(5000, qApp, [] { QCoreApplication::exit(1); });
        QCOMPARE(QCoreApplication::exec(), 0);
        QCOMPARE(desktop.opened, QList<QUrl>{QUrl::fromLocalFile(update.downloadFolder() + "3.1.0.2.exe")});
        QVERIFY(!FWUpdate::instance()->isBusy());
        // The firmware is still to be updated: the next press does it.
        QCOMPARE(noticeText(popup), QString("Firmware Update Required"));
        QVERIFY(SWUpdate::setServerUrl(QString()));
    }

    void checkForUpdatesAsksTheUpdate()
    {
        SWUpdate update;
        update.internetAccess();
        QVERIFY(OnlineState::set(&update, false));
        PopupInformation popup(nullptr, &update);
        showPopup(&popup);
        DialogScript dialogs;
        QVERIFY(WidgetDriver::click(&popup, "check_updates"));
        QCOMPARE(dialogs.seen.size(), 1);
        QVERIFY(dialogs.seen.first().contains("Could not connect."));
        QVERIFY(popup.isHidden());
    }

    void articlesOpenOnTheSupportSite_data()
    {
        QTest::addColumn<QByteArray>("channelIni"); // empty: no file
        QTest::addColumn<QString>("notes");
        QTest::newRow("no Channel.ini") << QByteArray() << changelogUrl;
        QTest::newRow("beta") << QByteArray("[General]\nIsBetaChannel=true\n") << betaChangelogUrl;
        QTest::newRow("alpha") << QByteArray("[General]\nIsAlphaChannel=true\n") << betaChangelogUrl;
        QTest::newRow("neither") << QByteArray("[General]\nIsBetaChannel=false\nIsAlphaChannel=false\n")
                                 << changelogUrl;
    }
    void articlesOpenOnTheSupportSite()
    {
        QFETCH(QByteArray, channelIni);
        QFETCH(QString, notes);
        if (!channelIni.isEmpty())
            QVERIFY(ProfileFixture::writeFile(SettingsFile::channelIniPath(), channelIni));
        PopupInformation popup(nullptr, nullptr);
        // Read once: a later change of the file changes nothing.
        QFile::remove(SettingsFile::channelIniPath());
        QVERIFY(ProfileFixture::writeFile(SettingsFile::channelIniPath(), "[General]\nIsBetaChannel=true\n"));

        showPopup(&popup);
        QVERIFY(WidgetDriver::click(&popup, "whats_new"));
        QVERIFY(popup.isHidden());
        showPopup(&popup);
        QVERIFY(WidgetDriver::click(&popup, "user_guides"));
        QVERIFY(popup.isHidden());
        QCOMPARE(desktop.opened, (QList<QUrl>{QUrl(notes), QUrl(introductionUrl)}));
    }

    void saveToFlash_data()
    {
        QTest::addColumn<QString>("mouseState");
        QTest::addColumn<int>("memorySize");
        QTest::addColumn<int>("uploads");
        QTest::addColumn<QString>("message");
        QTest::newRow("mouse") << "connected" << 32768 << 1 << PopupMouse::savedText();
        QTest::newRow("profiles too large") << "connected" << 8 << 0 << "could not be saved to flash memory";
        QTest::newRow("unplugged") << "unplugged" << 32768 << 0 << PopupTexts::noMouse();
        QTest::newRow("no mouse") << "none" << 32768 << 0 << PopupTexts::noMouse();
    }
    void saveToFlash()
    {
        QFETCH(QString, mouseState);
        QFETCH(int, memorySize);
        QFETCH(int, uploads);
        QFETCH(QString, message);
        setUpMouse(mouseState);
        if (fixture)
            mouse()->setMemorySize(memorySize);
        QFile::remove(ConfigFile::workingFilePath());

        PopupMouse popup(nullptr);
        showPopup(&popup);
        DialogScript dialogs;
        QVERIFY(WidgetDriver::click(&popup, "save_to_flash"));
        QVERIFY(popup.isHidden());
        QCOMPARE(dialogs.seen.size(), 1);
        QVERIFY2(dialogs.seen.first().contains(message), qPrintable(dialogs.seen.first()));
        if (fixture) {
            QCOMPARE(mouse()->uploads(), uploads);
            QCOMPARE(mouse()->flashWrites(), uploads);
            if (uploads)
                QCOMPARE(mouse()->flashPackage(), PackageCreator::instance()->package());
        }
        // The file is written whenever a mouse was there to try.
        QCOMPARE(QFile::exists(ConfigFile::workingFilePath()), mouseState == "connected");
    }

    void resetMouse_data()
    {
        QTest::addColumn<QString>("mouseState");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<int>("resets");
        QTest::newRow("cancelled") << "connected"
                                   << "Cancel" << 0;
        QTest::newRow("reset") << "connected"
                               << "Reset Mouse" << 1;
        QTest::newRow("unplugged") << "unplugged"
                                   << "Ok" << 0;
    }
    void resetMouse()
    {
        QFETCH(QString, mouseState);
        QFETCH(QString, answer);
        QFETCH(int, resets);
        setUpMouse(mouseState);
        QWidget window;
        PopupMouse popup(&window);
        showPopup(&popup);
        DialogScript dialogs({answer});
        QVERIFY(WidgetDriver::click(&popup, "clear_settings"));
        QCOMPARE(dialogs.seen.size(), 1);
        QVERIFY(dialogs.seen.first().contains(mouseState == "connected" ? "Warning: Resetting the mouse"
                                                                        : PopupTexts::noMouse()));
        QTRY_COMPARE(mouse()->userDataResets(), resets);
        QTest::qWait(50);
        QCOMPARE(mouse()->userDataResets(), resets);
        QCOMPARE(mouse()->uploads(), 0);
    }

    void tiltCalibrationOnlyForTiltModels_data()
    {
        QTest::addColumn<int>("productId");
        QTest::addColumn<bool>("shown");
        QTest::newRow("5") << 5 << true;
        QTest::newRow("10") << 10 << false;
        QTest::newRow("20") << 20 << false;
        QTest::newRow("30") << 30 << true;
    }
    void tiltCalibrationOnlyForTiltModels()
    {
        QFETCH(int, productId);
        QFETCH(bool, shown);
        setUpMouse("connected", productId);
        PopupMouse popup(nullptr);
        popup.setModelKey("v");
        showPopup(&popup);
        QCOMPARE(WidgetDriver::child(&popup, "calibrateAngles")->isVisible(), shown);
    }

    void cancelledTiltCalibrationCountsAsDone()
    {
        setUpMouse("connected", 30);
        QWidget window;
        PopupMouse popup(&window);
        popup.setModelKey("v");
        showPopup(&popup);
        DialogScript dialogs({"Cancel"});
        QVERIFY(WidgetDriver::click(&popup, "calibrateAngles"));
        QCOMPARE(dialogs.seen.size(), 1);
        QCOMPARE(mouse()->imuCalibrations(), 0);
        QCOMPARE(settings().value("HasDoneCalibration").toString(), QString("true"));
    }

    void forceCalibrationOpensItsDialog()
    {
        setUpMouse("connected", 30);
        QWidget window;
        PopupMouse popup(&window);
        showPopup(&popup);
        DialogScript dialogs({"Cancel"});
        QVERIFY(WidgetDriver::click(&popup, "calibrateForce"));
        QVERIFY(popup.isHidden());
        QCOMPARE(dialogs.seen.size(), 1);
        QCOMPARE(dialogs.owners, QList<QWidget *>{&window});
        QVERIFY(!QApplication::activeModalWidget());
    }

    void pictures_data() { DialogFixture::addLookRows(); }
    void pictures()
    {
        QFETCH(QString, key);
        setUpMouse("connected", key == "v" ? 30 : 20);
        PopupInformation information(nullptr, nullptr);
        information.setModelKey(key);
        information.setVersionText("Version: 3.0.9.1");
        information.setFirmwareUpdateRequired(true);
        showPopup(&information);
        QVERIFY(!WidgetDriver::grabToPng(&information, "information-" + key).isEmpty());
        information.close();

        PopupMouse popup(nullptr);
        popup.setModelKey(key);
        popup.setMemoryUsage(42.5);
        showPopup(&popup);
        QVERIFY(!WidgetDriver::grabToPng(&popup, "mouse-" + key).isEmpty());
    }
};

QTEST_MAIN(TestPopups)
#include "tst_popups.moc"
