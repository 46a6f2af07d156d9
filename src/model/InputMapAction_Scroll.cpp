#include "InputMapAction_Scroll.h"

InputMapAction_Scroll::InputMapAction_Scroll(int inputType)
    : InputMapActionOf(classTypeCode(inputType, {InputType::Scroll}, "InputMapAction_Scroll"))
{}
