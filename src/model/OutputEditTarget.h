#pragma once

#include "InputMapActionConfig.h"
#include "OutputActionConfig.h"

#include <memory>

class ProfileData;

// One list the output editor works on, and the mapping it belongs to. When
// that mapping was held by a shared pointer at the time, its destruction is
// noticed and the list is no longer touched.
class OutputEditTarget
{
public:
    OutputEditTarget() = default;
    OutputEditTarget(OutputList *list, InputMapActionConfig *mapping);

    // The list, or null when there is none or its mapping is gone.
    OutputList *list() const { return gone() ? nullptr : m_list; }
    // The mapping, or null when there is none or it is gone.
    InputMapActionConfig *mapping() const { return gone() ? nullptr : m_mapping; }

    // Ends the edit when the list is the profile's outputs or belongs to a
    // mapping in its tree; called before that profile is destroyed.
    void forgetEditsOf(const ProfileData &profile);

private:
    bool gone() const { return m_tracked && m_owner.expired(); }
    bool inTree(const InputMapList &list) const;

    OutputList *m_list = nullptr;
    InputMapActionConfig *m_mapping = nullptr;
    std::weak_ptr<InputMapActionConfig> m_owner;
    bool m_tracked = false;
};
