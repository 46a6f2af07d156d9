#include "OutputAction_Mouse.h"

OutputAction_Mouse::OutputAction_Mouse(int typeCode)
    : OutputActionConfig(typeCode)
{}

OutputPtr OutputAction_Mouse::clone() const
{
    return std::make_shared<OutputAction_Mouse>(*this);
}

bool OutputAction_Mouse::equals(const OutputActionConfig &other) const
{
    if (!sameClassAndType(other))
        return false;
    const auto &o = static_cast<const OutputAction_Mouse &>(other);
    return pointerMode == o.pointerMode && xCount == o.xCount && yCount == o.yCount
           && pointerOption == o.pointerOption && buttonId == o.buttonId && buttonState == o.buttonState
           && scrollAxis == o.scrollAxis && scrollCount == o.scrollCount && scrollOption == o.scrollOption;
}
