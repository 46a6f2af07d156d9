#include "ConfigMappings.h"

#include "ConfigItems.h"
#include "EnumText.h"
#include "InputMapAction_Angle.h"
#include "InputMapAction_Button.h"
#include "InputMapAction_Force.h"
#include "InputMapAction_Movement.h"
#include "InputMapAction_Scroll.h"
#include "JsonTextWriter.h"
#include "JsonTree.h"

#include <QJsonArray>

#include <cstddef>

namespace {

const EnumText activeStates[] = {{1, "activeWhenOn"}, {0, "activeWhenOff"}};
const EnumText movementDirections[] = {
    {0, "xNegative"}, {1, "xPositive"}, {2, "yNegative"}, {3, "yPositive"}, {6, "all"}};
const EnumText crossingDirections[] = {{0, "increasing"}, {1, "decreasing"}, {2, "both"}};
const EnumText axes[] = {{0, "roll"}, {1, "pitch"}, {2, "yaw"}};
const EnumText wheelDirections[] = {{0, "forward"}, {1, "back"}, {2, "all"}};

// An input type's keys in the order they are written: "$type" (beginType),
// the kind's keys before "DataType", "DataType", the kind's keys before
// "Id", "Id" and "IsValid" (idAndValid), the kind's keys after them, and
// endObject.
void beginType(JsonTextWriter &json, const char *className)
{
    ConfigItems::beginTypedObject(json, "InputActionTypes", className);
}

void idAndValid(JsonTextWriter &json, const char *id)
{
    json.member("Id", id);
    json.member("IsValid", true);
}

void writeButton(JsonTextWriter &json, int button)
{
    const char *keyName = nullptr;
    const char *id = nullptr;
    ConfigItems::buttonWords(button, &keyName, &id);
    json.key("Button");
    json.beginObject();
    json.member("Id", id);
    json.member("IsValid", true);
    json.member("KeyName", keyName);
    json.endObject();
}

int buttonOf(const JsonNode &type)
{
    return ConfigItems::buttonFromId(type.value("Button").toObject().value("Id"));
}

JsonNode textOf(const JsonNode &object, const char *key)
{
    return object.value(QLatin1String(key));
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

void readOutputs(const JsonNode &items, OutputList &outputs, int fileVersion)
{
    for (const JsonNode &item : items) {
        if (OutputPtr output = ConfigItems::readOutputActionItem(item.toObject(), fileVersion))
            outputs.append(output);
    }
}

void writeOutputs(JsonTextWriter &json, const OutputList &outputs)
{
    json.beginArray();
    for (const OutputPtr &output : outputs) {
        if (output)
            ConfigItems::writeOutputActionItem(json, *output);
    }
    json.endArray();
}

// The members every action mapping has, around its own: the two block
// indexes first, the activation items, the name (only user mappings carry
// one), the deactivation items, the input type, the predecessor (written by
// the caller's function, or null), then the block flags.
template<class Activation, class Deactivation, class Type, class Predecessor>
void writeMappingObject(JsonTextWriter &json, const QString *name, Activation activation, Deactivation deactivation,
                        Type type, Predecessor predecessor, bool hasPredecessor, int predecessorId,
                        bool blockOnDeactivation)
{
    json.beginObject();
    json.member("ActionMappingIndexToBlockOnActivation", 65535);
    json.member("ActionMappingIndexToBlockOnDeactivation", 65535);
    json.key("ActivationOutputActionItems");
    activation();
    if (name)
        json.member("ActivationOutputName", *name);
    json.key("DeactivationOutputActionItems");
    deactivation();
    json.member("Id", "1");
    json.key("InputActionType");
    type();
    json.member("ItemType", "actionMapping");
    json.member("OutputActionSequenceDelay", 0);
    json.key("Predecessor");
    if (hasPredecessor)
        predecessor();
    else
        json.null();
    json.member("PredecessorId", hasPredecessor ? predecessorId : 65535);
    json.member("ShouldBlockOnActivation", false);
    json.member("ShouldBlockOnDeactivation", blockOnDeactivation);
    json.endObject();
}

template<class Predecessor>
void writeUserMapping(JsonTextWriter &json, const InputMapActionConfig &mapping, Predecessor predecessor,
                      bool hasPredecessor, int predecessorId)
{
    writeMappingObject(
        json, &mapping.name, [&] { writeOutputs(json, mapping.activationOutputs); },
        [&] { writeOutputs(json, mapping.deactivationOutputs); },
        [&] { ConfigMappings::writeInputActionType(json, mapping); }, predecessor, hasPredecessor, predecessorId,
        mapping.blockOnDeactivation != 0);
}

template<class Activation>
void writeSystemEventObject(JsonTextWriter &json, const QString &code, Activation activation)
{
    writeMappingObject(
        json, nullptr, activation,
        [&] {
            json.beginArray();
            ConfigItems::writeDoNothingItem(json);
            json.endArray();
        },
        [&] {
            beginType(json, "SystemEventInputActionType");
            json.member("Code", code);
            json.member("DataType", "trigger");
            idAndValid(json, "systemEvent");
            json.endObject();
        },
        [] {}, false, 65535, false);
}

} // namespace

void ConfigMappings::writeInputActionType(JsonTextWriter &json, const InputMapActionConfig &mapping)
{
    switch (mapping.inputType) {
    case InputType::Button: {
        const InputMapAction_Button starting(mapping.inputType);
        const auto *button = typed(mapping, starting);
        beginType(json, "ButtonToggleInputActionType");
        json.member("ActiveState", wordOf(activeStates, button->activeState));
        writeButton(json, button->buttonId);
        json.member("DataType", "trigger");
        idAndValid(json, "buttonToggle");
        json.endObject();
        return;
    }
    case InputType::Movement: {
        const InputMapAction_Movement starting(mapping.inputType);
        const auto *movement = typed(mapping, starting);
        beginType(json, "SurfaceCombinedInputActionType");
        json.member("CountDivisor", movement->countDivisor.value());
        json.member("DataType", "twoCount");
        json.member("Direction", wordOf(movementDirections, movement->direction));
        idAndValid(json, "surfaceCombined");
        json.member("Repeat", movement->repeat == 1);
        json.endObject();
        return;
    }
    case InputType::Scroll: {
        const InputMapAction_Scroll starting(mapping.inputType);
        const auto *scroll = typed(mapping, starting);
        beginType(json, "ScrollInputActionType");
        // Spelled so in every file; the movement type has "CountDivisor".
        json.member("CountDivisior", 1);
        json.member("DataType", "oneCount");
        idAndValid(json, "scroll");
        json.member("Repeat", true);
        json.member("ScrollWheelDirection", wordOf(wheelDirections, scroll->wheelDirection));
        json.endObject();
        return;
    }
    case InputType::ForceRegion: {
        const InputMapAction_Force starting(mapping.inputType);
        const auto *force = typed(mapping, starting);
        beginType(json, "ForceRegionToggleInputActionType");
        json.member("ActiveState", wordOf(activeStates, force->activeState));
        writeButton(json, force->buttonId);
        json.member("DataType", "trigger");
        json.member("Direction", wordOf(crossingDirections, force->forceDirection));
        idAndValid(json, "forceRegionToggle");
        json.key("Region");
        ConfigItems::writeBounds(json, {{"EntryStartPercentageTenths", force->entryStart},
                                        {"EntryEndPercentageTenths", force->entryEnd},
                                        {"ExitStartPercentageTenths", force->exitStart},
                                        {"ExitEndPercentageTenths", force->exitEnd}});
        json.endObject();
        return;
    }
    case InputType::ForceRange: {
        const InputMapAction_Force starting(mapping.inputType);
        const auto *force = typed(mapping, starting);
        beginType(json, "ForceRangeInputActionType");
        writeButton(json, force->buttonId);
        json.member("DataType", "oneRangeAndRangeInstance");
        idAndValid(json, "forceRange");
        json.member("Mirrored", (force->rangeMode & 1) != 0);
        json.key("Range");
        ConfigItems::writeBounds(
            json, {{"StartPercentageTenths", force->entryStart}, {"EndPercentageTenths", force->entryEnd}});
        json.endObject();
        return;
    }
    case InputType::AngleRegion: {
        const InputMapAction_Angle starting(mapping.inputType);
        const auto *angle = typed(mapping, starting);
        beginType(json, "ImuAngleRegionToggleInputActionType");
        json.member("ActiveState", wordOf(activeStates, angle->activeState));
        json.member("Axis", wordOf(axes, angle->axis));
        json.member("DataType", "trigger");
        json.member("Direction", wordOf(crossingDirections, angle->angleDirection));
        idAndValid(json, "imuAngleRegionToggle");
        json.key("Region");
        ConfigItems::writeBounds(json, {{"EntryStartDegreeTenths", angle->entryStart},
                                        {"EntryEndDegreeTenths", angle->entryEnd},
                                        {"ExitStartDegreeTenths", angle->exitStart},
                                        {"ExitEndDegreeTenths", angle->exitEnd}});
        json.endObject();
        return;
    }
    case InputType::AngleRange: {
        const InputMapAction_Angle starting(mapping.inputType);
        const auto *angle = typed(mapping, starting);
        beginType(json, "ImuAngleRangeInputActionType");
        json.member("Axis", wordOf(axes, angle->axis));
        json.member("DataType", "oneRangeAndRangeInstance");
        idAndValid(json, "imuAngleRange");
        json.key("LeftRange");
        ConfigItems::writeBounds(json,
                                 {{"StartDegreeTenths", angle->entryStart}, {"EndDegreeTenths", angle->entryEnd}});
        json.member("Mirrored", (angle->rangeMode & 1) != 0);
        json.key("RightRange");
        ConfigItems::writeBounds(json, {{"StartDegreeTenths", angle->exitStart}, {"EndDegreeTenths", angle->exitEnd}});
        json.endObject();
        return;
    }
    }
    json.beginObject();
    json.member("DataType", "trigger");
    json.member("IsValid", true);
    json.endObject();
}

QJsonObject ConfigMappings::writeInputActionType(const InputMapActionConfig &mapping)
{
    return JsonTextWriter::object([&mapping](JsonTextWriter &json) { writeInputActionType(json, mapping); });
}

InputMapPtr ConfigMappings::readInputActionType(const QJsonObject &type)
{
    const JsonTree tree = JsonTree::fromJson(type);
    return readInputActionType(tree.root());
}

InputMapPtr ConfigMappings::readInputActionType(const JsonNode &type)
{
    const JsonNode id = type.value("Id");
    auto activeState = [&type]() { return valueOf(activeStates, textOf(type, "ActiveState"), 1); };

    if (id == QLatin1String("buttonToggle")) {
        auto button = std::make_shared<InputMapAction_Button>(InputType::Button);
        button->activeState = activeState();
        button->buttonId = buttonOf(type);
        return button;
    }
    if (id == QLatin1String("surfaceCombined")) {
        auto movement = std::make_shared<InputMapAction_Movement>(InputType::Movement);
        movement->countDivisor.setValue(ConfigItems::word16Of(type.value("CountDivisor")));
        movement->direction = valueOf(movementDirections, textOf(type, "Direction"), movement->direction);
        movement->repeat = type.value("Repeat").toBool() ? 1 : 0;
        return movement;
    }
    if (id == QLatin1String("scroll")) {
        auto scroll = std::make_shared<InputMapAction_Scroll>(InputType::Scroll);
        // An unknown direction keeps the record's starting direction.
        scroll->wheelDirection = valueOf(wheelDirections, textOf(type, "ScrollWheelDirection"), scroll->wheelDirection);
        return scroll;
    }
    if (id == QLatin1String("forceRegionToggle")) {
        auto force = std::make_shared<InputMapAction_Force>(InputType::ForceRegion);
        force->activeState = activeState();
        force->buttonId = buttonOf(type);
        force->forceDirection = valueOf(crossingDirections, textOf(type, "Direction"), 0);
        const JsonNode region = type.value("Region").toObject();
        force->entryStart = ConfigItems::boundOf(region, "EntryStartPercentageTenths");
        force->entryEnd = ConfigItems::boundOf(region, "EntryEndPercentageTenths");
        force->exitStart = ConfigItems::boundOf(region, "ExitStartPercentageTenths");
        force->exitEnd = ConfigItems::boundOf(region, "ExitEndPercentageTenths");
        return force;
    }
    if (id == QLatin1String("forceRange")) {
        auto force = std::make_shared<InputMapAction_Force>(InputType::ForceRange);
        force->buttonId = buttonOf(type);
        force->rangeMode = type.value("Mirrored").toBool() ? 3 : 4;
        const JsonNode range = type.value("Range").toObject();
        force->entryStart = ConfigItems::boundOf(range, "StartPercentageTenths");
        force->entryEnd = ConfigItems::boundOf(range, "EndPercentageTenths");
        return force;
    }
    if (id == QLatin1String("imuAngleRegionToggle")) {
        auto angle = std::make_shared<InputMapAction_Angle>(InputType::AngleRegion);
        angle->activeState = activeState();
        angle->axis = valueOf(axes, textOf(type, "Axis"), 0);
        angle->angleDirection = valueOf(crossingDirections, textOf(type, "Direction"), 0);
        const JsonNode region = type.value("Region").toObject();
        angle->entryStart = ConfigItems::boundOf(region, "EntryStartDegreeTenths");
        angle->entryEnd = ConfigItems::boundOf(region, "EntryEndDegreeTenths");
        angle->exitStart = ConfigItems::boundOf(region, "ExitStartDegreeTenths");
        angle->exitEnd = ConfigItems::boundOf(region, "ExitEndDegreeTenths");
        return angle;
    }
    if (id == QLatin1String("imuAngleRange")) {
        auto angle = std::make_shared<InputMapAction_Angle>(InputType::AngleRange);
        angle->axis = valueOf(axes, textOf(type, "Axis"), 0);
        angle->rangeMode = type.value("Mirrored").toBool() ? 3 : 4;
        const JsonNode left = type.value("LeftRange").toObject();
        const JsonNode right = type.value("RightRange").toObject();
        angle->entryStart = ConfigItems::boundOf(left, "StartDegreeTenths");
        angle->entryEnd = ConfigItems::boundOf(left, "EndDegreeTenths");
        angle->exitStart = ConfigItems::boundOf(right, "StartDegreeTenths");
        angle->exitEnd = ConfigItems::boundOf(right, "EndDegreeTenths");
        return angle;
    }
    return InputMapPtr();
}

void ConfigMappings::writeActionMapping(JsonTextWriter &json, const InputMapActionConfig &mapping,
                                        const JsonTextWriter::Span *predecessor, int predecessorId)
{
    writeUserMapping(
        json, mapping, [&] { json.copy(*predecessor); }, predecessor != nullptr, predecessorId);
}

QJsonObject ConfigMappings::writeActionMapping(const InputMapActionConfig &mapping, const QJsonValue &predecessor,
                                               int predecessorId)
{
    return JsonTextWriter::object([&](JsonTextWriter &json) {
        writeUserMapping(
            json, mapping, [&] { json.json(predecessor.toObject()); }, predecessor.isObject(), predecessorId);
    });
}

InputMapPtr ConfigMappings::readActionMapping(const QJsonObject &object, int fileVersion)
{
    const JsonTree tree = JsonTree::fromJson(object);
    return readActionMapping(tree.root(), fileVersion);
}

InputMapPtr ConfigMappings::readActionMapping(const JsonNode &object, int fileVersion)
{
    InputMapPtr mapping = readInputActionType(object.value("InputActionType").toObject());
    if (!mapping)
        return mapping;
    readOutputs(object.value("ActivationOutputActionItems").toArray(), mapping->activationOutputs, fileVersion);
    readOutputs(object.value("DeactivationOutputActionItems").toArray(), mapping->deactivationOutputs, fileVersion);
    mapping->blockOnDeactivation = object.value("ShouldBlockOnDeactivation").toBool() ? 1 : 0;
    mapping->name = object.value("ActivationOutputName").toString();
    return mapping;
}

void ConfigMappings::writeSystemEvent(JsonTextWriter &json, const QString &code,
                                      const std::function<void(JsonTextWriter &)> &writeActivationItems)
{
    writeSystemEventObject(json, code, [&] {
        json.beginArray();
        writeActivationItems(json);
        json.endArray();
    });
}

QJsonObject ConfigMappings::writeSystemEvent(const QString &code, const QJsonArray &activationItems)
{
    return JsonTextWriter::object(
        [&](JsonTextWriter &json) { writeSystemEventObject(json, code, [&] { json.json(activationItems); }); });
}

void ConfigMappings::writeBuiltInPointerMapping(JsonTextWriter &json)
{
    InputMapAction_Movement pointer;
    pointer.direction = 6;
    pointer.countDivisor.setValue(1);
    pointer.repeat = 1;
    writeActionMapping(json, pointer, nullptr, 65535);
}

QJsonObject ConfigMappings::writeBuiltInPointerMapping()
{
    return JsonTextWriter::object([](JsonTextWriter &json) { writeBuiltInPointerMapping(json); });
}

bool ConfigMappings::hasPredecessor(const QJsonObject &object)
{
    const QJsonValue predecessor = object.value(QStringLiteral("Predecessor"));
    return !predecessor.isNull() && !predecessor.isUndefined();
}

bool ConfigMappings::hasPredecessor(const JsonNode &object)
{
    const JsonNode predecessor = object.value("Predecessor");
    return !predecessor.isNull() && !predecessor.isUndefined();
}
