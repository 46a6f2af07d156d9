// The application object in this process, against the simulated mouse: the
// model key on every widget, the upload on connection, the firmware prompts,
// the view switching, the tray, the Back button and the first opening.
//
// Each case builds an App of its own (the test runs without one of its own)
// and tears it down before the next.
#include "App.h"
#include "ConfigFile.h"
#include "ConnectedMouse.h"
#include "DialogAnswerer.h"
#include "DlgYesNo.h"
#include "ExpertTray.h"
#include "ExpertView.h"
#include "FWUpdate.h"
#include "FakeHidTransport.h"
#include "FakeProcessTools.h"
#include "InternetAccess.h"
#include "IntroDialog.h"
#include "MouseFunctions.h"
#include "PackageCreator.h"
#include "ProgramFolder.h"
#include "SWUpdate.h"
#include "SettingsFile.h"
#include "SimpleView.h"
#include "SimulatedMouse.h"
#include "WidgetDriver.h"

#include <QAction>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QtTest>

#include <algorithm>
#include <memory>
#include <optional>

namespace {

QString configFolder()
{
    return QFileInfo(SettingsFile::pathBeforeApplication()).absolutePath();
}

QSettings settings()
{
    return QSettings(SettingsFile::pathBeforeApplication(), QSettings::IniFormat);
}

int countInLog(const QByteArray &text)
{
    QFile log(configFolder() + "/log.txt");
    return log.open(QIODevice::ReadOnly) ? log.readAll().count(text) : 0;
}

// The prompt with that accept button, or null.
DlgYesNo *promptWith(QWidget *dialog, const QString &acceptText)
{
    auto *prompt = qobject_cast<DlgYesNo *>(dialog);
    auto *yes = prompt ? prompt->findChild<QPushButton *>("btn_yes") : nullptr;
    return yes && yes->text() == acceptText ? prompt : nullptr;
}

QString noText(QWidget *dialog)
{
    auto *no = dialog->findChild<QPushButton *>("btn_no");
    return no ? no->text() : QString();
}

bool noticeShown(QWidget *view, const QString &name)
{
    auto *label = view->findChild<QLabel *>(name);
    return label && label->isVisibleTo(view);
}

} // namespace

class TestApp : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<ConnectedMouse> fixture;
    std::unique_ptr<App> app;
    QByteArrayList arguments;
    int argc = 0;
    std::vector<char *> argv;
    FakeProcessTools processes;

    // A user who has run the program before and wants no intro; no update
    // check (nothing leaves this machine).
    static void returningUser()
    {
        QSettings file = settings();
        file.setValue("HasBeenRunBefore", true);
        file.setValue("HasBeenOpenedSinceInstallOrUpgrade", true);
        file.setValue("ShowIntroOnLaunch", false);
        file.setValue("AutoUpdate", false);
    }

    // The device object, when the App makes it, opens the simulated mouse.
    void startApp(const QByteArrayList &extra = {})
    {
        MouseFunctions::setTransportFactory([this] { return new FakeHidTransport(fixture->mouse()); });
        arguments = QByteArrayList{"tst_app"} + extra;
        argv.clear();
        for (QByteArray &argument : arguments)
            argv.push_back(argument.data());
        argv.push_back(nullptr);
        argc = int(arguments.size());
        app = std::make_unique<App>(argc, argv.data());
    }

    void plugIn()
    {
        QSignalSpy connected(MouseFunctions::instance(), &MouseFunctions::mouseConnect);
        fixture->mouse()->plugIn();
        QVERIFY(connected.wait(5000));
        QTRY_COMPARE(fixture->mouse()->pendingReports(), 0);
        QCoreApplication::processEvents();
    }

private slots:
    void initTestCase()
    {
        // As the program is named: its settings are the ones read before
        // the application object exists too.
        QCoreApplication::setApplicationName("Corvanelle R7 Control Panel");
        ProgramFolder::setPath(R7_SHIPPED_DIR);
        // Only a local server, should anything still ask.
        qputenv("R7_UPDATE_SERVER", "http://127.0.0.1:1");
        ProcessTools::setCurrent(&processes);
    }
    void cleanupTestCase() { ProcessTools::setCurrent(nullptr); }

    void init()
    {
        processes = FakeProcessTools();
        fixture = std::make_unique<ConnectedMouse>(20);
    }

    void cleanup()
    {
        app.reset();
        fixture.reset();
        PackageCreator::instance()->reset();
        QSettings file = settings();
        file.clear();
        file.sync();
        for (const QString &folder :
             {QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation),
              QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + "/autostart"})
            QDir(folder).removeRecursively();
        QDir config(configFolder());
        for (const QString &entry : config.entryList(QDir::AllEntries | QDir::NoDotAndDotDot)) {
            if (entry == "settings.ini")
                continue;
            if (!config.remove(entry))
                QDir(config.filePath(entry)).removeRecursively();
        }
    }

    void everyWidgetCarriesTheModelKey_data()
    {
        QTest::addColumn<int>("productId");
        QTest::addColumn<QString>("key");
        QTest::newRow("tamsel") << 10 << "tamsel";
        QTest::newRow("pelkin") << 20 << "pelkin";
        QTest::newRow("v2") << 30 << "v";
        QTest::newRow("fresh user") << 0 << "v";
    }
    void everyWidgetCarriesTheModelKey()
    {
        QFETCH(int, productId);
        QFETCH(QString, key);
        returningUser();
        startApp();
        if (productId) {
            fixture->mouse()->setProductId(productId);
            plugIn();
        }
        const IntroDialog *intro = app->intro();
        for (QWidget *widget : QApplication::allWidgets()) {
            // Made after the styling at start: a dialog gets its key from
            // whoever opens it, and the next connection restyles it.
            if (!productId && widget->window() == intro)
                continue;
            QVERIFY2(widget->property("m").toString() == key, widget->metaObject()->className());
        }
        // One made after the connection, such as a new profile's page, is
        // styled for the connected model from the start.
        auto *late = new QLabel(app->expert());
        QCOMPARE(late->property("m").toString(), key);
        delete late;
        QVERIFY(!WidgetDriver::grabToPng(app->simple(), "simple-" + QString(QTest::currentDataTag())).isEmpty());
        QVERIFY(!WidgetDriver::grabToPng(app->expert(), "expert-" + QString(QTest::currentDataTag())).isEmpty());
    }

    void connectionUploadsSavesAndRemembersTheModel()
    {
        returningUser();
        startApp();
        QVERIFY(!QFile::exists(ConfigFile::workingFilePath()));
        fixture->mouse()->setProductId(10);
        plugIn();
        QCOMPARE(fixture->mouse()->uploads(), 1);
        QCOMPARE(fixture->mouse()->ramPackage(), PackageCreator::instance()->package());
        QVERIFY(QFile::exists(ConfigFile::workingFilePath()));
        QCOMPARE(settings().value("LastMouseConnected").toInt(), 10);
    }

    void allowAnyFirmwareConnectsAnOlderMouseWithoutAsking()
    {
        returningUser();
        settings().setValue("AllowAnyFirmware", true);
        startApp();
        fixture->mouse()->setFirmwareBuild("000207");
        DialogAnswerer none(DialogAnswerer::clickButton("btn_no"), 600);
        plugIn();
        QVERIFY(!none.wait());
        QCOMPARE(fixture->mouse()->uploads(), 1);
    }

    void olderFirmwareAsksAndLaterKeepsTheNotices()
    {
        returningUser();
        startApp();
        fixture->mouse()->setFirmwareBuild("000207");
        QString refused;
        DialogAnswerer answer([&](QWidget *dialog) {
            QVERIFY(promptWith(dialog, "Upgrade Now"));
            refused = noText(dialog);
            QVERIFY(!WidgetDriver::grabToPng(dialog, "upgrade-prompt").isEmpty());
            WidgetDriver::click(dialog, "btn_no");
        });
        QElapsedTimer clock;
        clock.start();
        fixture->mouse()->plugIn();
        QVERIFY(answer.wait());
        QVERIFY(clock.elapsed() >= 200);
        QCOMPARE(refused, QString("Upgrade Later"));
        QVERIFY(noticeShown(app->expert(), "label_updateHere"));
        QVERIFY(app->simple()->isFirmwareUpdateShown());
        QCOMPARE(FWUpdate::instance()->state(), int(FWUpdate::eNone));
    }

    // The older driver is asked to end before the update starts.
    void upgradeNowEndsTheOlderDriverAndUpdates()
    {
        returningUser();
        processes.addProcess(4242, "/opt/wine/CorvanelleDriver.exe");
        startApp();
        fixture->mouse()->setFirmwareBuild("000207");
        QString question;
        std::optional<DialogAnswerer> driver;
        DialogAnswerer upgrade([&](QWidget *dialog) {
            QVERIFY(promptWith(dialog, "Upgrade Now"));
            // The question follows this prompt.
            driver.emplace([&](QWidget *next) {
                question = next->findChild<QLabel *>("label")->text();
                WidgetDriver::click(next, "btn_yes");
            });
            WidgetDriver::click(dialog, "btn_yes");
        });
        fixture->mouse()->plugIn();
        QVERIFY(upgrade.wait());
        QVERIFY(driver && driver->wait());
        QTRY_VERIFY(FWUpdate::instance()->isBusy());
        QVERIFY(question.startsWith("The V's old configuration software (the 'Corvanelle Driver') must be closed"));
        QCOMPARE(processes.terminated(), QList<quint32>{4242});
        QVERIFY(!noticeShown(app->expert(), "label_updateHere"));
        QVERIFY(!app->simple()->isFirmwareUpdateShown());
    }

    void cancellingTheOlderDriverQuestionStartsNothing()
    {
        returningUser();
        processes.addProcess(4242, QString(), "CorvanelleDrive"); // another user's: named by its short name
        startApp();
        fixture->mouse()->setFirmwareBuild("000207");
        std::optional<DialogAnswerer> driver;
        DialogAnswerer upgrade([&](QWidget *dialog) {
            driver.emplace(DialogAnswerer::clickButton("btn_no"));
            WidgetDriver::click(dialog, "btn_yes");
        });
        fixture->mouse()->plugIn();
        QVERIFY(upgrade.wait());
        QVERIFY(driver && driver->wait());
        QTest::qWait(50);
        QVERIFY(processes.terminated().isEmpty());
        QCOMPARE(FWUpdate::instance()->state(), int(FWUpdate::eNone));
        QVERIFY(noticeShown(app->expert(), "label_updateHere"));
    }

    void bootloaderWithoutUpdateAsksToRestore()
    {
        returningUser();
        startApp();
        QString refused;
        DialogAnswerer answer([&](QWidget *dialog) {
            QVERIFY(promptWith(dialog, "Restore"));
            QCOMPARE(dialog->minimumWidth(), 700);
            refused = noText(dialog);
            WidgetDriver::click(dialog, "btn_no");
        });
        fixture->mouse()->plugInAsBootloader(7);
        QVERIFY(answer.wait());
        QCOMPARE(refused, QString("Don`t Restore"));
        QVERIFY(app->simple()->isFirmwareUpdateShown());
        QCOMPARE(FWUpdate::instance()->state(), int(FWUpdate::eNone));
    }

    void restoreRequestWithANormalMouseDoesNothing()
    {
        returningUser();
        startApp();
        plugIn();
        DialogAnswerer none(DialogAnswerer::clickButton("btn_no"), 600);
        app->restoreFirmware(MouseFunctions::fwStateNone);
        QVERIFY(!none.wait());
        QVERIFY(!app->simple()->isFirmwareUpdateShown());
    }

    // A reconnection while the prompt is open must not stack a second one.
    void requestDuringAPromptOpensNone()
    {
        returningUser();
        startApp();
        fixture->mouse()->setFirmwareBuild("000207");
        int prompts = -1;
        bool secondOpened = true;
        DialogAnswerer answer([&](QWidget *dialog) {
            DialogAnswerer second(DialogAnswerer::clickButton("btn_no"), 600);
            app->askForFWUpdate(true);
            app->restoreFirmware(MouseFunctions::fwStateNone);
            secondOpened = second.wait();
            prompts = dialog->parentWidget()->findChildren<DlgYesNo *>().size();
            WidgetDriver::click(dialog, "btn_no");
        });
        fixture->mouse()->plugIn();
        QVERIFY(answer.wait());
        QVERIFY(!secondOpened);
        QCOMPARE(prompts, 1);
        // The requests made meanwhile are gone, not waiting.
        DialogAnswerer after(DialogAnswerer::clickButton("btn_no"), 600);
        QVERIFY(!after.wait());
    }

    void switchingViewsRemembersTheChoice()
    {
        returningUser();
        startApp();
        SimpleView *simple = app->simple();
        ExpertView *expert = app->expert();
        QTRY_VERIFY(simple->isVisible());
        QVERIFY(!expert->isVisible());
        QVERIFY(WidgetDriver::click(simple, "pushButton_expert"));
        QVERIFY(expert->isVisible());
        QVERIFY(!simple->isVisible());
        QCOMPARE(app->currentView(), expert);
        QCOMPARE(settings().value("ExpertView").toBool(), true);
        QVERIFY(WidgetDriver::click(expert, "pushButton_simple_mode"));
        QVERIFY(simple->isVisible());
        QVERIFY(!expert->isVisible());
        QCOMPARE(settings().value("ExpertView").toBool(), false);
    }

    void expertViewSettingOpensTheExpertView()
    {
        returningUser();
        settings().setValue("ExpertView", true);
        startApp();
        QCOMPARE(app->currentView(), app->expert());
        QTRY_VERIFY(app->expert()->isVisible());
        QTRY_COMPARE(countInLog("Opening Window in Expert Mode"), 1);
    }

    // A minimised window comes back as it was before.
    void showingRestoresAMinimisedView_data()
    {
        QTest::addColumn<int>("state");
        QTest::newRow("normal") << int(Qt::WindowNoState);
        QTest::newRow("maximised") << int(Qt::WindowMaximized);
        QTest::newRow("full screen") << int(Qt::WindowFullScreen);
    }
    void showingRestoresAMinimisedView()
    {
        QFETCH(int, state);
        returningUser();
        startApp();
        SimpleView *simple = app->simple();
        QTRY_VERIFY(simple->isVisible());
        simple->setWindowState(Qt::WindowStates(state) | Qt::WindowMinimized);
        QVERIFY(simple->isMinimized());
        app->showActiveView();
        QVERIFY(!simple->isMinimized());
        QCOMPARE(int(simple->windowState()), state);
        QVERIFY(simple->isVisible());
        QCOMPARE(app->softwareUpdate()->parentWidget(), simple);
    }

    void hidingAViewClosesTheIntroAndTheUpdateDialog()
    {
        returningUser();
        settings().setValue("ExpertView", true);
        startApp();
        ExpertView *expert = app->expert();
        QTRY_VERIFY(expert->isVisible());
        app->intro()->show();
        app->softwareUpdate()->show();
        expert->close();
        QVERIFY(!expert->isVisible());
        QVERIFY(!app->intro()->isVisible());
        QVERIFY(!app->softwareUpdate()->isVisible());
    }

    void oneBackPressIsOneNavigateBack()
    {
        returningUser();
        startApp();
        SimpleView *simple = app->simple();
        QTRY_VERIFY(simple->isVisible());
        QSignalSpy back(app.get(), &App::navigateBack);
        const QPoint inside = simple->rect().center();
        QTest::mousePress(simple->windowHandle(), Qt::BackButton, {}, inside);
        QTest::mouseRelease(simple->windowHandle(), Qt::BackButton, {}, inside);
        QCOMPARE(back.count(), 1);
        QTest::mouseClick(simple->windowHandle(), Qt::LeftButton, {}, inside);
        QCOMPARE(back.count(), 1);

        int underDialog = -1;
        DlgYesNo dialog(simple, "Go back?", QString(), QString(), "v", nullptr);
        DialogAnswerer answer([&](QWidget *open) {
            const QPoint centre = open->rect().center();
            QTest::mousePress(open->windowHandle(), Qt::BackButton, {}, centre);
            QTest::mouseRelease(open->windowHandle(), Qt::BackButton, {}, centre);
            underDialog = back.count();
            WidgetDriver::click(open, "btn_no");
        });
        dialog.exec();
        QCOMPARE(underDialog, 2);
    }

    void trayOpensTheViewAndQuitEndsTheLoop()
    {
        returningUser();
        startApp({"hide"});
        SimpleView *simple = app->simple();
        QTest::qWait(50);
        QVERIFY(!simple->isVisible());
        ExpertTray *tray = app->expert()->tray();
        QCOMPARE(tray->menu()->defaultAction(), tray->openAction());
        tray->openAction()->trigger();
        QVERIFY(simple->isVisible());
        QTRY_COMPARE(countInLog("Opening Window in Simple Mode"), 1);
        QTimer::singleShot(0, tray->quitAction(), &QAction::trigger);
        QCOMPARE(app->exec(), 0);
    }

    // A start in the tray styles no window: each is polished, whole, when it
    // first shows, with the model key of the mouse connected meanwhile.
    void hiddenWindowsArePolishedWhenTheyShow()
    {
        returningUser();
        startApp({"hide"});
        plugIn();
        QTest::qWait(50);
        const auto polished = [](QWidget *window) {
            QList<QWidget *> widgets = window->findChildren<QWidget *>();
            widgets << window;
            return std::count_if(widgets.cbegin(), widgets.cend(),
                                 [](QWidget *widget) { return widget->testAttribute(Qt::WA_WState_Polished); });
        };
        QStringList early;
        for (QWidget *window : QApplication::topLevelWidgets()) {
            if (polished(window) != 0)
                early << QString::fromLatin1(window->metaObject()->className());
        }
        // Each scroll area polishes its scroll bars when it is built (the
        // profile bar, the mouse picture's view), and so does a combo box's
        // list.
        QEXPECT_FAIL("", "scroll areas and combo box lists polish themselves when built", Abort);
        QVERIFY2(early.isEmpty(), qPrintable(early.join(", ")));

        app->expert()->tray()->openAction()->trigger();
        SimpleView *simple = app->simple();
        QVERIFY(simple->isVisible());
        QCOMPARE(polished(simple), simple->findChildren<QWidget *>().size() + 1);
        for (QWidget *widget : simple->findChildren<QWidget *>())
            QCOMPARE(widget->property("m").toString(), QString("pelkin"));
        QVERIFY(!WidgetDriver::grabToPng(simple, "simple-shown-from-the-tray").isEmpty());
    }

    // A start in the tray builds what it does not show only when it is
    // needed: the intro at the first opening, the update dialog's form when
    // it shows, the online watch at the first check or download.
    void hiddenStartDefersTheDialogs()
    {
        returningUser();
        startApp({"hide"});
        const auto intros = [] {
            const QWidgetList widgets = QApplication::allWidgets();
            return std::count_if(widgets.cbegin(), widgets.cend(),
                                 [](QWidget *widget) { return qobject_cast<IntroDialog *>(widget) != nullptr; });
        };
        SWUpdate *update = app->softwareUpdate();
        QCOMPARE(intros(), 0);
        QVERIFY(!update->findChild<QPushButton *>("pushButton_now"));
        QVERIFY(!update->findChild<InternetAccess *>());

        app->expert()->tray()->openAction()->trigger();
        QTRY_COMPARE(countInLog("Opening Window in Simple Mode"), 1);
        QCOMPARE(intros(), 1);
        QCOMPARE(app->intro()->parentWidget(), app->simple());
        update->show();
        QVERIFY(update->findChild<QPushButton *>("pushButton_now"));
        QCOMPARE(update->size(), QSize(400, 184));
    }

    void hiddenStartShowsNoUpdateDialog()
    {
        returningUser();
        startApp({"hide"});
        app->swUpdateAvailable(true); // would not return while the dialog ran
        QVERIFY(!app->softwareUpdate()->isVisible());
        QVERIFY(!app->simple()->isVisible());
        QCOMPARE(countInLog("Autostart - launched minimized"), 1);
    }

    // The intro runs modally at the first opening; an activation meanwhile
    // must not run the first opening again.
    void firstOpeningRunsOnce()
    {
        int introsOpen = -1;
        startApp();
        DialogAnswerer intro([&](QWidget *dialog) {
            QVERIFY(qobject_cast<IntroDialog *>(dialog));
            app->applicationStateChanged(Qt::ApplicationActive);
            introsOpen = QApplication::activeModalWidget() == dialog ? 1 : 0;
            dialog->hide();
        });
        QVERIFY(intro.wait());
        QCOMPARE(introsOpen, 1);
        QCOMPARE(countInLog("Opening Window in Simple Mode"), 1);
        QCOMPARE(settings().value("HasBeenOpenedSinceInstallOrUpgrade").toBool(), true);
        QCOMPARE(settings().value("HasBeenRunBefore").toBool(), true);
    }
};

QTEST_APPLESS_MAIN(TestApp)
#include "tst_app.moc"
