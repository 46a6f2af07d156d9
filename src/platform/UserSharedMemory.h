#pragma once
// A small System V shared-memory segment of this user's own, keyed by a file
// (ftok of it), for the locks and flags that processes of one user share.
//
// The key space is one for the whole system and a key is only 24 bits of the
// file's inode and device, which anyone may read: another user can make a
// segment on the key first. A segment counts as this user's own only when
// its owner and its creator are this user, its mode is 0600 and it has the
// size asked for; any other segment on the key is never attached, written or
// removed. Segments made here have mode 0600.

#include <QString>

#include <cstddef>
#include <sys/types.h>

class UserSharedMemory
{
public:
    enum class Status {
        Done,
        // No segment on the key (attach), or no key file.
        Missing,
        // A segment of this user's own is on the key already (create).
        Exists,
        // The key is held by a segment that is not this user's own.
        Taken,
        // A system call failed; errorString() says which.
        Failed,
    };

    UserSharedMemory(const QString &keyFile, std::size_t size);
    ~UserSharedMemory();
    UserSharedMemory(const UserSharedMemory &) = delete;
    UserSharedMemory &operator=(const UserSharedMemory &) = delete;

    // Attaches read-write to this user's own segment on the key.
    Status attach();
    // Makes a new segment (all zero bytes) and attaches to it; the key file
    // is made (mode 0600) when missing.
    Status create();
    // Detaches; the segment is removed when no process is attached any more,
    // so one left behind by a process that died goes with the next handle
    // that attaches and detaches.
    void detach();

    bool isAttached() const { return address != nullptr; }
    void *data() const { return address; }
    // Why the last attach or create did not succeed, for the log.
    QString errorString() const { return error; }

    // The system key of a key file; -1 when the file cannot be read.
    static key_t systemKey(const QString &keyFile);

private:
    // The segment on key when it is this user's own; otherwise -1, with
    // status and error saying why.
    int ownSegment(key_t key, Status *status);

    const QString keyFile;
    const std::size_t size;
    int id = -1;
    void *address = nullptr;
    QString error;
};
