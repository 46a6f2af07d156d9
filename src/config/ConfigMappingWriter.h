#pragma once

#include "InputMapActionConfig.h"

#include <QHash>
#include <QJsonArray>
#include <QJsonObject>

// Builds one list of action mappings as a configuration file holds them:
// each mapping tree flattened depth-first, a nested mapping naming its
// parent by the parent's position in this very list ("PredecessorId") and
// carrying the parent's object as its "Predecessor". Positions count every
// element appended, system events included, so they are what a reader of
// the list sees whatever the mapping's place in any profile.
class ConfigMappingWriter
{
public:
    // An element that is not a user mapping (a system event, the built-in
    // pointer mapping); it takes a position like any other.
    void append(const QJsonObject &element);
    // root as a top-level mapping (whatever its parent), followed by all of
    // its descendants.
    void appendTree(const InputMapActionConfig &root);

    const QJsonArray &list() const { return m_list; }

private:
    void appendMapping(const InputMapActionConfig &mapping, const InputMapActionConfig *parent);

    struct Written
    {
        int position = 0;
        QJsonObject object;
    };

    QJsonArray m_list;
    QHash<const InputMapActionConfig *, Written> m_written;
};
