#include "InputMapAction_Angle.h"

InputMapAction_Angle::InputMapAction_Angle(int inputType)
    : InputMapActionConfig(inputType)
{}

InputMapPtr InputMapAction_Angle::clone() const
{
    return std::make_shared<InputMapAction_Angle>(*this);
}
