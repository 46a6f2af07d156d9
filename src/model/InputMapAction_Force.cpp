#include "InputMapAction_Force.h"

InputMapAction_Force::InputMapAction_Force(int inputType)
    : InputMapActionOf(
        classTypeCode(inputType, {InputType::ForceRegion, InputType::ForceRange}, "InputMapAction_Force"))
{}
