#include "OutputAction_Profile.h"

OutputAction_Profile::OutputAction_Profile(int typeCode)
    : OutputActionConfig(typeCode)
{}

OutputPtr OutputAction_Profile::clone() const
{
    return std::make_shared<OutputAction_Profile>(*this);
}

bool OutputAction_Profile::equals(const OutputActionConfig &other) const
{
    if (!sameClassAndType(other))
        return false;
    const auto &o = static_cast<const OutputAction_Profile &>(other);
    return profileIndex == o.profileIndex && subProfileIndex == o.subProfileIndex
           && profileName == o.profileName && profileSelection == o.profileSelection;
}
