#include "LibraryEntry.h"

#include <QDebug>

LibraryEntryPtr LibraryEntry::clone() const
{
    qInfo().noquote() << "ActionLibrary: Copying Action" << name;
    auto copy = std::make_shared<LibraryEntry>();
    copy->name = name;
    copy->category = category;
    copy->subCategory = subCategory;
    copy->activationOutputs = OutputActionConfig::cloneList(activationOutputs);
    copy->deactivationOutputs = OutputActionConfig::cloneList(deactivationOutputs);
    copy->children.reserve(children.size());
    for (const LibraryEntryPtr &child : children)
        copy->children.append(child ? std::make_shared<LibraryEntry>(*child) : child);
    if (inputMapping)
        copy->inputMapping = inputMapping->deepCopy();
    return copy;
}
