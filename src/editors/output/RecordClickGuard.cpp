#include "RecordClickGuard.h"

RecordClickGuard::RecordClickGuard(QObject *parent)
    : QObject(parent)
{
    m_stoppedByHook.setSingleShot(true);
    m_stoppedByHook.setInterval(sameClickMs);
}

void RecordClickGuard::pressed(bool recording)
{
    m_clickOnlyStops = recording || m_stoppedByHook.isActive();
}

bool RecordClickGuard::clickToggles()
{
    const bool toggles = !m_clickOnlyStops;
    m_clickOnlyStops = false;
    return toggles;
}

void RecordClickGuard::hookStopped()
{
    m_stoppedByHook.start();
}
