#include "App.h"

#include "AppExtensions.h"
#include "AppFont.h"
#include "Autostart.h"
#include "ConfigFile.h"
#include "LogFile.h"
#include "PackageCreator.h"
#include "ProfileReceiver.h"
#include "SharedConstants.h"
#include "Version.h"

#include <QDebug>
#include <QDir>
#include <QLabel>
#include <QThread>
#include <QVBoxLayout>
#include <QWidget>

App::App(int &argc, char **argv)
    : QApplication(argc, argv)
{
    setupLogging();
    qInfo() << "Start" << productName << versionString;

    loadProfiles();

    // Closing a window only hides it; the program keeps running.
    setQuitOnLastWindowClosed(false);

    extensions = new AppExtensions;
    connect(extensions, &AppExtensions::sigOpenWindow, this, &App::showActiveView);
    extensions->setPollingEnabled(true);

    // The window (and with it the fonts and the style) is made when it is
    // first shown: a hidden start does without it.
    const QStringList args = arguments();
    if (args.size() >= 2 && args.at(1) == QLatin1String("hide"))
        qInfo() << "Autostart - launched minimized";
    else
        showActiveView();

    registerAutostart();
}

App::~App()
{
    if (autostartWriter)
        autostartWriter->wait();
    delete extensions;
    delete activeView;
}

void App::setupLogging()
{
    LogFile::setupLogging();
}

void App::loadProfiles()
{
    // The configuration file fills the model before anything else touches it.
    PackageCreator *model = PackageCreator::instance();
    model->addProfile(255, 255, globalProfileName);
    profileReceiver = new ProfileReceiver(ConfigFile::instance(), this);
    if (!ConfigFile::instance()->loadSaveFile())
        qWarning() << "App: no configuration could be loaded";
    model->loading = false;
}

void App::showActiveView()
{
    qDebug() << "App: showActiveView";
    openState = 2;
    if (!activeView)
        activeView = makeView();
    activeView->show();
    activeView->raise();
    activeView->activateWindow();
}

QWidget *App::makeView()
{
    auto *view = new QWidget;
    view->setWindowTitle(productName);
    view->setFont(appFont());
    auto *layout = new QVBoxLayout(view);
    layout->addWidget(new QLabel(productName + " " + versionString, view));
    view->resize(480, 320);
    return view;
}

void App::registerAutostart()
{
    // Written only when missing; an existing entry is never changed. The
    // entry is synced to disk, which the GUI thread need not wait for.
    const QString executable = QDir::toNativeSeparators(applicationFilePath());
    autostartWriter.reset(QThread::create([executable] {
        if (Autostart::isRegistered(productName))
            return;
        if (!Autostart::registerEntry(productName, executable, "hide"))
            qWarning() << "App: could not write the autostart entry" << Autostart::entryPath(productName);
    }));
    autostartWriter->start();
}
