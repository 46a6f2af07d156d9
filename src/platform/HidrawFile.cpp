#include "HidrawFile.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <linux/hidraw.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>

int HidrawFile::open(const QString &node, int &error)
{
    const int fd = ::open(QFile::encodeName(node).constData(), O_RDWR | O_CLOEXEC | O_NONBLOCK);
    error = fd < 0 ? errno : 0;
    return fd;
}

void HidrawFile::close(int fd)
{
    if (fd >= 0)
        ::close(fd);
}

HidrawFile::Wait HidrawFile::waitForInput(int fd, int stopFd, int timeoutMs, int &error)
{
    pollfd fds[2] = {{stopFd, POLLIN, 0}, {fd, POLLIN, 0}};
    for (;;) {
        const int result = ::poll(fds, 2, timeoutMs);
        if (result < 0) {
            if (errno == EINTR)
                continue;
            error = errno;
            return Wait::Failed;
        }
        error = 0;
        if (result == 0)
            return Wait::TimedOut;
        if (fds[0].revents != 0)
            return Wait::Stopped;
        // Input still waiting is read before a hang-up counts.
        if (fds[1].revents & POLLIN)
            return Wait::Readable;
        return Wait::Gone;
    }
}

long HidrawFile::read(int fd, uint8_t *buffer, size_t length, int &error)
{
    long result;
    do {
        result = ::read(fd, buffer, length);
    } while (result < 0 && errno == EINTR);
    error = result < 0 ? errno : 0;
    return result;
}

int HidrawFile::waitWritable(int fd, int timeoutMs, int &error)
{
    pollfd out = {fd, POLLOUT, 0};
    int result;
    do {
        result = ::poll(&out, 1, timeoutMs);
    } while (result < 0 && errno == EINTR);
    error = result < 0 ? errno : 0;
    if (result > 0 && (out.revents & POLLOUT) == 0) {
        // Hang-up or error: the write that follows reports it.
        return 1;
    }
    return result;
}

long HidrawFile::write(int fd, const uint8_t *data, size_t length, int &error)
{
    long result;
    do {
        // A socket standing in for the device must not raise SIGPIPE when its
        // peer is gone; a device node is not a socket and takes write().
        result = ::send(fd, data, length, MSG_NOSIGNAL);
        if (result < 0 && errno == ENOTSOCK)
            result = ::write(fd, data, length);
    } while (result < 0 && errno == EINTR);
    error = result < 0 ? errno : 0;
    return result;
}

int HidrawFile::getFeature(int fd, uint8_t *buffer, size_t length, int &error)
{
    const int result = ::ioctl(fd, HIDIOCGFEATURE(length), buffer);
    error = result < 0 ? errno : 0;
    return result;
}

bool HidrawFile::isDeviceGone(int error)
{
    return error == ENODEV || error == EIO || error == EBADF || error == EPIPE || error == ENXIO;
}

bool HidrawFile::isTransient(int error)
{
    return error == EAGAIN || error == EWOULDBLOCK || error == EINTR;
}
