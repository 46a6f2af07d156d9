#pragma once
// What main settles first, before anything reads a path or the toolkit picks
// its platform, and gives back once the application object exists.

#include <QByteArray>
#include <QProcessEnvironment>

namespace StartupEnvironment {

// Sets the application name (no organisation name), which names the per-user
// folders whatever the executable is called, and asks the toolkit for the
// platform that platformFor() chooses in this process's environment.
void apply();

// Once the application object exists (the toolkit has read its platform
// variable) and the log is set up: puts the platform variable back as the
// program found it, so that the programs it starts (the browser, an
// installer) choose their own; and, when the platform asked for is Wayland
// beside an X display, logs once that foreground detection and recording
// are limited.
void applicationBuilt();

// The toolkit platform to ask for, or empty to leave the choice as it is.
// Foreground detection and keystroke recording need an X11 display: on a
// Wayland session that has one (XWayland) the program runs on it ("xcb")
// when the platform is left to the toolkit. A platform asked for (Wayland,
// offscreen, xcb) is the user's choice and kept.
QByteArray platformFor(const QProcessEnvironment &environment);

} // namespace StartupEnvironment
