#pragma once
// Ends the event loop cleanly on SIGTERM, SIGINT and SIGHUP (log-out, Ctrl+C),
// so the program releases its single-instance lock as on "Quit".

namespace QuitOnSignal {
// Catches the signals from now on; call first thing in main.
void install();
// Quits the application's event loop for a signal caught before or after this
// call; call once the application object exists.
void connectToApplication();
} // namespace QuitOnSignal
