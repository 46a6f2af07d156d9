#pragma once

// A wake-up for a thread blocked in poll(): an eventfd that becomes readable
// when signalled and stays so until reset. When the eventfd cannot be made
// (no descriptor left), fd() is -1 and signal() and reset() do nothing; the
// waiting thread must then wake up on its own now and then.
class HidStopEvent
{
public:
    HidStopEvent();
    ~HidStopEvent();
    HidStopEvent(const HidStopEvent &) = delete;
    HidStopEvent &operator=(const HidStopEvent &) = delete;

    bool isValid() const { return eventFd >= 0; }
    // errno of the failed creation, 0 when valid.
    int error() const { return createError; }
    int fd() const { return eventFd; }
    void signal();
    void reset();

private:
    int eventFd;
    int createError;
};
