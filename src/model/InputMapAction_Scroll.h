#pragma once

#include "InputMapActionConfig.h"

// Scroll wheel input (30).
class InputMapAction_Scroll : public InputMapActionOf<InputMapAction_Scroll>
{
public:
    explicit InputMapAction_Scroll(int inputType = InputType::Scroll);

    int wheelDirection = 0; // 0 forward, 1 back, 2 all
};
