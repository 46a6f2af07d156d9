#pragma once
// The cards of the mapping page, made only through the card kinds' own
// constructors: the card of an existing mapping by its input type, and the
// card of a new default mapping.

#include "InputMapActionConfig.h"
#include "MappingListRules.h"

#include <functional>

class MapWidget;
class QWidget;

namespace MappingCardFactory {

// The card of an existing mapping, nested under parentCard (none for a
// top-level card); null for an input type no card shows.
MapWidget *cardFor(const InputMapPtr &mapping, bool isGlobal, MapWidget *parentCard, QWidget *parent);
// A top-level card on a new mapping made from the default.
MapWidget *newCard(const MappingListRules::Default &mapping, bool isGlobal, QWidget *parent);

// Runs visit on every card, depth-first: each card before its nested cards.
void forEachCard(const QList<MapWidget *> &cards, const std::function<void(MapWidget *)> &visit);

} // namespace MappingCardFactory
