#include "ExpertStartup.h"

#include "AppSwitchSocketServer.h"
#include "ConfigFile.h"
#include "ExpertView.h"
#include "ForegroundWrapper.h"
#include "MouseFunctions.h"
#include "PackageCreator.h"
#include "ProfileReceiver.h"
#include "RequestedProfile.h"
#include "SettingsFile.h"
#include "SharedConstants.h"
#include "SimpleModel.h"

#include <QDebug>
#include <QElapsedTimer>
#include <QSettings>

ExpertStartup::ExpertStartup(ExpertView *view)
    : QObject(view)
    , m_view(view)
{}

ExpertStartup::~ExpertStartup() = default;

bool ExpertStartup::loadProfiles()
{
    QElapsedTimer timer;
    timer.start();
    qInfo() << "ExpertView: loadSaveFile() start";
    PackageCreator *model = PackageCreator::instance();
    ProfileData *global = model->addProfile(255, 255, globalProfileName);
    ConfigFile *store = ConfigFile::instance();
    m_receiver = new ProfileReceiver(store, this);
    const bool loaded = store->loadSaveFile();
    if (!loaded) {
        qWarning() << "ExpertView: no configuration could be loaded";
        model->setCurrentProfile(global);
    }
    model->loading = false;
    qInfo() << "ExpertView: loadSaveFile():" << timer.elapsed() << "msec";
    return loaded;
}

void ExpertStartup::startDeviceLink()
{
    MouseFunctions *device = MouseFunctions::instance();
    connect(device, &MouseFunctions::mouseConnect, m_view, &ExpertView::autoConnectionStatus);
    device->init();
}

void ExpertStartup::startSwitching()
{
    connect(ForegroundWrapper::instance(), &ForegroundWrapper::foregroundChanged, m_view, &ExpertView::foregroundChange,
            Qt::QueuedConnection);

    if (!QSettings(SettingsFile::path(), QSettings::IniFormat).value("R7API", false).toBool())
        return;
    auto *server = new AppSwitchSocketServer(this);
    if (!server->start()) {
        delete server;
        return;
    }
    m_server = server;
    connect(server, &AppSwitchSocketServer::R7API_profile_change, this,
            [](const QString &name) { RequestedProfile::switchTo(*SimpleModel::instance(), name); });
    connect(server, &AppSwitchSocketServer::R7API_vibration, MouseFunctions::instance(),
            &MouseFunctions::triggerVibration);
}
