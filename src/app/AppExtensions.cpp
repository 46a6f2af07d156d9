#include "AppExtensions.h"

#include "SingleInstanceGuard.h"

#include <QtGlobal>

const QString AppExtensions::flagName = QStringLiteral("7f6e64af-2f9d-4bb8-a632-d7208e7cdedf");

AppExtensions::AppExtensions()
    : flagLock(SingleInstanceGuard::keyFolder() + '/' + flagName + QStringLiteral(".lock"))
{
    // A native key has no lock of its own: flagLock is the segment's lock.
    sharedMemory.setNativeKey(SingleInstanceGuard::keyFolder() + '/' + flagName);
    // A new segment is all zero bytes: nothing requested.
    if (!sharedMemory.attach())
        sharedMemory.create(sizeof(qint64));
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

qint64 *AppExtensions::lockFlag()
{
    if (!sharedMemory.isAttached() || !flagLock.lock())
        return nullptr;
    return static_cast<qint64 *>(sharedMemory.data());
}

void AppExtensions::unlockFlag()
{
    flagLock.unlock();
}

qint64 AppExtensions::peekFlag() const
{
    if (!sharedMemory.isAttached())
        return 0;
    return __atomic_load_n(static_cast<const qint64 *>(sharedMemory.constData()), __ATOMIC_ACQUIRE);
}

void AppExtensions::storeFlag(qint64 *flag, qint64 value)
{
    __atomic_store_n(flag, value, __ATOMIC_RELEASE);
}

void AppExtensions::checkOpenRequest()
{
    // The lock is taken only when there is a request to take, so an idle
    // poll never waits for another process. The flag changes only under the
    // lock, so what is read there decides.
    if (peekFlag() != 1)
        return;
    qint64 *flag = lockFlag();
    if (!flag)
        return;
    const bool requested = *flag == 1;
    if (requested)
        storeFlag(flag, 0);
    unlockFlag();
    // Emitted after unlocking: a receiver may run a nested event loop.
    if (requested)
        emit sigOpenWindow();
}

void AppExtensions::requestOpenWindow()
{
    if (qint64 *flag = lockFlag()) {
        storeFlag(flag, 1);
        unlockFlag();
    }
}

void AppExtensions::clearOpenRequest()
{
    if (peekFlag() == 0)
        return;
    if (qint64 *flag = lockFlag()) {
        storeFlag(flag, 0);
        unlockFlag();
    }
}
