#pragma once
// A desktop the test types on, for InputHook and the recorders that use it.
// While it lives, every InputHook watches it:
//
//     FakeInputHookBackend::Installed desktop;      // a member, or for one test
//     footer.startStopRecording();                   // the footer's hook starts
//     desktop.backend()->tap(0x41);                  // keyHooked(0x41, true), (0x41, false)
//     desktop.backend()->leftClick();                // stopRecording
//
// With hasDisplay false, start() fails as without an X11 display, and the
// hooks fall back to the application's event filter.

#include "InputHookBackend.h"

class FakeInputHookBackend : public InputHookBackend
{
    Q_OBJECT

public:
    explicit FakeInputHookBackend(bool hasDisplay = true)
        : hasDisplay(hasDisplay)
    {}

    bool start() override;
    void stop() override { watching = false; }

    bool isWatching() const { return watching; }
    int starts() const { return startCount; }

    // Each reports only while the desktop is watched, as the keys of a
    // stopped hook reach the windows instead.
    void press(long key);
    void release(long key);
    void tap(long key);
    void leftClick();

    // Gives InputHook this fake for as long as it lives, made at the next
    // start; the X11 backend again afterwards.
    class Installed
    {
    public:
        explicit Installed(bool hasDisplay = true);
        ~Installed();
        Installed(const Installed &) = delete;
        Installed &operator=(const Installed &) = delete;

        // Null until a hook started.
        FakeInputHookBackend *backend() const { return made; }

    private:
        FakeInputHookBackend *made = nullptr;
    };

private:
    const bool hasDisplay;
    bool watching = false;
    int startCount = 0;
};
