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
#include <QVBoxLayout>
#include <QWidget>

App::App(int &argc, char **argv) : QApplication(argc, argv)
{
    setupLogging();
    qInfo() << "Start" << productName << versionString;

    loadProfiles();

    // Closing a window only hides it; the program keeps running.
    setQuitOnLastWindowClosed(false);

    auto *view = new QWidget;
    view->setWindowTitle(productName);
    view->setFont(appFont());
    auto *layout = new QVBoxLayout(view);
    layout->addWidget(new QLabel(productName + " " + versionString, view));
    view->resize(480, 320);
    activeView = view;

    extensions = new AppExtensions;
    connect(extensions, &AppExtensions::sigOpenWindow, this, &App::showActiveView);
    extensions->setPollingEnabled(true);

    const QStringList args = arguments();
    if (args.size() >= 2 && args.at(1) == QLatin1String("hide")) {
        qInfo() << "Autostart - launched minimized";
        activeView->hide();
    } else {
        showActiveView();
    }

    registerAutostart();
}

App::~App()
{
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
    activeView->show();
    activeView->raise();
    activeView->activateWindow();
}

void App::registerAutostart()
{
    // Written only when missing; an existing entry is never changed.
    if (Autostart::isRegistered(productName))
        return;
    if (!Autostart::registerEntry(productName, QDir::toNativeSeparators(applicationFilePath()), "hide"))
        qWarning() << "App: could not write the autostart entry" << Autostart::entryPath(productName);
}
