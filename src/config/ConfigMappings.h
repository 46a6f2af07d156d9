#pragma once

#include "InputMapActionConfig.h"

#include <QJsonObject>
#include <QJsonValue>
#include <QString>

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
    static QJsonObject writeInputActionType(const InputMapActionConfig &mapping);
    // A new mapping of the kind that "Id" names, filled from the object; null
    // when "Id" names none of the seven input kinds.
    static InputMapPtr readInputActionType(const QJsonObject &type);

    // The action mapping object; predecessor is null for a top-level mapping
    // (with predecessorId 65535), otherwise the parent's own object.
    static QJsonObject writeActionMapping(const InputMapActionConfig &mapping, const QJsonValue &predecessor,
                                          int predecessorId);
    // A new mapping with its outputs, block flag and name, not linked to any
    // parent; null when its input type names no kind. fileVersion as for
    // ConfigItems::readOutputActionItem.
    static InputMapPtr readActionMapping(const QJsonObject &object, int fileVersion);

    // A system-event mapping ("configSet", "profileChanged") with the given
    // press items and one do-nothing release item.
    static QJsonObject writeSystemEvent(const QString &code, const QJsonArray &activationItems);

    // The fixed pointer mapping that the global profile always carries on
    // the mouse: any movement moves the pointer.
    static QJsonObject writeBuiltInPointerMapping();

    // Whether "Predecessor" holds a parent (anything but null or missing).
    static bool hasPredecessor(const QJsonObject &object);
};
