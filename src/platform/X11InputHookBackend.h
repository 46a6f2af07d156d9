#pragma once
#include "InputHookBackend.h"

#include <memory>

class QSocketNotifier;

// The desktop's keys and mouse buttons through X11: XInput2 raw key press,
// key release and button press events selected on the root window, and a
// grab of the keyboard so that no window, this program's included, acts on
// the keys while they are watched. Raw events reach the root window whatever
// holds a grab, and the mouse is not grabbed, so a click still reaches the
// window under the pointer.
//
// start() opens connections of its own to the display named by DISPLAY
// (one watches, one holds the grab: the server sends no raw events to the
// client that holds one); stop() ungrabs and closes them. The events are read on the GUI thread
// through a socket notifier. A display without XInput2 and a refused grab
// are each logged once; start() fails quietly without a display.
class X11InputHookBackend : public InputHookBackend
{
    Q_OBJECT

public:
    explicit X11InputHookBackend(QObject *parent = nullptr);
    ~X11InputHookBackend() override;

    bool start() override;
    void stop() override;

private:
    struct Connection;

    bool open();
    void close();
    void grabKeyboard();
    void readEvents();
    void dropGrabbedEvents();
    void handleEvent(const void *event);

    std::unique_ptr<Connection> x;
    QSocketNotifier *notifier = nullptr;
    QSocketNotifier *grabNotifier = nullptr;
    bool watching = false;
    bool readingEvents = false;
    bool closeAfterReading = false;
    bool noInputExtensionLogged = false;
    bool refusedGrabLogged = false;
};
