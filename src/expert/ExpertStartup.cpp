#include "ExpertStartup.h"

#include "AppSwitchSocketServer.h"
#include "ConfigFile.h"
#include "ExpertView.h"
#include "ForegroundWrapper.h"
#include "MouseFunctions.h"
#include "PackageCreator.h"
#include "ProfileScroller.h"
#include "ProfilesView.h"
#include "SettingsFile.h"

#include <QDebug>
#include <QElapsedTimer>
#include <QSettings>

ExpertStartup::ExpertStartup(ExpertView *view, ProfilesView *tree, ProfileScroller *strip)
    : QObject(view)
    , m_view(view)
    , m_tree(tree)
    , m_strip(strip)
{}

ExpertStartup::~ExpertStartup() = default;

bool ExpertStartup::loadProfiles()
{
    QElapsedTimer timer;
    timer.start();
    qInfo() << "ExpertView: loadSaveFile() start";
    ConfigFile *store = ConfigFile::instance();
    // The strip makes a tab for each profile read, and the tree its page and
    // record.
    connect(store, &ConfigFile::profileFromFile, m_strip, &ProfileScroller::addProfileFromFile);
    connect(store, &ConfigFile::setInitialDefault, m_tree, &ProfilesView::setInitialDefault);
    m_tree->beginFileLoad();
    const bool loaded = store->loadSaveFile();
    m_tree->endFileLoad();
    if (!loaded) {
        qWarning() << "ExpertView: no configuration could be loaded";
        m_tree->setCurrentGlobal();
    }
    PackageCreator::instance()->loading = false;
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
    connect(server, &AppSwitchSocketServer::R7API_profile_change, m_tree, &ProfilesView::profileChange);
    connect(server, &AppSwitchSocketServer::R7API_vibration, MouseFunctions::instance(),
            &MouseFunctions::triggerVibration);
}
