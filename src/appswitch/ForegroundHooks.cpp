#include "ForegroundHooks.h"

#include "AppIdentifier.h"

ForegroundHooks::ForegroundHooks(AppIdentifier &detector)
    : identifier(detector)
{}

ForegroundHooks::~ForegroundHooks()
{
    remove();
}

void ForegroundHooks::install()
{
    if (hooksInstalled)
        return;
    WindowSystem &windows = identifier.windowSystem();
    foregroundHook =
        QObject::connect(&windows, &WindowSystem::activeWindowChanged, &identifier, &AppIdentifier::winEventProc);
    windows.startWatching();
    hooksInstalled = true;
}

void ForegroundHooks::remove()
{
    if (!hooksInstalled)
        return;
    identifier.windowSystem().stopWatching();
    QObject::disconnect(foregroundHook);
    hooksInstalled = false;
}
