#pragma once
// One control panel per guard key and logged-in user: the existence of a small
// shared-memory segment is the lock, a named semaphore serialises access to it.

#include <QSharedMemory>
#include <QString>
#include <QSystemSemaphore>

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
    // System objects are machine-wide here; the user id keeps each user's apart.
    static QString perUserName(const QString &name);
    // The guard key that the command line selects.
    static QString keyFromArguments(const QStringList &arguments);

private:
    void release();

    const QString key;
    const QString memLockKey;
    const QString sharedmemKey;
    QSharedMemory sharedMem;
    QSystemSemaphore memLock;
};
