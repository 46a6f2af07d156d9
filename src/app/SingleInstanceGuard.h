#pragma once
// One control panel per guard key and user. A lock file held for the whole
// run decides: when a start can take it, no other instance runs, whatever
// else is on the guard's keys. Beside it a small shared-memory segment
// marks the running instance, a second lock file serialising access to it;
// the segment decides only when the lock file cannot be had. Its key is only
// 32 bits in a key space that all users and programs share, so another
// user's or program's segment may sit on it.
//
// All of them live in keyFolder(), the user's private folder in the
// temporary folder, whatever the session's runtime folder; so do the local
// socket's when there is no runtime folder it can use. Starts that see
// different temporary folders (TMPDIR) meet at one more lock file, in the
// configuration folder they share.

#include "ProcessLock.h"
#include "UserSharedMemory.h"

#include <QString>

class SingleInstanceGuard
{
public:
    static const QString defaultKey;
    // The guard's own project id (UserSharedMemory): its key never agrees
    // with the open-window flag's nor with a Qt program's.
    static constexpr int segmentProjectId = 0xc7;

    explicit SingleInstanceGuard(const QString &key);
    ~SingleInstanceGuard();
    SingleInstanceGuard(const SingleInstanceGuard &) = delete;
    SingleInstanceGuard &operator=(const SingleInstanceGuard &) = delete;

    // False only when another instance with this key runs. A guard that
    // cannot be set up lets the process run (problem() says why).
    bool tryAcquire();
    // What kept the guard from working in full, for the log once it is set
    // up; empty when nothing did.
    QString problem() const { return setUpProblem; }
    // Why tryAcquire found another instance running, for the log.
    QString refusalReason() const { return refusal; }

    // SHA-1 of the key's and the suffix's UTF-8 bytes, as 40 lower-case hex digits.
    static QString hashKey(const QString &key, const QString &suffix);
    // The guard key that the command line selects.
    static QString keyFromArguments(const QStringList &arguments);
    // Where the key files and locks of the guard and of the open-window flag
    // live: the user's private folder, made when missing. Empty when there is
    // none, and *problem (when given) says why.
    static QString keyFolder(QString *problem = nullptr);

private:
    void release();
    QString segmentHeld() const;

    const QString key;
    const QString memLockKey;
    const QString sharedmemKey;
    QString setUpProblem;
    QString refusal;
    const QString folder;
    UserSharedMemory sharedMem;
    // Held around every attach, create and detach of sharedMem.
    ProcessLock memLock;
    // Held from a successful tryAcquire to the end.
    ProcessLock instanceLock;
    // The same, in the configuration folder; a start that cannot make it
    // (a read-only folder) goes without.
    ProcessLock configLock;
    // The folder and memLock could be had.
    bool guarded = false;
};
