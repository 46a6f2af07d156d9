#include "OutputEditTarget.h"

#include "ProfileData.h"

OutputEditTarget::OutputEditTarget(OutputList *list, InputMapActionConfig *mapping)
    : m_list(list)
    , m_mapping(mapping)
{
    if (mapping) {
        m_owner = mapping->weak_from_this();
        m_tracked = !m_owner.expired();
    }
}

void OutputEditTarget::forgetEditsOf(const ProfileData &profile)
{
    // A list given without its mapping is not tracked, so the lists of the
    // profile and of every mapping in its tree are compared by address.
    if (m_list && (m_list == &profile.profileOutputs || inTree(profile.inputMaps)))
        *this = OutputEditTarget();
}

bool OutputEditTarget::inTree(const InputMapList &list) const
{
    for (const InputMapPtr &mapping : list) {
        if (!mapping)
            continue;
        if (m_mapping == mapping.get() || m_list == &mapping->activationOutputs
            || m_list == &mapping->deactivationOutputs || inTree(mapping->children))
            return true;
    }
    return false;
}
