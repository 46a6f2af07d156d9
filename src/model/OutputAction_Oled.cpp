#include "OutputAction_Oled.h"

OutputAction_Oled::OutputAction_Oled(int typeCode)
    : OutputActionConfig(typeCode)
{}

OutputPtr OutputAction_Oled::clone() const
{
    return std::make_shared<OutputAction_Oled>(*this);
}

bool OutputAction_Oled::equals(const OutputActionConfig &other) const
{
    if (!sameClassAndType(other))
        return false;
    const auto &o = static_cast<const OutputAction_Oled &>(other);
    return oledMode == o.oledMode && message == o.message && flashDuration == o.flashDuration
           && flashOption == o.flashOption;
}
