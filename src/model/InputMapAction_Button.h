#pragma once

#include "InputMapActionConfig.h"

// A button input (10).
class InputMapAction_Button : public InputMapActionConfig
{
public:
    explicit InputMapAction_Button(int inputType = 10);

    InputMapPtr clone() const override;

    int buttonId = 13;   // 0-12, 13 no button
    int activeState = 1; // 1 active when on, 0 active when off
};
