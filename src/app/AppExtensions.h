#pragma once
// The open-window flag: a second start sets it, and the running instance,
// polling every 100 ms, clears it and brings its window forward. Keyed, like
// the single-instance guard, by files in SingleInstanceGuard::keyFolder().

#include "ProcessLock.h"

#include <QObject>
#include <QSharedMemory>
#include <QTimer>

class AppExtensions : public QObject
{
    Q_OBJECT
public:
    static const QString flagName;

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

    QSharedMemory sharedMemory;
    ProcessLock flagLock;
    QTimer timer;
};
