#pragma once

#include "JsonNode.h"
#include "OutputActionConfig.h"
#include "SettingsRecord.h"

#include <QJsonObject>
#include <QJsonValue>
#include <QString>

#include <initializer_list>
#include <memory>
#include <utility>

class JsonTextWriter;

// The items of a configuration file: one JSON object per output action or
// per device settings record, chosen by its "TypeId". Writers turn a record
// into its item, readers make a new record from an item; an item a reader
// cannot use gives no record and is skipped by the caller. Stateless.
class ConfigItems
{
public:
    // --- Writers
    // Another type code gives an object with only the three common keys.
    static void writeOutputActionItem(JsonTextWriter &json, const OutputActionConfig &output);
    // Another tag gives an object with only the three common keys.
    static void writeSettingsItem(JsonTextWriter &json, const SettingsRecord &record);
    static void writeDoNothingItem(JsonTextWriter &json);
    // The target of a profile jump: "ProfileIndex", "ProfileName" and
    // "SubProfileIndex".
    static void writeProfileTarget(JsonTextWriter &json, const QString &name, int index, int subIndex);
    // Begins an object with its "$type": "VMouseConfig.", the family
    // ("OutputActionItems", "InputActionTypes"), a point, the class name and
    // ", VMouseConfig".
    static void beginTypedObject(JsonTextWriter &json, const char *family, const char *className);
    // The same items as objects.
    static QJsonObject writeOutputActionItem(const OutputActionConfig &output);
    static QJsonObject writeSettingsItem(const SettingsRecord &record);
    static QJsonObject writeDoNothingItem();

    // --- Readers
    // fileVersion is the "Version" of the file being read (1 when it has
    // none); it decides how DPI selection values are stored. Null for a
    // "TypeId" that names no output kind ("doNothing", settings-only kinds,
    // anything unknown).
    static OutputPtr readOutputActionItem(const JsonNode &item, int fileVersion);
    // Null for a "TypeId" that names no settings kind.
    static std::unique_ptr<SettingsRecord> readSettingsItem(const JsonNode &item, int fileVersion);
    // The same from Qt JSON objects.
    static OutputPtr readOutputActionItem(const QJsonObject &item, int fileVersion);
    static std::unique_ptr<SettingsRecord> readSettingsItem(const QJsonObject &item, int fileVersion);

    // --- Button names of the input types' "Button" object
    // Button 13 (no button) logs a warning; both leave the names empty, as
    // does any number outside 0 to 12.
    static void buttonNames(int button, QString &keyName, QString &id);
    static void buttonWords(int button, const char **keyName, const char **id);
    // 13 (no button) for an id that is not in the table.
    static int buttonFromId(const QString &id);
    static int buttonFromId(const JsonNode &id);

    // --- Enumerations shared with the action mappings
    static QString buttonStateName(int state);
    static int buttonStateFromName(const QString &name); // 1 (tap) when unknown
    static QString selectionTypeName(int type);
    static int selectionTypeFromName(const QString &name); // 0 when unknown

    // --- Number conversion used by every reader
    // The integer part of a JSON number; 0 for anything else (also NaN).
    // Values beyond the 64-bit range are clamped, so cutting the result to
    // a field's width never meets undefined behaviour.
    static qint64 integerOf(const JsonNode &value);
    static qint64 integerOf(const QJsonValue &value);
    // Its low 16 bits, for the fields kept in 16 bits.
    static quint16 word16Of(const JsonNode &value);
    static quint16 word16Of(const QJsonValue &value);

    // --- Range objects ("Range", "Region", "LeftRange", ...)
    // The named bounds as unsigned numbers, and "IsValid" true.
    using Bound = std::pair<const char *, quint16>;
    static void writeBounds(JsonTextWriter &json, std::initializer_list<Bound> bounds);
    static QJsonObject boundsObject(std::initializer_list<Bound> bounds);
    // A bound by name; 0 when it is missing.
    static quint16 boundOf(const JsonNode &range, const char *key);
    static quint16 boundOf(const QJsonObject &range, const char *key);
};
