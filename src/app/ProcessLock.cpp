#include "ProcessLock.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

ProcessLock::ProcessLock(const QString &path)
    : path(path)
{}

ProcessLock::~ProcessLock()
{
    // Closing the descriptor releases a lock still held.
    if (descriptor >= 0)
        ::close(descriptor);
}

bool ProcessLock::open()
{
    if (descriptor >= 0)
        return true;
    // Never through a link, and only a plain file of this user's: a lock
    // taken on anything else would keep out nobody, or someone else.
    const int file =
        ::open(QFile::encodeName(path).constData(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0600);
    struct stat info = {};
    if (file >= 0 && ::fstat(file, &info) == 0 && S_ISREG(info.st_mode) && info.st_uid == ::geteuid())
        descriptor = file;
    else if (file >= 0)
        ::close(file);
    return descriptor >= 0;
}

bool ProcessLock::lock()
{
    if (!open())
        return false;
    int result;
    do {
        result = ::flock(descriptor, LOCK_EX);
    } while (result != 0 && errno == EINTR);
    return result == 0;
}

ProcessLock::Attempt ProcessLock::tryLock()
{
    if (!open())
        return Attempt::Failed;
    int result;
    do {
        result = ::flock(descriptor, LOCK_EX | LOCK_NB);
    } while (result != 0 && errno == EINTR);
    if (result == 0)
        return Attempt::Locked;
    return errno == EWOULDBLOCK ? Attempt::HeldElsewhere : Attempt::Failed;
}

void ProcessLock::unlock()
{
    if (descriptor >= 0)
        ::flock(descriptor, LOCK_UN);
}
