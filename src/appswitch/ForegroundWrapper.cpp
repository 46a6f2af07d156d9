#include "ForegroundWrapper.h"

#include "AppIdentifier.h"
#include "ForegroundHooks.h"
#include "PackageCreator.h"
#include "ProcessTools.h"
#include "SharedConstants.h"
#include "X11WindowSystem.h"

#include <QStandardPaths>

namespace {

// The path of SettingsFile::pathBeforeApplication(), composed here from the
// constants included above, which are built before the objects below in any
// order of initialising the sources; the settings file's source may not be
// initialised yet when the detector below reads its settings.
QString settingsPathBeforeApplication()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + "/" + productName + "/"
           + settingsFileName;
}

// The program's detector, built during static initialisation so that it reads
// its settings once per start; it installs nothing and opens no connection to
// the display until the hook is installed. Destroyed in reverse order.
X11WindowSystem programWindows;
ProcessTools programProcesses;
AppIdentifier programIdentifier(programWindows, programProcesses, settingsPathBeforeApplication());
ForegroundHooks programHooks(programIdentifier);

} // namespace

ForegroundWrapper *ForegroundWrapper::instance()
{
    static ForegroundWrapper wrapper;
    return &wrapper;
}

ForegroundWrapper::ForegroundWrapper()
    : hooks(&programHooks)
{
    PackageCreator *model = PackageCreator::instance();
    connect(model, &PackageCreator::autoSwitchingChanged, this, [this](bool on) { on ? start() : stop(); });
    if (model->autoSwitching())
        start();
}

void ForegroundWrapper::start()
{
    hooks->install();
}

void ForegroundWrapper::stop()
{
    hooks->remove();
}

void ForegroundWrapper::setForegroundApp(const QString &app)
{
    emit foregroundChanged(app);
}

AppIdentifier &ForegroundWrapper::identifier() const
{
    return hooks->detector();
}

void ForegroundWrapper::useHooks(ForegroundHooks *replacement)
{
    if (!replacement)
        replacement = &programHooks;
    if (replacement == hooks)
        return;
    const bool installed = hooks->installed();
    hooks->remove();
    hooks = replacement;
    if (installed)
        hooks->install();
}
