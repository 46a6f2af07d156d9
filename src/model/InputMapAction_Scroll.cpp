#include "InputMapAction_Scroll.h"

InputMapAction_Scroll::InputMapAction_Scroll(int inputType)
    : InputMapActionConfig(inputType)
{}

InputMapPtr InputMapAction_Scroll::clone() const
{
    return std::make_shared<InputMapAction_Scroll>(*this);
}
