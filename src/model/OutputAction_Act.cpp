#include "OutputAction_Act.h"

OutputAction_Act::OutputAction_Act(int typeCode)
    : OutputActionConfig(typeCode)
{}

OutputPtr OutputAction_Act::clone() const
{
    return std::make_shared<OutputAction_Act>(*this);
}

bool OutputAction_Act::equals(const OutputActionConfig &other) const
{
    if (!sameClassAndType(other))
        return false;
    const auto &o = static_cast<const OutputAction_Act &>(other);
    return alternateCount == o.alternateCount && repeatTarget == o.repeatTarget && countOrTime == o.countOrTime
           && skipWaits == o.skipWaits;
}
