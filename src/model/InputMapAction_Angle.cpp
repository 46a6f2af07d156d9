#include "InputMapAction_Angle.h"

InputMapAction_Angle::InputMapAction_Angle(int inputType)
    : InputMapActionOf(inputType)
{}
