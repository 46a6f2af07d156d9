#include "OutputAction_Tracking.h"

OutputAction_Tracking::OutputAction_Tracking(int typeCode)
    : OutputActionConfig(typeCode)
{}

OutputPtr OutputAction_Tracking::clone() const
{
    return std::make_shared<OutputAction_Tracking>(*this);
}

bool OutputAction_Tracking::equals(const OutputActionConfig &other) const
{
    if (!sameClassAndType(other))
        return false;
    const auto &o = static_cast<const OutputAction_Tracking &>(other);
    return liftOffLevel == o.liftOffLevel && dpiSelectionType == o.dpiSelectionType && dpiValue == o.dpiValue;
}
