#include "MappingCardFactory.h"

#include "ButtonWidget.h"
#include "ForcePressWidget.h"
#include "MovementWidget.h"
#include "ScrollWidget.h"
#include "TiltAnalogWidget.h"
#include "TiltWidget.h"

namespace MappingCardFactory {

namespace {

// The card of kind Card when the mapping is of its record class.
template<class Card, class Record>
MapWidget *cardOf(const InputMapPtr &mapping, bool isGlobal, MapWidget *parentCard, QWidget *parent)
{
    auto typed = std::dynamic_pointer_cast<Record>(mapping);
    return typed ? new Card(typed, isGlobal, parentCard, parent) : nullptr;
}

} // namespace

MapWidget *cardFor(const InputMapPtr &mapping, bool isGlobal, MapWidget *parentCard, QWidget *parent)
{
    if (!mapping)
        return nullptr;
    switch (mapping->inputType) {
    case InputType::Button:
        return cardOf<ButtonWidget, InputMapAction_Button>(mapping, isGlobal, parentCard, parent);
    case InputType::Movement:
        return cardOf<MovementWidget, InputMapAction_Movement>(mapping, isGlobal, parentCard, parent);
    case InputType::Scroll:
        return cardOf<ScrollWidget, InputMapAction_Scroll>(mapping, isGlobal, parentCard, parent);
    case InputType::ForceRegion:
    case InputType::ForceRange:
        return cardOf<ForcePressWidget, InputMapAction_Force>(mapping, isGlobal, parentCard, parent);
    case InputType::AngleRegion:
        return cardOf<TiltWidget, InputMapAction_Angle>(mapping, isGlobal, parentCard, parent);
    case InputType::AngleRange:
        return cardOf<TiltAnalogWidget, InputMapAction_Angle>(mapping, isGlobal, parentCard, parent);
    default:
        return nullptr;
    }
}

MapWidget *newCard(const MappingListRules::Default &mapping, bool isGlobal, QWidget *parent)
{
    using Default = MappingListRules::Default;
    switch (mapping.kind) {
    case Default::Button:
        return new ButtonWidget(mapping.value, true, isGlobal, parent);
    case Default::Scroll:
        return new ScrollWidget(mapping.value, true, isGlobal, parent);
    case Default::TiltRegion:
        // -1: the card's automatic noise level.
        return new TiltWidget(mapping.value, mapping.angle, -1, true, isGlobal, parent);
    case Default::TiltRange:
        break;
    }
    const auto &range = mapping.range;
    return new TiltAnalogWidget(mapping.value, range[0], range[1], range[2], range[3], mapping.mirrored, true, isGlobal,
                                parent);
}

void forEachCard(const QList<MapWidget *> &cards, const std::function<void(MapWidget *)> &visit)
{
    for (MapWidget *card : cards) {
        visit(card);
        forEachCard(card->childCards(), visit);
    }
}

} // namespace MappingCardFactory
