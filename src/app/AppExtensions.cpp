#include "AppExtensions.h"

#include "SingleInstanceGuard.h"

#include <QtGlobal>

const QString AppExtensions::flagName = QStringLiteral("7f6e64af-2f9d-4bb8-a632-d7208e7cdedf");

AppExtensions::AppExtensions() : sharedMemory(SingleInstanceGuard::perUserName(flagName))
{
    if (!sharedMemory.attach() && sharedMemory.create(sizeof(qint64))) {
        sharedMemory.lock();
        *static_cast<qint64 *>(sharedMemory.data()) = 0;
        sharedMemory.unlock();
    }
    timer.setInterval(100);
    connect(&timer, &QTimer::timeout, this, &AppExtensions::checkOpenRequest);
}

AppExtensions::~AppExtensions()
{
    timer.stop();
    if (sharedMemory.isAttached())
        sharedMemory.detach();
}

void AppExtensions::setPollingEnabled(bool on)
{
    if (on) {
        if (sharedMemory.isAttached() && !timer.isActive())
            timer.start();
    } else if (timer.isActive()) {
        timer.stop();
    }
}

void AppExtensions::checkOpenRequest()
{
    if (!sharedMemory.isAttached() || !sharedMemory.lock())
        return;
    auto *flag = static_cast<qint64 *>(sharedMemory.data());
    const bool requested = *flag == 1;
    if (requested)
        *flag = 0;
    sharedMemory.unlock();
    // Emitted after unlocking: a receiver may run a nested event loop.
    if (requested)
        emit sigOpenWindow();
}

void AppExtensions::requestOpenWindow()
{
    if (!sharedMemory.isAttached() || !sharedMemory.lock())
        return;
    *static_cast<qint64 *>(sharedMemory.data()) = 1;
    sharedMemory.unlock();
}
