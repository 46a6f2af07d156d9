#pragma once

#include "InputMapActionConfig.h"
#include "OutputActionConfig.h"

#include <QList>
#include <QString>

#include <memory>

struct LibraryEntry;
using LibraryEntryPtr = std::shared_ptr<LibraryEntry>;
using LibraryEntryList = QList<LibraryEntryPtr>;

// One ready-made mapping of the action library, found in the picker's tree by
// (name, category, subCategory). A nested entry of a library file, and every
// entry of the user's mappings library, carries an input mapping; a nested
// file entry keeps its outputs in that mapping and its own lists stay empty.
//
// Entries are shared: the library's caches and every picker's list hold the
// same objects, so a consumer edits a clone().
struct LibraryEntry
{
    QString name;
    QString category; // empty only for "Do Nothing"
    QString subCategory;
    OutputList activationOutputs;
    OutputList deactivationOutputs;
    LibraryEntryList children;
    InputMapPtr inputMapping;

    // The copy a consumer edits: the outputs cloned and the input mapping
    // deep-copied with its nested mappings. The children are new entries
    // that still share their lists and input mappings with this one's
    // children; a consumer deep-copies a child's mapping before using it.
    LibraryEntryPtr clone() const;
};
