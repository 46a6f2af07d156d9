#pragma once

// A wake-up for a thread blocked in poll(): an eventfd that becomes readable
// when signalled and stays so until reset.
class HidStopEvent
{
public:
    HidStopEvent();
    ~HidStopEvent();
    HidStopEvent(const HidStopEvent &) = delete;
    HidStopEvent &operator=(const HidStopEvent &) = delete;

    int fd() const { return eventFd; }
    void signal();
    void reset();

private:
    int eventFd;
};
