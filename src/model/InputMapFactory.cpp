#include "InputMapFactory.h"

#include "InputMapAction_Angle.h"
#include "InputMapAction_Button.h"
#include "InputMapAction_Force.h"
#include "InputMapAction_Movement.h"
#include "InputMapAction_Scroll.h"

#include <typeinfo>

InputMapPtr InputMapFactory::create(int inputType)
{
    switch (inputType) {
    case InputType::Button:
        return std::make_shared<InputMapAction_Button>(inputType);
    case InputType::Movement:
        return std::make_shared<InputMapAction_Movement>(inputType);
    case InputType::Scroll:
        return std::make_shared<InputMapAction_Scroll>(inputType);
    case InputType::ForceRegion:
    case InputType::ForceRange:
        return std::make_shared<InputMapAction_Force>(inputType);
    case InputType::AngleRegion:
    case InputType::AngleRange:
        return std::make_shared<InputMapAction_Angle>(inputType);
    default:
        return InputMapPtr();
    }
}

InputMapPtr InputMapFactory::convert(InputMapActionConfig &source, int inputType)
{
    InputMapPtr result = create(inputType);
    if (!result)
        return result;
    if (typeid(*result) == typeid(source)) {
        result = source.clone();
        result->inputType = inputType;
    } else {
        result->name = source.name;
        result->blockOnDeactivation = source.blockOnDeactivation;
        result->activationOutputs = source.activationOutputs;
        result->deactivationOutputs = source.deactivationOutputs;
        result->parent = source.parent;
    }
    result->children.clear();
    for (const InputMapPtr &child : qAsConst(source.children)) {
        if (child)
            result->addChild(child);
        else
            result->children.append(child);
    }
    source.children.clear();
    return result;
}

bool InputMapFactory::replaceIn(InputMapList &list, const InputMapActionConfig *old, const InputMapPtr &replacement)
{
    for (InputMapPtr &entry : list) {
        if (entry.get() == old) {
            entry = replacement;
            return true;
        }
    }
    return false;
}
