#include "App.h"

#include "AppExtensions.h"
#include "Autostart.h"
#include "CalibrationStyle.h"
#include "ConfigFile.h"
#include "DlgYesNo.h"
#include "ExpertView.h"
#include "FWUpdate.h"
#include "InternetAccess.h"
#include "IntroDialog.h"
#include "LogFile.h"
#include "ManageProfiles.h"
#include "MouseFunctions.h"
#include "ProcessTools.h"
#include "QuitOnSignal.h"
#include "ReadTextFile.h"
#include "SWUpdate.h"
#include "SettingsFile.h"
#include "SharedConstants.h"
#include "SimpleView.h"
#include "StartupEnvironment.h"
#include "StyleProperties.h"
#include "Version.h"

#include <QDebug>
#include <QDir>
#include <QLocale>
#include <QMouseEvent>
#include <QPointer>
#include <QSettings>
#include <QSslSocket>
#include <QStyle>
#include <QThread>
#include <QTimer>

#include <optional>

namespace {

const QString olderDriverExecutable = QStringLiteral("CorvanelleDriver.exe");
constexpr int promptDelayMs = 200;

QSettings settingsFile()
{
    return QSettings(SettingsFile::path(), QSettings::IniFormat);
}

// Marks a firmware prompt as open for as long as it runs.
class PromptScope
{
public:
    explicit PromptScope(bool &open)
        : flag(open)
    {
        flag = true;
    }
    ~PromptScope() { flag = false; }
    PromptScope(const PromptScope &) = delete;
    PromptScope &operator=(const PromptScope &) = delete;

private:
    bool &flag;
};

} // namespace

App::App(int &argc, char **argv)
    : QApplication(argc, argv)
{
    // Before anything that may wait: a box of the start's, or a slow load.
    QuitOnSignal::connectToApplication();
    setupLogging();
    qInfo() << "Start" << productName << versionString;
    // The working file is read and parsed on a thread of its own while the
    // windows are built; the expert view's load takes it up.
    ConfigFile::instance()->prepareSaveFile();
    // Foreground detection and the recorder's view of other windows go
    // through X11 (XWayland on a Wayland session); their own lines come only
    // when first used.
    if (qEnvironmentVariableIsEmpty("DISPLAY"))
        qWarning() << "App: no X display (DISPLAY is unset); foreground applications are not detected, and recording "
                      "takes only keys typed into the program's own windows";
    // Before anything starts another program.
    StartupEnvironment::applicationBuilt();
    loadTranslators();
    loadStyleSheet();

    // Closing a window only hides it; the program keeps running in the tray.
    setQuitOnLastWindowClosed(false);

    swUpdate = new SWUpdate;
    fwUpdate = FWUpdate::instance();
    mouseFunctions = MouseFunctions::instance();
    prepareTls();
    connect(mouseFunctions, &MouseFunctions::fwUpdateRequired, this, &App::askForFWUpdate);
    connect(mouseFunctions, &MouseFunctions::mouseConnect, this, &App::updateStyles);
    connect(mouseFunctions, &MouseFunctions::mouseConnect, this, &App::disableUiBasedOnMouse);
    connect(mouseFunctions, &MouseFunctions::fwRestoreRequired, this, &App::restoreFirmware);

    expertView = new ExpertView(nullptr, swUpdate);
    simpleView = new SimpleView(nullptr, swUpdate);
    updateStyles();

    connect(expertView, &ExpertView::toSimpleView, this, &App::switchActiveView);
    connect(simpleView, &SimpleView::toExpertView, this, &App::switchActiveView);
    connect(expertView, &ExpertView::emitShowActiveView, this, &App::showActiveView);
    connect(this, &QGuiApplication::applicationStateChanged, this, &App::applicationStateChanged);
    connect(swUpdate, &SWUpdate::updatesAvailable, this, &App::swUpdateAvailable);
    connect(swUpdate, &SWUpdate::updatesAvailable, expertView, &ExpertView::swUpdateAvailable);
    connect(swUpdate, &SWUpdate::channelChanged, expertView, &ExpertView::channelChanged);
    connect(swUpdate, &SWUpdate::channelChanged, simpleView, &SimpleView::channelChanged);
    connect(expertView, &ExpertView::hidden, this, &App::closeDialogs);
    connect(simpleView, &SimpleView::hidden, this, &App::closeDialogs);

    extensions = new AppExtensions;
    connect(extensions, &AppExtensions::sigOpenWindow, this, &App::showActiveView);
    extensions->setPollingEnabled(true);

    int lastMouse = 0;
    {
        QSettings settings = settingsFile();
        activeView = settings.value("ExpertView", false).toBool() ? static_cast<QWidget *>(expertView)
                                                                  : static_cast<QWidget *>(simpleView);
        if (settings.value("AllowAnyFirmware", false).toBool())
            mouseFunctions->setFirmwareCheckEnabled(false);
        lastMouse = SettingsFile::readInteger(settings, SettingsFile::lastMouseConnectedKey);
    }
    // Building the dialog waits until the window first opens; a start in the
    // tray does not need it.
    introArguments = {activeView == simpleView, activeView, lastMouse, swUpdate->channel()};

    const QStringList args = arguments();
    if (args.size() >= 2 && args.at(1) == QLatin1String("hide")) {
        qInfo() << "Autostart - launched minimized";
        activeView->hide();
    } else {
        applicationStateChanged(Qt::ApplicationActive);
        {
            // On the very first run it installs the predefined profiles of
            // the applications it finds; it is never shown, and not made
            // once the program has run.
            std::optional<ManageProfiles> manager;
            if (!settingsFile().value("HasBeenRunBefore", false).toBool())
                manager.emplace(simpleView, QStringLiteral("pelkin"));
            if (settingsFile().value("ExpertView", false).toBool())
                expertView->activateView();
            else
                simpleView->activateView();
        }
    }

    if (settingsFile().value("AutoUpdate", true).toBool()) {
        {
            QSettings settings = settingsFile();
            SettingsFile::writeIfChanged(settings, QStringLiteral("AutoUpdate"), true);
        }
        swUpdate->loadSettingsAndCheck();
    }

    registerAutostart();
}

App::~App()
{
    ConfigFile::instance()->finishStartLoad();
    if (autostartWriter)
        autostartWriter->wait();
    if (tlsLoader)
        tlsLoader->wait();
    delete swUpdate;
    delete extensions;
    delete simpleView;
    expertView->resetConnectionToggle();
    delete expertView;
    FWUpdate::destroyInstance();
    // Nothing is saved here: every change was written when it was made.
}

void App::setupLogging()
{
    LogFile::setupLogging();
}

void App::loadTranslators()
{
    const QString folder = applicationDirPath() + "/translations";
    const QString language = settingsFile().value("Language", "Auto").toString();
    // A missing file leaves the texts in English; nothing to report.
    if (language == QLatin1String("Auto")) {
        if (!qtTranslator.load(QLocale::system(), "qt_", QString(), folder))
            qDebug() << "App: no toolkit translation for" << QLocale::system().name();
        if (!appTranslator.load(QLocale::system(), QString(), QString(), folder))
            qDebug() << "App: no translation for" << QLocale::system().name();
    } else {
        if (!qtTranslator.load("qt_" + language, folder))
            qDebug() << "App: no toolkit translation for" << language;
        if (!appTranslator.load(language, folder))
            qDebug() << "App: no translation for" << language;
    }
    installTranslator(&qtTranslator);
    installTranslator(&appTranslator);
}

void App::loadStyleSheet()
{
    bool found = false;
    QString sheet = readTextFile(QStringLiteral(":/style/common.css"), &found);
    if (!found)
        return;
    for (const char *path : {":/style/expert_mode.css", ":/style/simple_mode.css", ":/style/v/simple_mode.css",
                             ":/style/tamsel/simple_mode.css", ":/style/additive_win.css"})
        sheet += readTextFile(QString::fromLatin1(path));
    setStyleSheet(sheet);
}

void App::prepareTls()
{
    // The start's update check needs both; loaded meanwhile, they cost the
    // GUI thread nothing when its network manager is made.
    tlsLoader.reset(QThread::create([] {
        QSslSocket::supportsSsl();
        InternetAccess::loadNetworkPlugins();
    }));
    tlsLoader->start();
}

IntroDialog *App::intro()
{
    if (!introDialog) {
        const IntroArguments &with = introArguments;
        introDialog = new IntroDialog(with.simpleMode, with.parent, with.productId, with.releaseChannel);
    }
    return introDialog;
}

void App::registerAutostart()
{
    // Written only when missing; an existing entry is never changed. The
    // entry is synced to disk, which the GUI thread need not wait for.
    const QString executable = QDir::toNativeSeparators(applicationFilePath());
    autostartWriter.reset(QThread::create([executable] {
        if (Autostart::isRegistered(productName))
            return;
        if (!Autostart::registerEntry(productName, executable, "hide", QStringLiteral("corvanelle-r7")))
            qWarning() << "App: could not write the autostart entry" << Autostart::entryPath(productName);
    }));
    autostartWriter->start();
}

void App::updateStyles()
{
    const QString key = CalibrationStyle::modelKey(mouseFunctions->mousePID());
    style()->unpolish(this);
    style()->polish(this);
    const QWidgetList widgets = allWidgets();
    for (QWidget *widget : widgets) {
        // The per-model rules apply to a polished widget only once it is
        // polished again; one not yet shown is polished with the key when it
        // first shows.
        if (widget->property(StyleProperties::modelKey).toString() != key) {
            widget->setProperty(StyleProperties::modelKey, key);
            StyleProperties::restyle(widget);
        }
        widget->update();
    }
}

void App::disableUiBasedOnMouse(bool connected)
{
    if (connected)
        settingsFile().setValue("LastMouseConnected", uint(mouseFunctions->mousePID()));
}

void App::switchActiveView()
{
    QObject *from = sender();
    if (from == expertView) {
        activeView = simpleView;
        expertView->hide();
        simpleView->activateView();
        settingsFile().setValue("ExpertView", false);
    } else if (from == simpleView) {
        activeView = expertView;
        simpleView->hide();
        expertView->activateView();
        settingsFile().setValue("ExpertView", true);
    }
}

void App::showActiveView()
{
    qDebug() << "App: showActiveView";
    if (activeView->isMinimized()) {
        const Qt::WindowStates before = activeView->windowState() & ~Qt::WindowMinimized;
        if (before & Qt::WindowFullScreen)
            activeView->showFullScreen();
        else if (before & Qt::WindowMaximized)
            activeView->showMaximized();
        else
            activeView->showNormal();
    }
    // The update dialog follows the view in use.
    swUpdate->setParent(activeView, Qt::Tool | Qt::FramelessWindowHint);
    activeView->show();
    activeView->raise();
    activeView->activateWindow();
}

void App::applicationStateChanged(Qt::ApplicationState state)
{
    if (state != Qt::ApplicationActive || openState != 1 || !activeView->isVisible())
        return;
    // Marked first: the intro dialog runs modally, and the application may
    // be activated again meanwhile.
    openState = 2;
    settingsFile().setValue("HasBeenOpenedSinceInstallOrUpgrade", true);
    qInfo() << "Opening Window in"
            << (activeView->objectName() == QLatin1String("SimpleView") ? "Simple Mode" : "Expert Mode");
    showActiveView();
    intro()->showIfWanted();
}

void App::swUpdateAvailable(bool isShown)
{
    // A dialog already on the screen is not run a second time inside itself.
    if (!isShown || !activeView->isVisible() || swUpdate->isVisible())
        return;
    const int lastMouse = SettingsFile::readInteger(settingsFile(), SettingsFile::lastMouseConnectedKey);
    swUpdate->updateStyle(activeView == simpleView, lastMouse);
    swUpdate->setModal(true);
    swUpdate->exec();
}

void App::closeDialogs()
{
    if (introDialog && introDialog->isVisible())
        introDialog->close();
    if (swUpdate->isVisible())
        swUpdate->close();
}

void App::askForFWUpdate(bool mouseHasOlderVersion)
{
    QTimer::singleShot(promptDelayMs, this, [this, mouseHasOlderVersion] { updatePrompt(mouseHasOlderVersion); });
}

void App::restoreFirmware(int stage)
{
    if (stage == MouseFunctions::fwStateNone)
        QTimer::singleShot(promptDelayMs, this, [this] { restorePrompt(); });
    else
        fwUpdate->scheduleStep();
}

void App::showFirmwareNotices(bool shown)
{
    expertView->fwUpdateAvailable(shown);
    simpleView->fwUpdateAvailable(shown);
}

bool App::mayPrompt() const
{
    // A reconnection while a prompt is open would stack a second one, and
    // two accepted prompts would start two updates.
    if (promptOpen || fwUpdate->isBusy()) {
        qInfo() << "App: firmware prompt not opened, one is open or an update runs";
        return false;
    }
    return true;
}

void App::updatePrompt(bool mouseHasOlderVersion)
{
    if (!mayPrompt())
        return;
    PromptScope scope(promptOpen);
    showFirmwareNotices(true);
    const QString mode = CalibrationStyle::modelKey(mouseFunctions->mousePID());
    const bool accepted = [&] {
        if (mouseHasOlderVersion) {
            DlgYesNo question(activeView,
                              tr("Your mouse requires a firmware update to connect with the R7 Control Panel.\n\n"
                                 "The mouse will not operate during the Firmware Upgrade which will take about 60 "
                                 "seconds.\n\nWhile the firmware update is in progress do not launch any other "
                                 "software."),
                              tr("Upgrade Now"), tr("Upgrade Later"), mode, nullptr);
            question.setMinimumWidth(500);
            return question.exec() != 0;
        }
        DlgYesNo question(activeView,
                          tr("Your mouse firmware must be downgraded to connect with this R7 Control Panel "
                             "version.\n\nThe mouse will not operate during this process which will take about 60 "
                             "seconds.\n\nWhile the firmware is being flashed do not launch any other software."),
                          tr("Upload Firmware"), tr("Don`t Update"), mode, nullptr);
        question.setMinimumWidth(500);
        return question.exec() != 0;
    }();
    if (!accepted || !olderDriverClosed(mode))
        return;
    showFirmwareNotices(false);
    fwUpdate->startCustomUpdate(QString());
}

void App::restorePrompt()
{
    if (!MouseFunctions::isBootloaderId(mouseFunctions->mousePID()) || !mayPrompt())
        return;
    PromptScope scope(promptOpen);
    showFirmwareNotices(true);
    const QString mode = QStringLiteral("v");
    DlgYesNo question(activeView,
                      tr("Your mouse firmware is corrupted and needs to be restored. \n\nThis will take up to 3 "
                         "minutes."),
                      tr("Restore"), tr("Don`t Restore"), mode, nullptr);
    question.setMinimumWidth(700);
    if (!question.exec() || !olderDriverClosed(mode))
        return;
    showFirmwareNotices(false);
    fwUpdate->restoreFirmware();
}

bool App::olderDriverClosed(const QString &mode)
{
    while (isProcessRunning(olderDriverExecutable)) {
        DlgYesNo question(activeView,
                          tr("The V's old configuration software (the 'Corvanelle Driver') must be closed for the R7 "
                             "Control Panel to perform a firmware update.\n\nWhile the firmware update is in "
                             "progress do not relaunch the 'Corvanelle Driver' or any other software."),
                          tr("Exit 'Corvanelle Driver' and Proceed"), tr("Cancel"), mode, nullptr);
        question.setMinimumWidth(500);
        if (!question.exec())
            return false;
        if (!ProcessTools::current().endProcesses(olderDriverExecutable))
            qWarning() << "App: the older driver did not end";
    }
    return true;
}

bool App::notify(QObject *receiver, QEvent *event)
{
    // A widget takes the connected model's key as it is made, so it is styled
    // for that model at its first polish, and the next restyle need not
    // polish it again.
    if ((event->type() == QEvent::Create || event->type() == QEvent::Polish) && receiver->isWidgetType()
        && !receiver->property(StyleProperties::modelKey).isValid())
        receiver->setProperty(StyleProperties::modelKey,
                              CalibrationStyle::modelKey(mouseFunctions ? mouseFunctions->mousePID() : 0));
    // Every new widget asks to be polished at the next turn of the event
    // loop. One in a window that is not shown is polished when the window
    // first shows (showing polishes the window and all its children, and so
    // does grabbing it): a start in the tray builds no style of a window
    // nobody sees, nor decodes the pictures of its style sheet.
    if (event->type() == QEvent::PolishRequest && receiver->isWidgetType()
        && !static_cast<QWidget *>(receiver)->window()->isVisible())
        return true;
    if (event->type() != QEvent::MouseButtonPress || static_cast<QMouseEvent *>(event)->button() != Qt::BackButton)
        return QApplication::notify(receiver, event);

    // A press reaches its window first and then, from inside that delivery,
    // the widget under the pointer: one press, one navigateBack.
    const auto *press = static_cast<QMouseEvent *>(event);
    const bool windowLevel = receiver->isWindowType();
    const bool samePress = !windowLevel && dispatchingWindowPress && press->timestamp() == windowPressTime;
    QPointer<QObject> target(receiver);
    if (!samePress)
        emit navigateBack();
    // A receiver of navigateBack may have closed what was pressed.
    if (!target)
        return true;
    if (!windowLevel)
        return QApplication::notify(receiver, event);

    const bool outerDispatching = dispatchingWindowPress;
    const ulong outerTime = windowPressTime;
    dispatchingWindowPress = true;
    windowPressTime = press->timestamp();
    const bool result = QApplication::notify(receiver, event);
    dispatchingWindowPress = outerDispatching;
    windowPressTime = outerTime;
    return result;
}
