#pragma once

#include "InputMapActionConfig.h"

// Tilt angle input: region (60) or range (62). Bounds are tenths of a degree
// plus 1800 (0 is -180, 1800 level, 3600 +180); for a range the left range
// then the right range.
class InputMapAction_Angle : public InputMapActionOf<InputMapAction_Angle>
{
public:
    explicit InputMapAction_Angle(int inputType = InputType::AngleRegion);

    int axis = 0;           // 0 roll, 1 pitch, 2 yaw
    quint16 entryStart = 0;
    quint16 entryEnd = 0;
    quint16 exitStart = 0;
    quint16 exitEnd = 0;
    int rangeMode = 0;      // range: 3 one mirrored range, 4 two ranges
    int angleDirection = 2; // 0 increasing, 1 decreasing, 2 both
    int activeState = 1;
};
