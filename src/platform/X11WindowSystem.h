#pragma once
#include "WindowSystem.h"

#include <memory>

class QSocketNotifier;

// The desktop through X11 and the window manager's EWMH properties on the root
// window: _NET_ACTIVE_WINDOW (watched through PropertyNotify), _NET_WM_PID of
// a window and _NET_CLIENT_LIST.
//
// The connection to the display named by DISPLAY is opened on first use, once;
// without a display nothing is reported and one warning says so. It is closed
// when the application quits (or with this object), not left to the end of
// the process, and its events are read on the GUI thread through a socket
// notifier.
class X11WindowSystem : public WindowSystem
{
    Q_OBJECT

public:
    explicit X11WindowSystem(QObject *parent = nullptr);
    ~X11WindowSystem() override;

    WindowId activeWindow() override;
    quint32 windowProcessId(WindowId window) override;
    QVector<WindowId> descendants(WindowId window) override;
    QVector<WindowId> topLevelWindows() override;
    void startWatching() override;
    void stopWatching() override;

    // Ends the connection; later questions get empty answers.
    void close();

private:
    struct Connection;

    // The open connection, or null when there is none (or no longer one).
    Connection *connection();
    void setRootEventMask(bool watch);
    void readEvents();
    // Replies can carry events past the notifier into the connection's queue;
    // a posted read picks them up once the current request's caller is done.
    void readQueuedEventsLater();
    void appendDescendants(WindowId window, QVector<WindowId> &windows, int depth);

    std::unique_ptr<Connection> x;
    bool tried = false;
    bool watching = false;
    bool readPosted = false;
    bool readingEvents = false;
    QSocketNotifier *notifier = nullptr;
};
