#pragma once

#include "InputMapActionConfig.h"
#include "JsonTextWriter.h"

// Writes one list of action mappings as a configuration file holds them, as
// the elements of the array its JsonTextWriter is in: each mapping tree
// flattened depth-first, a nested mapping naming its parent by the parent's
// position in this very list ("PredecessorId") and carrying the parent's
// object as its "Predecessor". Positions count every element of the list,
// system events included, so they are what a reader of the list sees
// whatever the mapping's place in any profile.
class ConfigMappingWriter
{
public:
    explicit ConfigMappingWriter(JsonTextWriter &json)
        : m_json(json)
    {}

    // Counts an element the caller wrote that is not a user mapping (a
    // system event, the built-in pointer mapping); it takes a position like
    // any other.
    void countElement() { ++m_count; }
    // root as a top-level mapping (whatever its parent), followed by all of
    // its descendants.
    void appendTree(const InputMapActionConfig &root);

private:
    void appendMapping(const InputMapActionConfig &mapping, const JsonTextWriter::Span *parent, int parentPosition);

    JsonTextWriter &m_json;
    int m_count = 0;
};
