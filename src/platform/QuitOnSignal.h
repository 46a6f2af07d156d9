#pragma once
// Ends the program cleanly on SIGTERM, SIGINT and SIGHUP (log-out, Ctrl+C),
// so it releases its single-instance lock as on "Quit". A second SIGTERM or
// SIGINT, while the first is still being acted on, ends it at once, as the
// signal's default action would; SIGHUP, which a log-out sends after its
// SIGTERM, never does. However many signals come, none makes it wait.

namespace QuitOnSignal {
// Catches the signals from now on; call first thing in main.
void install();
// Quits every running event loop, a modal box's among them, for a signal
// caught before or after this call; call as soon as the application object
// exists, before the start builds its windows.
void connectToApplication();
// A signal was acted on: the program is ending, and its main event loop is
// not to be entered (it would run on).
bool quitRequested();
} // namespace QuitOnSignal
