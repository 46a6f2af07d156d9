#pragma once
// A lock between processes: flock() on a file that stays in place, opened at
// the first lock() and kept open. Taking and releasing it writes nothing to
// disk (a lock file created and removed each time is synced on every take),
// and the system releases it when its holder dies, so it is never left stale.
// Two ProcessLocks on one path exclude each other within a process too.

#include <QString>

class ProcessLock
{
public:
    explicit ProcessLock(const QString &path);
    ~ProcessLock();
    ProcessLock(const ProcessLock &) = delete;
    ProcessLock &operator=(const ProcessLock &) = delete;

    // Waits until the lock is held; false when its file cannot be opened or
    // is not a plain file of this user's (a link is not followed).
    bool lock();
    enum class Attempt { Locked, HeldElsewhere, Failed };
    // Takes the lock when nobody holds it, without waiting.
    Attempt tryLock();
    void unlock();

    QString fileName() const { return path; }

private:
    bool open();

    const QString path;
    int descriptor = -1;
};
