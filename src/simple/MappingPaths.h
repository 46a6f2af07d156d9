#pragma once

#include <QList>

class InputMapActionConfig;

// A mapping's place in its tree as the positions that lead from the
// top-level mapping down to it; a deep copy of the tree has the mapping's
// counterpart at the same place.
class MappingPaths
{
public:
    static InputMapActionConfig *rootOf(InputMapActionConfig *mapping);
    // Empty for a top-level mapping. False in ok when a mapping on the way is
    // not among its parent's children.
    static QList<int> pathOf(const InputMapActionConfig *mapping, bool *ok = nullptr);
    // The mapping at path below root; null when the tree has no such place.
    static InputMapActionConfig *at(InputMapActionConfig *root, const QList<int> &path);
    // The mapping at mapping's place in the tree of otherRoot; null when
    // there is none.
    static InputMapActionConfig *counterpart(const InputMapActionConfig *mapping, InputMapActionConfig *otherRoot);
};
