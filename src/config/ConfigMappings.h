#pragma once

#include "InputMapActionConfig.h"
#include "JsonNode.h"
#include "JsonTextWriter.h"

#include <QJsonObject>
#include <QJsonValue>
#include <QString>

#include <functional>

// One action mapping of a configuration file and its input type: the
// conversion between an input mapping record (without its children) and its
// JSON object. Nesting is the business of ConfigMappingWriter and
// ConfigMappingReader. Stateless.
class ConfigMappings
{
public:
    // The "InputActionType" object of a mapping, chosen by its input type
    // code. A code of no known kind gives an object without "Id", which
    // reads back as no mapping.
    static void writeInputActionType(JsonTextWriter &json, const InputMapActionConfig &mapping);
    static QJsonObject writeInputActionType(const InputMapActionConfig &mapping);
    // A new mapping of the kind that "Id" names, filled from the object; null
    // when "Id" names none of the seven input kinds.
    static InputMapPtr readInputActionType(const JsonNode &type);
    static InputMapPtr readInputActionType(const QJsonObject &type);

    // The action mapping object; predecessor is null for a top-level mapping
    // (with predecessorId 65535), otherwise the parent's own object, written
    // before by the same writer.
    static void writeActionMapping(JsonTextWriter &json, const InputMapActionConfig &mapping,
                                   const JsonTextWriter::Span *predecessor, int predecessorId);
    // The same with the parent's object as a Qt JSON value (not an object:
    // no predecessor).
    static QJsonObject writeActionMapping(const InputMapActionConfig &mapping, const QJsonValue &predecessor,
                                          int predecessorId);
    // A new mapping with its outputs, block flag and name, not linked to any
    // parent; null when its input type names no kind. fileVersion as for
    // ConfigItems::readOutputActionItem.
    static InputMapPtr readActionMapping(const JsonNode &object, int fileVersion);
    static InputMapPtr readActionMapping(const QJsonObject &object, int fileVersion);

    // A system-event mapping ("configSet", "profileChanged") with the press
    // items writeActivationItems writes into their array and one do-nothing
    // release item.
    static void writeSystemEvent(JsonTextWriter &json, const QString &code,
                                 const std::function<void(JsonTextWriter &)> &writeActivationItems);
    static QJsonObject writeSystemEvent(const QString &code, const QJsonArray &activationItems);

    // The fixed pointer mapping that the global profile always carries on
    // the mouse: any movement moves the pointer.
    static void writeBuiltInPointerMapping(JsonTextWriter &json);
    static QJsonObject writeBuiltInPointerMapping();

    // Whether "Predecessor" holds a parent (anything but null or missing).
    static bool hasPredecessor(const JsonNode &object);
    static bool hasPredecessor(const QJsonObject &object);
};
