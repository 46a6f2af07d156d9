#pragma once

#include <QString>

#include <sys/types.h>

struct xcb_connection_t;

// Watches an X server for the first top-level window a process maps: it
// listens to the root window's structure changes, so that it sees every map
// of a child of the root (without a window manager, the program's own
// top-level windows), and takes a window for the process's when its
// _NET_WM_PID names it. Windows that bypass the window manager (pop-ups,
// tool tips) do not count.
class WindowWatch
{
public:
    WindowWatch() = default;
    ~WindowWatch();
    WindowWatch(const WindowWatch &) = delete;
    WindowWatch &operator=(const WindowWatch &) = delete;

    // Connects to display (":1"); false when it cannot.
    bool open(const QString &display);
    // Forgets what was mapped so far (the windows of earlier programs).
    void drain();
    // CLOCK_MONOTONIC nanoseconds at which the first top-level window of pid
    // was seen mapped; negative when none is within timeoutMs.
    qint64 waitForMap(pid_t pid, int timeoutMs);

private:
    pid_t windowPid(quint32 window);

    xcb_connection_t *m_connection = nullptr;
    quint32 m_pidAtom = 0;
    quint32 m_cardinalAtom = 0;
};
