#pragma once

#include "InputMapActionConfig.h"

// A button input (10).
class InputMapAction_Button : public InputMapActionOf<InputMapAction_Button>
{
public:
    explicit InputMapAction_Button(int inputType = InputType::Button);

    int buttonId = 13;   // 0-12, 13 no button
    int activeState = 1; // 1 active when on, 0 active when off
};
