#include "InputMapAction_Movement.h"

InputMapAction_Movement::InputMapAction_Movement(int inputType)
    : InputMapActionOf(inputType)
{
    countDivisor.setValue(1);
}
