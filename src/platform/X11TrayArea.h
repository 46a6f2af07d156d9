#pragma once
// The tray area of an X11 desktop: the panel applet that embeds tray icons
// owns the selection _NET_SYSTEM_TRAY_S<screen> while it runs.
namespace X11TrayArea {

// Whether the display named by DISPLAY has a tray area on its default
// screen; false without a display. Opens a connection of its own for the
// moment it asks, so the toolkit's tray code is not consulted (it remembers
// its first answer for the rest of the run).
bool present();

} // namespace X11TrayArea
