#pragma once
#include <cstdint>

// The recorder takes keys as Windows virtual-key codes, so that one set of
// key tables serves keys typed into the program and keys seen on the desktop.
// These turn an X11 key into that code.
namespace X11VirtualKeys {

// The keysym a key is recorded by: its unshifted keysym (column 0 of the
// keyboard mapping), except on the keypad, where a key counts by the keysym
// Num Lock gives it (column 1), so that keypad 7 is keypad 7 and not Home
// whatever the state of Num Lock.
uint32_t recordedKeysym(uint32_t unshifted, uint32_t shifted);

// The virtual-key code of a keysym, or 0 for a keysym no code stands for.
int fromKeysym(uint32_t keysym);

} // namespace X11VirtualKeys
