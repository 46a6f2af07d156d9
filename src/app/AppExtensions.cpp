#include "AppExtensions.h"

#include "SingleInstanceGuard.h"
#include "UserPrivateFolder.h"

#include <QtGlobal>

const QString AppExtensions::flagName = QStringLiteral("7f6e64af-2f9d-4bb8-a632-d7208e7cdedf");

AppExtensions::AppExtensions()
    : folder(SingleInstanceGuard::keyFolder(&setUpProblem))
    , sharedMemory(UserPrivateFolder::filePath(folder, flagName), segmentProjectId, sizeof(qint64))
    , flagLock(UserPrivateFolder::filePath(folder, flagName + QStringLiteral(".lock")))
{
    timer.setInterval(100);
    connect(&timer, &QTimer::timeout, this, &AppExtensions::checkOpenRequest);
    if (folder.isEmpty()) {
        setUpProblem = QStringLiteral("AppExtensions: no private folder for the open-window flag (%1); a second start "
                                      "cannot bring the window forward")
                           .arg(setUpProblem);
        return;
    }
    if (!flagLock.lock()) {
        setUpProblem = QStringLiteral("AppExtensions: cannot open %1; a second start cannot bring the window forward")
                           .arg(flagLock.fileName());
        return;
    }
    // A segment of ours that nobody is attached to is left from instances
    // that died: it goes, and a request left in it with it.
    sharedMemory.removeLeftBehind();
    UserSharedMemory::Status status = sharedMemory.attach();
    if (status == UserSharedMemory::Status::Missing) {
        status = sharedMemory.create();
        if (status == UserSharedMemory::Status::Done)
            storeFlag(static_cast<qint64 *>(sharedMemory.data()), 0);
    }
    flagLock.unlock();
    if (status != UserSharedMemory::Status::Done)
        setUpProblem = QStringLiteral("AppExtensions: the open-window flag cannot be used (%1); a second start cannot "
                                      "bring the window forward")
                           .arg(sharedMemory.errorString());
}

AppExtensions::~AppExtensions()
{
    timer.stop();
    if (!sharedMemory.isAttached())
        return;
    // Under the lock: a start that attaches meanwhile would find a segment
    // that is being removed.
    const bool locked = flagLock.lock();
    sharedMemory.detach();
    if (locked)
        flagLock.unlock();
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
    return __atomic_load_n(static_cast<const qint64 *>(sharedMemory.data()), __ATOMIC_ACQUIRE);
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
