#pragma once

#include "InputMapActionConfig.h"

// Force input: region (50) or range (52). Bounds are tenths of a percent of
// full force; for a range the first two bounds are the range.
class InputMapAction_Force : public InputMapActionOf<InputMapAction_Force>
{
public:
    explicit InputMapAction_Force(int inputType = InputType::ForceRegion);

    int buttonId = 13;
    quint16 entryStart = 0;
    quint16 entryEnd = 1000;
    quint16 exitStart = 0;
    quint16 exitEnd = 1000;
    int forceDirection = 0; // 0 increasing, 1 decreasing, 2 both
    int rangeMode = 0;      // range: 3 one mirrored range
    int activeState = 1;
};
