#include "UdevMonitor.h"

#include <QDebug>
#include <QSocketNotifier>

#include <cstring>
#include <libudev.h>

UdevMonitor::UdevMonitor(QObject *parent)
    : QObject(parent)
{
}

UdevMonitor::~UdevMonitor()
{
    delete notifier;
    if (monitor)
        udev_monitor_unref(monitor);
    if (context)
        udev_unref(context);
}

bool UdevMonitor::start()
{
    if (notifier)
        return true;
    context = context ? context : udev_new();
    monitor = context ? udev_monitor_new_from_netlink(context, "udev") : nullptr;
    if (!monitor || udev_monitor_filter_add_match_subsystem_devtype(monitor, "hidraw", nullptr) < 0
        || udev_monitor_enable_receiving(monitor) < 0) {
        qWarning() << "UdevMonitor: cannot watch hidraw devices; arrival and removal go unnoticed";
        if (monitor)
            udev_monitor_unref(monitor);
        monitor = nullptr;
        return false;
    }
    notifier = new QSocketNotifier(udev_monitor_get_fd(monitor), QSocketNotifier::Read);
    connect(notifier, &QSocketNotifier::activated, this, &UdevMonitor::readEvents);
    return true;
}

void UdevMonitor::readEvents()
{
    // The monitor's socket does not block: take every event that is waiting.
    while (udev_device *device = udev_monitor_receive_device(monitor)) {
        const char *action = udev_device_get_action(device);
        const char *node = udev_device_get_devnode(device);
        if (action && node) {
            const QString path = QString::fromLocal8Bit(node);
            if (std::strcmp(action, "add") == 0)
                emit added(path);
            else if (std::strcmp(action, "remove") == 0)
                emit removed(path);
        }
        udev_device_unref(device);
    }
}
