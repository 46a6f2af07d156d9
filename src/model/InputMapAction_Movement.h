#pragma once

#include "BigEndian16.h"
#include "InputMapActionConfig.h"

// Sensor movement input (20).
class InputMapAction_Movement : public InputMapActionOf<InputMapAction_Movement>
{
public:
    explicit InputMapAction_Movement(int inputType = InputType::Movement);

    int direction = 6;        // 0 x-, 1 x+, 2 y-, 3 y+, 6 all (4, 5 from the text forms)
    BigEndian16 countDivisor;
    int repeat = 0;           // 1 repeat every count
};
