#include "OutputAction_Keyboard.h"

OutputAction_Keyboard::OutputAction_Keyboard(int typeCode)
    : OutputActionConfig(typeCode)
{}

OutputPtr OutputAction_Keyboard::clone() const
{
    return std::make_shared<OutputAction_Keyboard>(*this);
}

bool OutputAction_Keyboard::equals(const OutputActionConfig &other) const
{
    if (!sameClassAndType(other))
        return false;
    const auto &o = static_cast<const OutputAction_Keyboard &>(other);
    return keyGroup == o.keyGroup && keyUsage == o.keyUsage && mediaUsage == o.mediaUsage
           && buttonState == o.buttonState && keyString == o.keyString;
}
