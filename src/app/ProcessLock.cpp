#include "ProcessLock.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
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

bool ProcessLock::lock()
{
    if (descriptor < 0) {
        descriptor = ::open(QFile::encodeName(path).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        if (descriptor < 0)
            return false;
    }
    int result;
    do {
        result = ::flock(descriptor, LOCK_EX);
    } while (result != 0 && errno == EINTR);
    return result == 0;
}

void ProcessLock::unlock()
{
    if (descriptor >= 0)
        ::flock(descriptor, LOCK_UN);
}
