#include "InputMapAction_Angle.h"

InputMapAction_Angle::InputMapAction_Angle(int inputType)
    : InputMapActionOf(
        classTypeCode(inputType, {InputType::AngleRegion, InputType::AngleRange}, "InputMapAction_Angle"))
{}
