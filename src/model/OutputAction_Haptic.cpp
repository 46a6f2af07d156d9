#include "OutputAction_Haptic.h"

OutputAction_Haptic::OutputAction_Haptic(int typeCode)
    : OutputActionConfig(typeCode)
{}

OutputPtr OutputAction_Haptic::clone() const
{
    return std::make_shared<OutputAction_Haptic>(*this);
}

bool OutputAction_Haptic::equals(const OutputActionConfig &other) const
{
    if (!sameClassAndType(other))
        return false;
    const auto &o = static_cast<const OutputAction_Haptic &>(other);
    return strength == o.strength && duration == o.duration && hapticOption == o.hapticOption;
}
