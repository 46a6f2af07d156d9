#pragma once

#include "InputMapActionConfig.h"
#include "JsonNode.h"

#include <QList>

// Rebuilds mapping trees from a list of action mappings, element by element:
// every element takes one place, and an element with a predecessor is
// attached to the mapping at the place its "PredecessorId" names. Places
// that hold no mapping (system events, unknown input kinds) stay empty;
// a mapping that names an empty place, a place not yet read or a place
// nested too deep is left out with a warning.
class ConfigMappingReader
{
public:
    // withPosition adds the element's position to the warning (lists of a
    // profile); dropTopLevelMovement leaves out movement mappings without a
    // predecessor (the built-in pointer mapping that every written global
    // profile carries).
    ConfigMappingReader(int fileVersion, bool withPosition, bool dropTopLevelMovement);

    // The next element: a mapping, or an element that takes an empty place.
    void read(const JsonNode &element);
    void skip();

    // The mappings without a predecessor, in list order.
    const InputMapList &topLevel() const { return m_topLevel; }
    // The last mapping read without a predecessor, whether kept or not.
    InputMapPtr lastRoot() const { return m_lastRoot; }

    // Deeper nesting is refused: the editors make at most three levels, and
    // every level makes the written "Predecessor" chain one level deeper.
    static constexpr int maximumDepth = 32;

private:
    static int depthOf(const InputMapActionConfig *mapping);

    int m_fileVersion;
    bool m_withPosition;
    bool m_dropTopLevelMovement;
    QList<InputMapPtr> m_places;
    InputMapList m_topLevel;
    InputMapPtr m_lastRoot;
};
