#include "InputMapAction_Force.h"

InputMapAction_Force::InputMapAction_Force(int inputType)
    : InputMapActionConfig(inputType)
{}

InputMapPtr InputMapAction_Force::clone() const
{
    return std::make_shared<InputMapAction_Force>(*this);
}
