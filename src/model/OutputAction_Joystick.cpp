#include "OutputAction_Joystick.h"

OutputAction_Joystick::OutputAction_Joystick(int typeCode)
    : OutputActionConfig(typeCode)
{}

OutputPtr OutputAction_Joystick::clone() const
{
    return std::make_shared<OutputAction_Joystick>(*this);
}

bool OutputAction_Joystick::equals(const OutputActionConfig &other) const
{
    if (!sameClassAndType(other))
        return false;
    const auto &o = static_cast<const OutputAction_Joystick &>(other);
    return buttonId == o.buttonId && buttonState == o.buttonState && stickAxis == o.stickAxis
           && rangeMode == o.rangeMode && firstRangeStart == o.firstRangeStart && firstRangeEnd == o.firstRangeEnd
           && secondRangeStart == o.secondRangeStart && secondRangeEnd == o.secondRangeEnd;
}
