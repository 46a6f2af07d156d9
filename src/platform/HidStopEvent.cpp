#include "HidStopEvent.h"

#include <cerrno>
#include <cstdint>
#include <sys/eventfd.h>
#include <unistd.h>

HidStopEvent::HidStopEvent()
    : eventFd(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK))
    , createError(eventFd < 0 ? errno : 0)
{
}

HidStopEvent::~HidStopEvent()
{
    if (eventFd >= 0)
        ::close(eventFd);
}

void HidStopEvent::signal()
{
    if (eventFd < 0)
        return;
    const uint64_t one = 1;
    [[maybe_unused]] const auto written = ::write(eventFd, &one, sizeof one);
}

void HidStopEvent::reset()
{
    if (eventFd < 0)
        return;
    uint64_t value = 0;
    [[maybe_unused]] const auto read = ::read(eventFd, &value, sizeof value);
}
