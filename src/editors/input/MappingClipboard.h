#pragma once

#include "InputMapActionConfig.h"

// The one mapping that "Copy" on a card put aside for "Paste", shared by
// every card. It refers to the live mapping, not to a copy, so a paste sees
// the mapping as it is at that time; it never keeps the mapping alive, and a
// mapping that no longer lies in a profile of the store (its profile deleted
// or reloaded, the mapping unlinked or replaced) is not handed out again.
class MappingClipboard
{
public:
    static void copy(const InputMapPtr &mapping);
    static void clear();
    // The copied mapping while the store's global profile or one of its
    // profiles holds it; otherwise empties the clipboard and gives null.
    static InputMapPtr mapping();

private:
    static std::weak_ptr<InputMapActionConfig> &held();
};
