#include "MappingPaths.h"

#include "InputMapActionConfig.h"

InputMapActionConfig *MappingPaths::rootOf(InputMapActionConfig *mapping)
{
    while (mapping && mapping->parent)
        mapping = mapping->parent;
    return mapping;
}

QList<int> MappingPaths::pathOf(const InputMapActionConfig *mapping, bool *ok)
{
    QList<int> path;
    bool found = mapping != nullptr;
    for (const InputMapActionConfig *step = mapping; step && step->parent; step = step->parent) {
        int position = -1;
        const InputMapList &siblings = step->parent->children;
        for (int i = 0; i < siblings.size(); ++i) {
            if (siblings.at(i).get() == step) {
                position = i;
                break;
            }
        }
        if (position < 0)
            found = false;
        path.prepend(position);
    }
    if (ok)
        *ok = found;
    return path;
}

InputMapActionConfig *MappingPaths::at(InputMapActionConfig *root, const QList<int> &path)
{
    InputMapActionConfig *step = root;
    for (int position : path) {
        if (!step || position < 0 || position >= step->children.size())
            return nullptr;
        step = step->children.at(position).get();
    }
    return step;
}

InputMapActionConfig *MappingPaths::counterpart(const InputMapActionConfig *mapping, InputMapActionConfig *otherRoot)
{
    bool ok = false;
    const QList<int> path = pathOf(mapping, &ok);
    return ok ? at(otherRoot, path) : nullptr;
}
