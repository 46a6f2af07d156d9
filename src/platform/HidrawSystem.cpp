#include "HidrawSystem.h"

#include "HidrawFile.h"
#include "LogindSleepWatcher.h"
#include "UdevHidEnumerator.h"
#include "UdevMonitor.h"

HidrawSystem::HidrawSystem(QObject *parent)
    : HidSystem(parent)
{
}

HidrawSystem::~HidrawSystem() = default;

bool HidrawSystem::enumerate(QVector<HidDeviceInfo> &devices)
{
    return UdevHidEnumerator::enumerate(devices);
}

int HidrawSystem::open(const QString &node, int &error)
{
    return HidrawFile::open(node, error);
}

void HidrawSystem::startWatching()
{
    if (monitor)
        return;
    monitor = new UdevMonitor(this);
    connect(monitor, &UdevMonitor::added, this, &HidSystem::deviceArrived);
    connect(monitor, &UdevMonitor::removed, this, &HidSystem::deviceRemoved);
    monitor->start();

    sleepWatcher = new LogindSleepWatcher(this);
    connect(sleepWatcher, &LogindSleepWatcher::goingToSleep, this, &HidSystem::goingToSleep);
    connect(sleepWatcher, &LogindSleepWatcher::wakingUp, this, &HidSystem::wakingUp);
    sleepWatcher->start();
}
