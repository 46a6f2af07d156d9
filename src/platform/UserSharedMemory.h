#pragma once
// A small System V shared-memory segment of this user's own, keyed by a file,
// for the locks and flags that processes of one user share.
//
// The key space is one for the whole system, and a key is only 32 bits: the
// caller's project id, 8 bits of the file's device and 16 of its inode (as
// ftok() makes it), which anyone may read. So other segments can sit on a
// key: another user's, another program's, or one of ours whose key file's
// inode agrees in those 16 bits. Each kind of segment has a project id of its
// own (not 'Q', which every QSharedMemory uses), so ours never share a key
// with each other's kind nor with a Qt program's; and every segment made here
// begins with a tag taken from its key file's name, which attach() checks,
// so one that still shares the key (another guard key's, another program's)
// is never taken for ours. A segment counts as this user's own only when its
// owner and its creator are this user, its mode is 0600, it has the size
// asked for and it carries the tag; any other segment on the key is never
// attached, written or removed. Segments made here have mode 0600.
//
// The key file is opened without following a link and checked through its
// descriptor: a plain file of this user's.

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

    // size: the bytes the caller uses, after the tag.
    UserSharedMemory(const QString &keyFile, int projectId, std::size_t size);
    ~UserSharedMemory();
    UserSharedMemory(const UserSharedMemory &) = delete;
    UserSharedMemory &operator=(const UserSharedMemory &) = delete;

    // Attaches read-write to this user's own segment on the key.
    Status attach();
    // Makes a new segment (all zero bytes after the tag) and attaches to it;
    // the key file is made (mode 0600) when missing.
    Status create();
    // Detaches; the segment is removed when no process is attached any more.
    void detach();
    // Removes a segment of this user's own on the key that no process is
    // attached to: what a process that died attached left behind.
    void removeLeftBehind() const;

    bool isAttached() const { return address != nullptr; }
    // The caller's bytes, after the tag.
    void *data() const;
    // Why the last attach or create did not succeed, for the log.
    QString errorString() const { return error; }

    // The system key of a key file; -1 when it is not a plain file of this
    // user's (or a link, or cannot be read).
    static key_t systemKey(const QString &keyFile, int projectId);

private:
    // The segment on key when it is this user's own; otherwise -1, with
    // status and error saying why.
    int ownSegment(key_t key, Status *status);
    // Whether the segment begins with this key file's tag.
    bool carriesTag(int segment) const;

    const QString keyFile;
    const int projectId;
    const std::size_t size;
    int id = -1;
    void *address = nullptr;
    QString error;
};
