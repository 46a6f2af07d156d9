#include "InputMapAction_Movement.h"

InputMapAction_Movement::InputMapAction_Movement(int inputType)
    : InputMapActionConfig(inputType)
{
    countDivisor.setValue(1);
}

InputMapPtr InputMapAction_Movement::clone() const
{
    return std::make_shared<InputMapAction_Movement>(*this);
}
