#pragma once
// What main settles first, before anything reads a path or the toolkit picks
// its platform.

#include <QByteArray>
#include <QProcessEnvironment>

namespace StartupEnvironment {

// Sets the application name (no organisation name), which names the per-user
// folders whatever the executable is called, and asks the toolkit for the
// platform that platformFor() chooses in this process's environment.
void apply();

// The toolkit platform to ask for, or empty to leave the choice as it is.
// Foreground detection and keystroke recording need an X11 display: on a
// Wayland session that has one (XWayland) the program runs on it ("xcb")
// when the platform is left to the toolkit or names the Wayland one. Any
// other platform asked for (offscreen, xcb) is kept.
QByteArray platformFor(const QProcessEnvironment &environment);

} // namespace StartupEnvironment
