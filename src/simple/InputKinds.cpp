#include "InputKinds.h"

#include "InputMapAction_Button.h"
#include "InputMapAction_Force.h"
#include "InputMapFactory.h"
#include "PackageCreator.h"

bool InputKinds::hasForceSensor(int buttonId, bool vModel)
{
    switch (buttonId) {
    case 0: // Left Button
    case 7: // Left Fingertip
        return true;
    case 1: // Right Button
    case 2: // Middle Button
    case 8: // Right Fingertip
        return vModel;
    default:
        return false;
    }
}

bool InputKinds::offersForcePress(const InputMapActionConfig *parent, bool vModel)
{
    if (!parent)
        return false;
    if (parent->inputType == InputType::ForceRegion)
        return true;
    const auto *button = dynamic_cast<const InputMapAction_Button *>(parent);
    return button && parent->inputType == InputType::Button && hasForceSensor(button->buttonId, vModel);
}

QList<int> InputKinds::kindItems(const InputMapActionConfig *parent, bool vModel)
{
    QList<int> items;
    if (offersForcePress(parent, vModel))
        items << InputType::ForceRegion;
    items << InputType::Button << InputType::Scroll << InputType::Movement;
    if (vModel)
        items << InputType::AngleRegion;
    return items;
}

int InputKinds::kindItemType(int inputType)
{
    switch (inputType) {
    case InputType::Button:
    case InputType::Movement:
    case InputType::Scroll:
        return inputType;
    case InputType::ForceRegion:
    case InputType::ForceRange:
        return InputType::ForceRegion;
    case InputType::AngleRegion:
    case InputType::AngleRange:
        return InputType::AngleRegion;
    default:
        return 0;
    }
}

int InputKinds::newChildType(const InputMapActionConfig &parent, bool vModel)
{
    return offersForcePress(&parent, vModel) ? InputType::ForceRegion : InputType::Button;
}

InputMapPtr InputKinds::addNewChild(InputMapActionConfig &parent, bool vModel)
{
    if (newChildType(parent, vModel) == InputType::Button) {
        auto button = std::make_shared<InputMapAction_Button>(InputType::Button);
        button->buttonId = 0;
        button->activeState = 1;
        return parent.addChild(button);
    }
    auto force = std::make_shared<InputMapAction_Force>(InputType::ForceRegion);
    const auto *parentButton = dynamic_cast<const InputMapAction_Button *>(&parent);
    force->buttonId = parentButton ? parentButton->buttonId : 13;
    force->entryStart = 500;
    force->entryEnd = 1000;
    force->exitStart = 400;
    force->exitEnd = 1000;
    force->forceDirection = 0;
    force->activeState = 1;
    return parent.addChild(force);
}

InputMapPtr InputKinds::changeKind(PackageCreator &model, InputMapActionConfig *mapping, int inputType)
{
    if (!mapping || !InputMapFactory::create(inputType))
        return InputMapPtr();
    InputMapActionConfig *target = mapping;
    if (!model.containsInputMap(mapping)) {
        const InputMapPtr copy = model.copyIntoCurrentProfile(mapping);
        if (!copy)
            return InputMapPtr();
        target = copy.get();
    }
    InputMapList *holder = target->parent ? &target->parent->children : nullptr;
    if (!holder && model.currentProfile())
        holder = &model.currentProfile()->inputMaps;
    if (!holder)
        return InputMapPtr();
    bool held = false;
    for (const InputMapPtr &entry : qAsConst(*holder))
        held = held || entry.get() == target;
    if (!held)
        return InputMapPtr();
    // The old record may go with its place in the tree: keep it until the
    // new one stands there.
    const InputMapPtr keep = target->weak_from_this().lock();
    const InputMapPtr replacement = InputMapFactory::convert(*target, inputType);
    InputMapFactory::replaceIn(*holder, target, replacement);
    return replacement;
}
