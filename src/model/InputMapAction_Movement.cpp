#include "InputMapAction_Movement.h"

InputMapAction_Movement::InputMapAction_Movement(int inputType)
    : InputMapActionOf(classTypeCode(inputType, {InputType::Movement}, "InputMapAction_Movement"))
{
    countDivisor.setValue(1);
}
