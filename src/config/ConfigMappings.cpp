#include "ConfigMappings.h"

#include "ConfigItems.h"
#include "EnumText.h"
#include "InputMapAction_Angle.h"
#include "InputMapAction_Button.h"
#include "InputMapAction_Force.h"
#include "InputMapAction_Movement.h"
#include "InputMapAction_Scroll.h"

#include <QJsonArray>

#include <cstddef>

namespace {

const EnumText activeStates[] = {{1, "activeWhenOn"}, {0, "activeWhenOff"}};
const EnumText movementDirections[] = {
    {0, "xNegative"}, {1, "xPositive"}, {2, "yNegative"}, {3, "yPositive"}, {6, "all"}};
const EnumText crossingDirections[] = {{0, "increasing"}, {1, "decreasing"}, {2, "both"}};
const EnumText axes[] = {{0, "roll"}, {1, "pitch"}, {2, "yaw"}};
const EnumText wheelDirections[] = {{0, "forward"}, {1, "back"}, {2, "all"}};

const QString typePrefix = QStringLiteral("VMouseConfig.InputActionTypes.");
const QString typeSuffix = QStringLiteral(", VMouseConfig");

QJsonObject typeObject(const char *className, const char *id, const char *dataType)
{
    QJsonObject type;
    type.insert(QStringLiteral("$type"), typePrefix + QLatin1String(className) + typeSuffix);
    type.insert(QStringLiteral("Id"), QLatin1String(id));
    type.insert(QStringLiteral("DataType"), QLatin1String(dataType));
    type.insert(QStringLiteral("IsValid"), true);
    return type;
}

QJsonObject buttonObject(int button)
{
    QString keyName;
    QString id;
    ConfigItems::buttonNames(button, keyName, id);
    QJsonObject object;
    object.insert(QStringLiteral("KeyName"), keyName);
    object.insert(QStringLiteral("Id"), id);
    object.insert(QStringLiteral("IsValid"), true);
    return object;
}

int buttonOf(const QJsonObject &type)
{
    return ConfigItems::buttonFromId(
        type.value(QStringLiteral("Button")).toObject().value(QStringLiteral("Id")).toString());
}

QString textOf(const QJsonObject &object, const char *key)
{
    return object.value(QLatin1String(key)).toString();
}

// A record of another class than its type code suggests is written with the
// kind's starting values rather than not at all.
template<typename Mapping>
const Mapping *typed(const InputMapActionConfig &mapping, const Mapping &fallback)
{
    if (const auto *record = dynamic_cast<const Mapping *>(&mapping))
        return record;
    return &fallback;
}

void readOutputs(const QJsonArray &items, OutputList &outputs, int fileVersion)
{
    for (const QJsonValue &item : items) {
        if (OutputPtr output = ConfigItems::readOutputActionItem(item.toObject(), fileVersion))
            outputs.append(output);
    }
}

QJsonArray writeOutputs(const OutputList &outputs)
{
    QJsonArray items;
    for (const OutputPtr &output : outputs) {
        if (output)
            items.append(ConfigItems::writeOutputActionItem(*output));
    }
    return items;
}

} // namespace

QJsonObject ConfigMappings::writeInputActionType(const InputMapActionConfig &mapping)
{
    switch (mapping.inputType) {
    case InputType::Button: {
        const InputMapAction_Button starting(mapping.inputType);
        const auto *button = typed(mapping, starting);
        QJsonObject type = typeObject("ButtonToggleInputActionType", "buttonToggle", "trigger");
        type.insert(QStringLiteral("ActiveState"), nameOf(activeStates, button->activeState));
        type.insert(QStringLiteral("Button"), buttonObject(button->buttonId));
        return type;
    }
    case InputType::Movement: {
        const InputMapAction_Movement starting(mapping.inputType);
        const auto *movement = typed(mapping, starting);
        QJsonObject type = typeObject("SurfaceCombinedInputActionType", "surfaceCombined", "twoCount");
        type.insert(QStringLiteral("CountDivisor"), movement->countDivisor.value());
        type.insert(QStringLiteral("Direction"), nameOf(movementDirections, movement->direction));
        type.insert(QStringLiteral("Repeat"), movement->repeat == 1);
        return type;
    }
    case InputType::Scroll: {
        const InputMapAction_Scroll starting(mapping.inputType);
        const auto *scroll = typed(mapping, starting);
        QJsonObject type = typeObject("ScrollInputActionType", "scroll", "oneCount");
        // Spelled so in every file; the movement type has "CountDivisor".
        type.insert(QStringLiteral("CountDivisior"), 1);
        type.insert(QStringLiteral("Repeat"), true);
        type.insert(QStringLiteral("ScrollWheelDirection"), nameOf(wheelDirections, scroll->wheelDirection));
        return type;
    }
    case InputType::ForceRegion: {
        const InputMapAction_Force starting(mapping.inputType);
        const auto *force = typed(mapping, starting);
        QJsonObject type = typeObject("ForceRegionToggleInputActionType", "forceRegionToggle", "trigger");
        type.insert(QStringLiteral("ActiveState"), nameOf(activeStates, force->activeState));
        type.insert(QStringLiteral("Button"), buttonObject(force->buttonId));
        type.insert(QStringLiteral("Direction"), nameOf(crossingDirections, force->forceDirection));
        type.insert(QStringLiteral("Region"),
                    ConfigItems::boundsObject({{"EntryStartPercentageTenths", force->entryStart},
                                               {"EntryEndPercentageTenths", force->entryEnd},
                                               {"ExitStartPercentageTenths", force->exitStart},
                                               {"ExitEndPercentageTenths", force->exitEnd}}));
        return type;
    }
    case InputType::ForceRange: {
        const InputMapAction_Force starting(mapping.inputType);
        const auto *force = typed(mapping, starting);
        QJsonObject type = typeObject("ForceRangeInputActionType", "forceRange", "oneRangeAndRangeInstance");
        type.insert(QStringLiteral("Button"), buttonObject(force->buttonId));
        type.insert(QStringLiteral("Mirrored"), (force->rangeMode & 1) != 0);
        type.insert(QStringLiteral("Range"),
                    ConfigItems::boundsObject(
                        {{"StartPercentageTenths", force->entryStart}, {"EndPercentageTenths", force->entryEnd}}));
        return type;
    }
    case InputType::AngleRegion: {
        const InputMapAction_Angle starting(mapping.inputType);
        const auto *angle = typed(mapping, starting);
        QJsonObject type = typeObject("ImuAngleRegionToggleInputActionType", "imuAngleRegionToggle", "trigger");
        type.insert(QStringLiteral("ActiveState"), nameOf(activeStates, angle->activeState));
        type.insert(QStringLiteral("Axis"), nameOf(axes, angle->axis));
        type.insert(QStringLiteral("Direction"), nameOf(crossingDirections, angle->angleDirection));
        type.insert(QStringLiteral("Region"),
                    ConfigItems::boundsObject({{"EntryStartDegreeTenths", angle->entryStart},
                                               {"EntryEndDegreeTenths", angle->entryEnd},
                                               {"ExitStartDegreeTenths", angle->exitStart},
                                               {"ExitEndDegreeTenths", angle->exitEnd}}));
        return type;
    }
    case InputType::AngleRange: {
        const InputMapAction_Angle starting(mapping.inputType);
        const auto *angle = typed(mapping, starting);
        QJsonObject type = typeObject("ImuAngleRangeInputActionType", "imuAngleRange", "oneRangeAndRangeInstance");
        type.insert(QStringLiteral("Axis"), nameOf(axes, angle->axis));
        type.insert(QStringLiteral("LeftRange"),
                    ConfigItems::boundsObject(
                        {{"StartDegreeTenths", angle->entryStart}, {"EndDegreeTenths", angle->entryEnd}}));
        type.insert(QStringLiteral("Mirrored"), (angle->rangeMode & 1) != 0);
        type.insert(QStringLiteral("RightRange"),
                    ConfigItems::boundsObject(
                        {{"StartDegreeTenths", angle->exitStart}, {"EndDegreeTenths", angle->exitEnd}}));
        return type;
    }
    }
    QJsonObject type;
    type.insert(QStringLiteral("DataType"), QStringLiteral("trigger"));
    type.insert(QStringLiteral("IsValid"), true);
    return type;
}

InputMapPtr ConfigMappings::readInputActionType(const QJsonObject &type)
{
    const QString id = type.value(QStringLiteral("Id")).toString();
    auto activeState = [&type]() { return valueOf(activeStates, textOf(type, "ActiveState"), 1); };

    if (id == QLatin1String("buttonToggle")) {
        auto button = std::make_shared<InputMapAction_Button>(InputType::Button);
        button->activeState = activeState();
        button->buttonId = buttonOf(type);
        return button;
    }
    if (id == QLatin1String("surfaceCombined")) {
        auto movement = std::make_shared<InputMapAction_Movement>(InputType::Movement);
        movement->countDivisor.setValue(ConfigItems::word16Of(type.value(QStringLiteral("CountDivisor"))));
        movement->direction = valueOf(movementDirections, textOf(type, "Direction"), movement->direction);
        movement->repeat = type.value(QStringLiteral("Repeat")).toBool() ? 1 : 0;
        return movement;
    }
    if (id == QLatin1String("scroll")) {
        auto scroll = std::make_shared<InputMapAction_Scroll>(InputType::Scroll);
        // An unknown direction keeps the record's starting direction.
        scroll->wheelDirection =
            valueOf(wheelDirections, textOf(type, "ScrollWheelDirection"), scroll->wheelDirection);
        return scroll;
    }
    if (id == QLatin1String("forceRegionToggle")) {
        auto force = std::make_shared<InputMapAction_Force>(InputType::ForceRegion);
        force->activeState = activeState();
        force->buttonId = buttonOf(type);
        force->forceDirection = valueOf(crossingDirections, textOf(type, "Direction"), 0);
        const QJsonObject region = type.value(QStringLiteral("Region")).toObject();
        force->entryStart = ConfigItems::boundOf(region, "EntryStartPercentageTenths");
        force->entryEnd = ConfigItems::boundOf(region, "EntryEndPercentageTenths");
        force->exitStart = ConfigItems::boundOf(region, "ExitStartPercentageTenths");
        force->exitEnd = ConfigItems::boundOf(region, "ExitEndPercentageTenths");
        return force;
    }
    if (id == QLatin1String("forceRange")) {
        auto force = std::make_shared<InputMapAction_Force>(InputType::ForceRange);
        force->buttonId = buttonOf(type);
        force->rangeMode = type.value(QStringLiteral("Mirrored")).toBool() ? 3 : 4;
        const QJsonObject range = type.value(QStringLiteral("Range")).toObject();
        force->entryStart = ConfigItems::boundOf(range, "StartPercentageTenths");
        force->entryEnd = ConfigItems::boundOf(range, "EndPercentageTenths");
        return force;
    }
    if (id == QLatin1String("imuAngleRegionToggle")) {
        auto angle = std::make_shared<InputMapAction_Angle>(InputType::AngleRegion);
        angle->activeState = activeState();
        angle->axis = valueOf(axes, textOf(type, "Axis"), 0);
        angle->angleDirection = valueOf(crossingDirections, textOf(type, "Direction"), 0);
        const QJsonObject region = type.value(QStringLiteral("Region")).toObject();
        angle->entryStart = ConfigItems::boundOf(region, "EntryStartDegreeTenths");
        angle->entryEnd = ConfigItems::boundOf(region, "EntryEndDegreeTenths");
        angle->exitStart = ConfigItems::boundOf(region, "ExitStartDegreeTenths");
        angle->exitEnd = ConfigItems::boundOf(region, "ExitEndDegreeTenths");
        return angle;
    }
    if (id == QLatin1String("imuAngleRange")) {
        auto angle = std::make_shared<InputMapAction_Angle>(InputType::AngleRange);
        angle->axis = valueOf(axes, textOf(type, "Axis"), 0);
        angle->rangeMode = type.value(QStringLiteral("Mirrored")).toBool() ? 3 : 4;
        const QJsonObject left = type.value(QStringLiteral("LeftRange")).toObject();
        const QJsonObject right = type.value(QStringLiteral("RightRange")).toObject();
        angle->entryStart = ConfigItems::boundOf(left, "StartDegreeTenths");
        angle->entryEnd = ConfigItems::boundOf(left, "EndDegreeTenths");
        angle->exitStart = ConfigItems::boundOf(right, "StartDegreeTenths");
        angle->exitEnd = ConfigItems::boundOf(right, "EndDegreeTenths");
        return angle;
    }
    return InputMapPtr();
}

QJsonObject ConfigMappings::writeActionMapping(const InputMapActionConfig &mapping, const QJsonValue &predecessor,
                                               int predecessorId)
{
    QJsonObject object;
    object.insert(QStringLiteral("Id"), QStringLiteral("1"));
    object.insert(QStringLiteral("ItemType"), QStringLiteral("actionMapping"));
    object.insert(QStringLiteral("ShouldBlockOnActivation"), false);
    object.insert(QStringLiteral("ActionMappingIndexToBlockOnActivation"), 65535);
    object.insert(QStringLiteral("ShouldBlockOnDeactivation"), mapping.blockOnDeactivation != 0);
    object.insert(QStringLiteral("ActionMappingIndexToBlockOnDeactivation"), 65535);
    object.insert(QStringLiteral("OutputActionSequenceDelay"), 0);
    object.insert(QStringLiteral("InputActionType"), writeInputActionType(mapping));
    object.insert(QStringLiteral("Predecessor"), predecessor.isObject() ? predecessor : QJsonValue());
    object.insert(QStringLiteral("PredecessorId"), predecessor.isObject() ? predecessorId : 65535);
    object.insert(QStringLiteral("ActivationOutputName"), mapping.name);
    object.insert(QStringLiteral("ActivationOutputActionItems"), writeOutputs(mapping.activationOutputs));
    object.insert(QStringLiteral("DeactivationOutputActionItems"), writeOutputs(mapping.deactivationOutputs));
    return object;
}

InputMapPtr ConfigMappings::readActionMapping(const QJsonObject &object, int fileVersion)
{
    InputMapPtr mapping = readInputActionType(object.value(QStringLiteral("InputActionType")).toObject());
    if (!mapping)
        return mapping;
    readOutputs(object.value(QStringLiteral("ActivationOutputActionItems")).toArray(), mapping->activationOutputs,
                fileVersion);
    readOutputs(object.value(QStringLiteral("DeactivationOutputActionItems")).toArray(),
                mapping->deactivationOutputs, fileVersion);
    mapping->blockOnDeactivation = object.value(QStringLiteral("ShouldBlockOnDeactivation")).toBool() ? 1 : 0;
    mapping->name = object.value(QStringLiteral("ActivationOutputName")).toString();
    return mapping;
}

QJsonObject ConfigMappings::writeSystemEvent(const QString &code, const QJsonArray &activationItems)
{
    QJsonObject type;
    type.insert(QStringLiteral("$type"), typePrefix + QStringLiteral("SystemEventInputActionType") + typeSuffix);
    type.insert(QStringLiteral("DataType"), QStringLiteral("trigger"));
    type.insert(QStringLiteral("Id"), QStringLiteral("systemEvent"));
    type.insert(QStringLiteral("Code"), code);
    type.insert(QStringLiteral("IsValid"), true);

    QJsonObject object;
    object.insert(QStringLiteral("Id"), QStringLiteral("1"));
    object.insert(QStringLiteral("ItemType"), QStringLiteral("actionMapping"));
    object.insert(QStringLiteral("ShouldBlockOnActivation"), false);
    object.insert(QStringLiteral("ActionMappingIndexToBlockOnActivation"), 65535);
    object.insert(QStringLiteral("ShouldBlockOnDeactivation"), false);
    object.insert(QStringLiteral("ActionMappingIndexToBlockOnDeactivation"), 65535);
    object.insert(QStringLiteral("OutputActionSequenceDelay"), 0);
    object.insert(QStringLiteral("InputActionType"), type);
    object.insert(QStringLiteral("Predecessor"), QJsonValue());
    object.insert(QStringLiteral("PredecessorId"), 65535);
    object.insert(QStringLiteral("ActivationOutputActionItems"), activationItems);
    object.insert(QStringLiteral("DeactivationOutputActionItems"), QJsonArray{ConfigItems::writeDoNothingItem()});
    return object;
}

QJsonObject ConfigMappings::writeBuiltInPointerMapping()
{
    InputMapAction_Movement pointer;
    pointer.direction = 6;
    pointer.countDivisor.setValue(1);
    pointer.repeat = 1;
    return writeActionMapping(pointer, QJsonValue(), 65535);
}

bool ConfigMappings::hasPredecessor(const QJsonObject &object)
{
    const QJsonValue predecessor = object.value(QStringLiteral("Predecessor"));
    return !predecessor.isNull() && !predecessor.isUndefined();
}
