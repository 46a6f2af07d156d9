#pragma once
#include <QObject>

#include <functional>
#include <memory>

class InputHookBackend;

// Sees every key the user presses while a keystroke recording runs, whatever
// window has the focus, and keeps the keys from acting on anything: start()
// watches the desktop (InputHookBackend) and reports each key press and
// release as keyHooked with its Windows virtual-key code; a press of the left
// mouse button anywhere emits stopRecording, and the click still goes on to
// the window under the pointer. Each recorder owns its InputHook and calls
// start and stop as it toggles recording.
//
// Without a desktop to watch (no X11 display) start() logs that once and
// installs this object as the application's event filter instead: the
// program's own key events then arrive as keyRecorded with their Qt key
// code and are consumed, and a mouse press in the program emits
// stopRecording. stop() removes the filter.
//
// One desktop watch exists for the whole process, so at most one InputHook is
// started at a time: start() on a started hook does nothing, and start()
// while another one is started first emits that one's stopRecording (its
// recorder stops it; if it does not, it is stopped) and then takes over.
class InputHook : public QObject
{
    Q_OBJECT

public:
    using BackendFactory = std::function<std::unique_ptr<InputHookBackend>()>;

    InputHook();
    // Stops the hook when it is started.
    ~InputHook() override;

    void start();
    void stop();
    bool isActive() const { return active; }

    // The backend the next start() makes, once for the process; null gives
    // back the X11 backend. A started hook is stopped first. For tests.
    static void setBackendFactory(BackendFactory factory);

signals:
    void keyHooked(long key, bool isPress);
    void keyRecorded(int key, bool isPress);
    void stopRecording();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool active = false;
    bool watchingDesktop = false;
};
