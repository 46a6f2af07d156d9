#pragma once
// The numbers the mouse knows the kinds of outputs, inputs and settings
// records by, as the package carries them. Plain ints, so that the int fields
// that hold them (typeCode, inputType, tag) and switches over those fields
// take them as they are. Everything else uses these names, never the numbers.

#include <initializer_list>

// Output type codes: the first byte of an output item in the package.
namespace OutputType {
inline constexpr int MousePointer = 10;
inline constexpr int MouseButton = 12;
inline constexpr int MouseScroll = 13;
inline constexpr int Key = 30;
inline constexpr int MediaKey = 31;
inline constexpr int KeyString = 32;
inline constexpr int JoystickStick = 50;
inline constexpr int JoystickButton = 51;
inline constexpr int JoystickSlider = 52;
inline constexpr int Haptic = 80;
inline constexpr int ProfileSelect = 90; // next, previous, parent or sub-profile
inline constexpr int ProfileJump = 91;   // go to one profile
inline constexpr int DpiSelect = 92;
inline constexpr int LiftOff = 93;
inline constexpr int Led = 95;
inline constexpr int OledShow = 97;
inline constexpr int OledPrevious = 98;
inline constexpr int OledFlash = 103;
inline constexpr int RepeatFrom = 110;
inline constexpr int Alternate = 111;
inline constexpr int StopLooping = 112;
inline constexpr int Wait = 113;
inline constexpr int TiltReset = 114;
} // namespace OutputType

// Input types: the second byte of an input item in the package.
namespace InputType {
inline constexpr int Button = 10;
inline constexpr int Movement = 20;
inline constexpr int Scroll = 30;
inline constexpr int ForceRegion = 50;
inline constexpr int ForceRange = 52;
inline constexpr int AngleRegion = 60;
inline constexpr int AngleRange = 62;
// The built-in events the package announces (start-up, profile change);
// no mapping has this type.
inline constexpr int SystemEvent = 80;
} // namespace InputType

// Settings record tags. A record travels to the mouse as an output of this
// type code, and some tags are also output type codes (lift-off, LED, OLED).
namespace SettingsTag {
inline constexpr int LiftOff = 93;
inline constexpr int Dpi = 94;
inline constexpr int Led = 95;
inline constexpr int Oled = 97;
inline constexpr int GameDevice = 102;
inline constexpr int ReportInterval = 104;
inline constexpr int AutoRelease = 115;
inline constexpr int TiltAutoZeroing = 116;
} // namespace SettingsTag

// The type code a record of a class is made with: code when it is one of
// classCodes, or 0 (the code is set after construction). Another code is a
// programming fault: it stops a debug build, and a release build logs it and
// uses the class's first code.
int classTypeCode(int code, std::initializer_list<int> classCodes, const char *className);
