#pragma once
// The open-window flag: a second start sets it, and the running instance,
// polling every 100 ms, clears it and brings its window forward. Keyed, like
// the single-instance guard, by files in SingleInstanceGuard::keyFolder(); a
// segment on its key that is not this user's own flag (UserSharedMemory) is
// never used, so no other user can open the window and no other program's
// memory is written.

#include "ProcessLock.h"
#include "UserSharedMemory.h"

#include <QObject>
#include <QTimer>

class AppExtensions : public QObject
{
    Q_OBJECT
public:
    static const QString flagName;
    // The flag's own project id (UserSharedMemory): its key never agrees
    // with the guard's nor with a Qt program's.
    static constexpr int segmentProjectId = 0xc8;

    AppExtensions();
    ~AppExtensions() override;

    void setPollingEnabled(bool on);
    // Asks the running instance to open its window. Does nothing when the flag
    // segment could neither be attached nor created.
    void requestOpenWindow();
    // Drops a request that nobody handled (its instance was killed first);
    // the first instance does so when it takes the guard.
    void clearOpenRequest();
    bool isAttached() const { return sharedMemory.isAttached(); }
    // Why the flag could be neither attached nor created, for the log; empty
    // when it is attached.
    QString problem() const { return setUpProblem; }

signals:
    void sigOpenWindow();

public slots:
    void checkOpenRequest();

private:
    // The 64-bit flag under the segment's own lock, or null (not locked) when
    // the segment is not attached or the lock cannot be had.
    qint64 *lockFlag();
    void unlockFlag();
    // The flag read and written whole, so that a read without the lock never
    // sees half a write.
    qint64 peekFlag() const;
    static void storeFlag(qint64 *flag, qint64 value);

    QString setUpProblem;
    const QString folder;
    UserSharedMemory sharedMemory;
    // The segment's lock, held around every access, attach, create and detach.
    ProcessLock flagLock;
    QTimer timer;
};
