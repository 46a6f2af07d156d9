#include "LogindSleepWatcher.h"

#include <QDebug>

#include <atomic>

namespace {
const char *const service = "org.freedesktop.login1";
const char *const path = "/org/freedesktop/login1";
const char *const interface = "org.freedesktop.login1.Manager";
} // namespace

LogindSleepWatcher::LogindSleepWatcher(QObject *parent)
    : LogindSleepWatcher(QDBusConnection::systemBus(), parent)
{
}

LogindSleepWatcher::LogindSleepWatcher(const QDBusConnection &bus, QObject *parent)
    : QObject(parent)
    , bus(bus)
{
}

LogindSleepWatcher::~LogindSleepWatcher() = default;

bool LogindSleepWatcher::start()
{
    if (started)
        return true;
    started = bus.isConnected()
              && bus.connect(service, path, interface, "PrepareForSleep", this, SLOT(prepareForSleep(bool)));
    if (!started) {
        static std::atomic<bool> logged{false};
        if (!logged.exchange(true))
            qWarning() << "LogindSleepWatcher: no system bus; sleep and wake go unnoticed";
    }
    return started;
}

void LogindSleepWatcher::prepareForSleep(bool start)
{
    if (start)
        emit goingToSleep();
    else
        emit wakingUp();
}
