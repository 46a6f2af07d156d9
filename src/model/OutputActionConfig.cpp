#include "OutputActionConfig.h"

#include <typeinfo>

OutputActionConfig::OutputActionConfig(int typeCode)
    : typeCode(typeCode)
{
}

OutputActionConfig::~OutputActionConfig() = default;

OutputList OutputActionConfig::cloneList(const OutputList &list)
{
    OutputList copies;
    copies.reserve(list.size());
    for (const OutputPtr &record : list)
        copies.append(record ? record->clone() : OutputPtr());
    return copies;
}

bool OutputActionConfig::sameClassAndType(const OutputActionConfig &other) const
{
    return typeid(*this) == typeid(other) && typeCode == other.typeCode;
}
