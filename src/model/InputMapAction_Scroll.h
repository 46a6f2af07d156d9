#pragma once

#include "InputMapActionConfig.h"

// Scroll wheel input (30).
class InputMapAction_Scroll : public InputMapActionConfig
{
public:
    explicit InputMapAction_Scroll(int inputType = 30);

    InputMapPtr clone() const override;

    int wheelDirection = 0; // 0 forward, 1 back, 2 all
};
