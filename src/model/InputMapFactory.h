#pragma once

#include "InputMapActionConfig.h"

// Makes mapping records by input type. Each kind of input has a class of its
// own, so a mapping that takes on another kind is a new record of that class
// standing in the old one's place.
class InputMapFactory
{
public:
    // A new record of the class for that input type, with the class's
    // defaults; null for a type no mapping has.
    static InputMapPtr create(int inputType);
    // A record of inputType's class that carries source's name, its two output
    // lists (the same outputs), its block flag and its parent, and takes over
    // its children, which now name the new record as their parent; source is
    // left without children. The input's own fields are the new class's
    // defaults, unless inputType is of source's class, whose fields it keeps.
    // Null (and source unchanged) for a type no mapping has.
    static InputMapPtr convert(InputMapActionConfig &source, int inputType);
    // Puts replacement where old is in list (a parent's children or a
    // profile's top-level mappings). False when old is not in the list.
    static bool replaceIn(InputMapList &list, const InputMapActionConfig *old, const InputMapPtr &replacement);
};
