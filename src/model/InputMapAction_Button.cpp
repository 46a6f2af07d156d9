#include "InputMapAction_Button.h"

InputMapAction_Button::InputMapAction_Button(int inputType)
    : InputMapActionOf(classTypeCode(inputType, {InputType::Button}, "InputMapAction_Button"))
{}
