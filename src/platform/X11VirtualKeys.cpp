#include "X11VirtualKeys.h"

#include <algorithm>
#include <iterator>
#include <utility>

namespace {

// Keysym values (X11/keysymdef.h and XF86keysym.h), kept here so that the
// table needs no X11 header.
constexpr uint32_t keypadFirst = 0xff80; // KP_Space
constexpr uint32_t keypadLast = 0xffbd;  // KP_Equal

// Keysyms that are no run of letters, digits or function keys, sorted for
// the binary search.
constexpr std::pair<uint32_t, int> singles[] = {
    {0x0020, 0x20}, // space
    {0x0027, 0xDE}, // apostrophe
    {0x002c, 0xBC}, // comma
    {0x002d, 0xBD}, // minus
    {0x002e, 0xBE}, // period
    {0x002f, 0xBF}, // slash
    {0x003b, 0xBA}, // semicolon
    {0x003d, 0xBB}, // equal
    {0x005b, 0xDB}, // bracketleft
    {0x005c, 0xDC}, // backslash
    {0x005d, 0xDD}, // bracketright
    {0x0060, 0xC0}, // grave
    {0xfe03, 0xA5}, // ISO_Level3_Shift: the right Alt of many layouts
    {0xfe20, 0x09}, // ISO_Left_Tab
    {0xff08, 0x08}, // BackSpace
    {0xff09, 0x09}, // Tab
    {0xff0d, 0x0D}, // Return
    {0xff13, 0x13}, // Pause
    {0xff14, 0x91}, // Scroll_Lock
    {0xff1b, 0x1B}, // Escape
    {0xff50, 0x24}, // Home
    {0xff51, 0x25}, // Left
    {0xff52, 0x26}, // Up
    {0xff53, 0x27}, // Right
    {0xff54, 0x28}, // Down
    {0xff55, 0x21}, // Prior
    {0xff56, 0x22}, // Next
    {0xff57, 0x23}, // End
    {0xff61, 0x2C}, // Print
    {0xff63, 0x2D}, // Insert
    {0xff67, 0x5D}, // Menu
    {0xff7f, 0x90}, // Num_Lock
    {0xff8d, 0x0D}, // KP_Enter
    {0xffaa, 0x6A}, // KP_Multiply
    {0xffab, 0x6B}, // KP_Add
    {0xffad, 0x6D}, // KP_Subtract
    {0xffae, 0x6E}, // KP_Decimal
    {0xffaf, 0x6F}, // KP_Divide
    {0xffb0, 0x60}, // KP_0 to KP_9
    {0xffb1, 0x61},     {0xffb2, 0x62}, {0xffb3, 0x63}, {0xffb4, 0x64}, {0xffb5, 0x65},
    {0xffb6, 0x66},     {0xffb7, 0x67}, {0xffb8, 0x68}, {0xffb9, 0x69}, {0xffe1, 0xA0}, // Shift_L
    {0xffe2, 0xA1},                                                                     // Shift_R
    {0xffe3, 0xA2},                                                                     // Control_L
    {0xffe4, 0xA3},                                                                     // Control_R
    {0xffe5, 0x14},                                                                     // Caps_Lock
    {0xffe9, 0xA4},                                                                     // Alt_L
    {0xffea, 0xA5},                                                                     // Alt_R
    {0xffeb, 0x5B},                                                                     // Super_L
    {0xffec, 0x5C},                                                                     // Super_R
    {0xffff, 0x2E},                                                                     // Delete
    {0x1008ff11, 0xAE},                                                                 // XF86AudioLowerVolume
    {0x1008ff12, 0xAD},                                                                 // XF86AudioMute
    {0x1008ff13, 0xAF},                                                                 // XF86AudioRaiseVolume
    {0x1008ff14, 0xB3}, // XF86AudioPlay: the play/pause key
    {0x1008ff15, 0xB2}, // XF86AudioStop
    {0x1008ff16, 0xB1}, // XF86AudioPrev
    {0x1008ff17, 0xB0}, // XF86AudioNext
    {0x1008ff31, 0xB3}, // XF86AudioPause
};

constexpr bool sortedByKeysym()
{
    for (size_t i = 1; i < std::size(singles); ++i) {
        if (singles[i - 1].first >= singles[i].first)
            return false;
    }
    return true;
}
static_assert(sortedByKeysym(), "the lookup searches the table by halves");

} // namespace

namespace X11VirtualKeys {

uint32_t recordedKeysym(uint32_t unshifted, uint32_t shifted)
{
    return shifted >= keypadFirst && shifted <= keypadLast ? shifted : unshifted;
}

int fromKeysym(uint32_t keysym)
{
    if (keysym >= 'a' && keysym <= 'z')
        return int(keysym - 'a') + 0x41;
    if ((keysym >= 'A' && keysym <= 'Z') || (keysym >= '0' && keysym <= '9'))
        return int(keysym);
    constexpr uint32_t f1 = 0xffbe;
    constexpr uint32_t f24 = 0xffd5;
    if (keysym >= f1 && keysym <= f24)
        return int(keysym - f1) + 0x70;
    const auto end = std::end(singles);
    const auto found =
        std::lower_bound(std::begin(singles), end, keysym,
                         [](const std::pair<uint32_t, int> &entry, uint32_t k) { return entry.first < k; });
    return found != end && found->first == keysym ? found->second : 0;
}

} // namespace X11VirtualKeys
