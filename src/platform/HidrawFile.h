#pragma once
#include <QString>

#include <cstddef>
#include <cstdint>

// The system calls on an open HID device node (/dev/hidrawN). Every call works
// on any file descriptor, so a pipe or socket can stand in for a device.
class HidrawFile
{
public:
    enum class Wait {
        Readable, // input is waiting
        Stopped,  // the stop descriptor was signalled
        Gone,     // hang-up or error on the device: it went away
        TimedOut,
        Failed    // poll() itself failed; see error
    };

    // Opens the node for reading and writing; -1 with errno in error on failure.
    static int open(const QString &node, int &error);
    static void close(int fd);

    // Blocks until fd has input, stopFd is signalled, or timeoutMs passed
    // (-1 waits for ever). fd may be -1 to wait on stopFd alone.
    static Wait waitForInput(int fd, int stopFd, int timeoutMs, int &error);
    // Reads what is waiting: the byte count, 0 at end of file, -1 with errno.
    static long read(int fd, uint8_t *buffer, size_t length, int &error);

    // Waits up to timeoutMs until fd takes output: poll()'s result (1 ready,
    // 0 timed out, -1 with errno in error).
    static int waitWritable(int fd, int timeoutMs, int &error);
    static long write(int fd, const uint8_t *data, size_t length, int &error);

    // Reads feature report buffer[0] into buffer (HIDIOCGFEATURE): the byte
    // count, or -1 with errno in error.
    static int getFeature(int fd, uint8_t *buffer, size_t length, int &error);

    // True for the errors a read or write gets once the device was unplugged.
    static bool isDeviceGone(int error);
    // True for the errors after which the same call may simply be tried again.
    static bool isTransient(int error);
};
