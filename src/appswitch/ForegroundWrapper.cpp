#include "ForegroundWrapper.h"

#include "AppIdentifier.h"
#include "ForegroundHooks.h"
#include "PackageCreator.h"
#include "ProcessTools.h"
#include "SettingsFile.h"
// Included for its inline constants, which are then built before the
// detector below reads the settings path during static initialisation.
#include "SharedConstants.h"
#include "X11WindowSystem.h"

namespace {

// The program's detector, built during static initialisation so that it reads
// its settings once per start; it installs nothing and opens no connection to
// the display until the hook is installed. Destroyed in reverse order.
X11WindowSystem programWindows;
ProcessTools programProcesses;
AppIdentifier programIdentifier(programWindows, programProcesses, SettingsFile::pathBeforeApplication());
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
