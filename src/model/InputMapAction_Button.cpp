#include "InputMapAction_Button.h"

InputMapAction_Button::InputMapAction_Button(int inputType)
    : InputMapActionConfig(inputType)
{}

InputMapPtr InputMapAction_Button::clone() const
{
    return std::make_shared<InputMapAction_Button>(*this);
}
