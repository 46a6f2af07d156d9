#pragma once
// One control panel per guard key and logged-in user: the existence of a small
// shared-memory segment is the lock, a lock on a file serialises access to it.
//
// Both are keyed by files in keyFolder(), a fixed place of the user's, so
// starts with different temporary folders (TMPDIR) still meet there.

#include "ProcessLock.h"

#include <QSharedMemory>
#include <QString>

class SingleInstanceGuard
{
public:
    static const QString defaultKey;

    explicit SingleInstanceGuard(const QString &key);
    ~SingleInstanceGuard();
    SingleInstanceGuard(const SingleInstanceGuard &) = delete;
    SingleInstanceGuard &operator=(const SingleInstanceGuard &) = delete;

    // True when this process is the only instance with this key.
    bool tryAcquire();

    // SHA-1 of the key's and the suffix's UTF-8 bytes, as 40 lower-case hex digits.
    static QString hashKey(const QString &key, const QString &suffix);
    // The guard key that the command line selects.
    static QString keyFromArguments(const QStringList &arguments);
    // Where the key files of the guard and of the open-window flag live,
    // made when missing: "Corvanelle R7 Control Panel" in $XDG_RUNTIME_DIR,
    // or without one "instance" in the per-user configuration folder.
    static QString keyFolder();

private:
    void release();

    const QString key;
    const QString memLockKey;
    const QString sharedmemKey;
    QSharedMemory sharedMem;
    // Held around every attach, create and detach of sharedMem.
    ProcessLock memLock;
};
