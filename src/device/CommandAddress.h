#pragma once
#include <cstdint>

// Where a command goes in the mouse: class (0 queries, 1 writes, 2 actions),
// group and command number. Bytes 2 and 3 of its packets, and of the
// replies that name it, carry class << 6 | group and the command number.
struct CommandAddress
{
    int commandClass;
    int group;
    int command;

    constexpr uint8_t classGroup() const { return uint8_t(commandClass << 6 | group); }
    constexpr bool is(uint8_t cg, uint8_t n) const { return classGroup() == cg && command == n; }
};

// Every command sent to the mouse: the device object's and the force
// calibration's.
namespace DeviceCommand {
inline constexpr CommandAddress cpuIdQuery{0, 1, 10};
inline constexpr CommandAddress serialQuery{0, 1, 15};
inline constexpr CommandAddress activeProfileQuery{0, 1, 60};
inline constexpr CommandAddress memoryQuery{0, 10, 10};
inline constexpr CommandAddress dpiStepQuery{0, 15, 4};
inline constexpr CommandAddress sensorIdQuery{0, 15, 6};
inline constexpr CommandAddress forceCalibrationQuery{0, 25, 1};
inline constexpr CommandAddress clickCaptureQuery{0, 25, 5};
inline constexpr CommandAddress inputStreamingCommand{1, 5, 10};
inline constexpr CommandAddress uploadCommand{1, 10, 1};
inline constexpr CommandAddress switchProfileCommand{1, 10, 30};
inline constexpr CommandAddress forceCalibrationWriteCommand{1, 25, 1};
inline constexpr CommandAddress startBootloaderCommand{2, 1, 1};
inline constexpr CommandAddress configResetCommand{2, 1, 2};
inline constexpr CommandAddress userDataResetCommand{2, 1, 30};
inline constexpr CommandAddress storeToFlashCommand{2, 10, 1};
inline constexpr CommandAddress calibrateImuCommand{2, 20, 1};
inline constexpr CommandAddress clickCaptureArmCommand{2, 25, 5};
inline constexpr CommandAddress vibrationCommand{2, 40, 1};
} // namespace DeviceCommand
