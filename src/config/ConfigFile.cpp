#include "ConfigFile.h"

#include "ConfigItems.h"
#include "ConfigMappingReader.h"
#include "ConfigMappingWriter.h"
#include "ConfigMappings.h"
#include "JsonTextWriter.h"
#include "JsonTree.h"
#include "LastSelectedEntry.h"
#include "PackageCreator.h"
#include "ProfileData.h"
#include "SafeFile.h"
#include "SharedConstants.h"
#include "StartLoad.h"

#include <QDebug>

#include <algorithm>
#include <limits>
#include <vector>

namespace {

const char firstLine[] = "json,2,4\n";
const char *const emptyDate = "0001-01-01T00:00:00+00:00";
const char *const mappingListType = "VMouseConfig.Items.UserConfigurationGroupItem+ActionMappingList, VMouseConfig";

// A profile index of the file: a number keeps its low byte; anything else
// (null, missing, another type) means none.
int profileIndexOf(const JsonNode &value)
{
    return value.isDouble() ? quint8(ConfigItems::integerOf(value)) : 255;
}

// A top-level group to write and the sub-profiles written inside it.
struct WrittenGroup
{
    const ProfileData *profile;
    std::vector<const ProfileData *> subProfiles;
};

} // namespace

ConfigFile *ConfigFile::instance()
{
    static ConfigFile file;
    return &file;
}

ConfigFile::ConfigFile()
    : m_model(PackageCreator::instance())
{
    makeFolders();
}

ConfigFile::~ConfigFile() = default;

// ---------------------------------------------------------------- files

QByteArray ConfigFile::writeBytes(const Selection &selection)
{
    // The buffer of the last write is used again once its caller let go of
    // it (as saveToFile does): a large file then costs no fresh memory.
    if (!m_buffer.isDetached())
        m_buffer = QByteArray();
    m_buffer.resize(0);
    // A file is mostly written again at about the size it had.
    m_buffer.reserve(m_sizeHint + m_sizeHint / 8);
    JsonTextWriter json(m_buffer);
    json.raw(firstLine, int(sizeof firstLine) - 1);
    writeDocument(json, selection);
    json.raw("\n", 1);
    json.finish();
    m_sizeHint = m_buffer.size();
    return m_buffer;
}

bool ConfigFile::loadFile(const QString &path, bool readRoot, const Selection &selection)
{
    QByteArray data;
    return SafeFile::read(path, &data) && loadBytes(data, readRoot, selection);
}

bool ConfigFile::loadBytes(const QByteArray &data, bool readRoot, const Selection &selection)
{
    // One pass over the file's own bytes, without a copy.
    const int start = documentStart(data);
    JsonTree tree;
    if (start >= 0)
        tree.parse(data, start);
    return readParsed(data, start, tree, readRoot, selection);
}

int ConfigFile::documentStart(const QByteArray &data)
{
    // Whatever stands before the document is ignored, but a NUL byte there
    // (or no document at all) means the file is not a configuration file.
    for (int i = 0; i < data.size(); ++i) {
        if (data.at(i) == '{')
            return i;
        if (data.at(i) == '\0')
            break;
    }
    return -1;
}

bool ConfigFile::readParsed(const QByteArray &data, int start, const JsonTree &tree, bool readRoot,
                            const Selection &selection)
{
    if (start < 0) {
        qWarning() << "ConfigFile: Null character found at start of file";
        return false;
    }
    if (tree.root().isUndefined()) {
        qWarning().noquote() << "ConfigFile: load error" << tree.error().errorString();
        return false;
    }
    m_sizeHint = data.size();
    m_readRoot = readRoot;
    readConfig(tree.root().toObject(), selection);
    return true;
}

// ---------------------------------------------------------------- writing

void ConfigFile::writeDocument(JsonTextWriter &json, Selection selection) const
{
    const ProfileData *const global = m_model->globalProfile();
    const bool rootWritten = (selection.isEmpty() || selection.first() != 0) && global;
    if (!selection.isEmpty())
        selection.removeFirst();

    // Which groups go where, first: a top-level group holds its sub-profiles.
    // A profile with the index of the top-level profile before it is its
    // sub-profile, written only where its parent was.
    std::vector<WrittenGroup> topGroups;
    int lastTopLevelIndex = -1;
    bool parentWritten = false;
    const QList<ProfileData *> profiles = m_model->profiles();
    for (const ProfileData *profile : profiles) {
        const bool chosen = selection.isEmpty() || selection.first() != 0;
        if (profile->index == lastTopLevelIndex) {
            if (chosen && parentWritten)
                topGroups.back().subProfiles.push_back(profile);
        } else {
            lastTopLevelIndex = profile->index;
            parentWritten = chosen;
            if (chosen)
                topGroups.push_back(WrittenGroup{profile, {}});
        }
        if (!selection.isEmpty())
            selection.removeFirst();
    }

    json.beginObject();
    json.key("RootProfile");
    writeGroup(json, rootWritten ? global : nullptr, true, [&] {
        for (const WrittenGroup &group : topGroups) {
            if (group.subProfiles.empty()) {
                writeGroup(json, group.profile, false);
                continue;
            }
            writeGroup(json, group.profile, false, [&] {
                for (const ProfileData *sub : group.subProfiles)
                    writeGroup(json, sub, false);
            });
        }
    });
    json.member("Version", writtenVersion);
    json.endObject();
}

void ConfigFile::writeGroup(JsonTextWriter &json, const ProfileData *profile, bool isRoot,
                            const std::function<void()> &writeGroups) const
{
    // The members in key order. A null profile is the placeholder.
    json.beginObject();
    json.key("ActionMappings");
    json.beginObject();
    json.member("$type", mappingListType);
    json.key("$values");
    json.beginArray();
    if (profile)
        writeMappingList(json, *profile, isRoot);
    json.endArray();
    json.endObject();

    json.key("Applications");
    json.beginArray();
    if (profile) {
        for (int i = 0; i < profile->linkedAppPaths.size(); ++i) {
            json.beginObject();
            json.member("Name", profile->linkedAppNames.value(i));
            json.member("Path", profile->linkedAppPaths.at(i));
            json.endObject();
        }
    }
    json.endArray();
    json.member("CreationDate", emptyDate);
    json.nullMember("CreationUser");
    json.nullMember("Description");
    if (writeGroups) {
        json.key("Groups");
        json.beginArray();
        writeGroups();
        json.endArray();
    }
    json.member("InfoProperties", profile ? "hasName" : "none");
    json.member("ItemCount", profile ? int(m_model->itemCount()) : 1);
    json.member("ItemType", "group");
    json.member("ModificationDate", emptyDate);
    json.nullMember("ModificationUser");
    json.key("Name");
    if (profile)
        json.string(profile->name);
    else
        json.null();
    json.nullMember("ShortName");
    json.endObject();
}

void ConfigFile::writeMappingList(JsonTextWriter &json, const ProfileData &profile, bool isGlobal) const
{
    // The order of the list is the order of the profile's items on the mouse:
    // the built-in events and the pointer mapping, then the user's mappings.
    ConfigMappingWriter writer(json);
    if (isGlobal) {
        writeConfigSet(json);
        writer.countElement();
    }
    if (profile.hasOwnSettings()) {
        writeProfileChanged(json, profile);
        writer.countElement();
    }
    if (profile.hasInputMaps()) {
        if (isGlobal) {
            ConfigMappings::writeBuiltInPointerMapping(json);
            writer.countElement();
        }
        for (const InputMapPtr &mapping : profile.inputMaps) {
            if (mapping)
                writer.appendTree(*mapping);
        }
    }
}

void ConfigFile::writeConfigSet(JsonTextWriter &json) const
{
    const ProfileData *defaultProfile = nullptr;
    QList<ProfileData *> candidates = m_model->profiles();
    candidates.prepend(m_model->globalProfile());
    for (const ProfileData *profile : qAsConst(candidates)) {
        if (profile && profile->isDefault) {
            defaultProfile = profile;
            break;
        }
    }

    ConfigMappings::writeSystemEvent(json, QStringLiteral("configSet"), [&](JsonTextWriter &items) {
        items.beginObject();
        items.member("$type", "VMouseConfig.OutputActionItems.ProfileJumpOutputActionItem, VMouseConfig");
        items.member("DataType", "trigger");
        items.member("IsAuto", m_model->autoSwitching());
        items.member("IsValid", true);
        items.member("ItemType", "outputAction");
        items.key("LastSelected");
        items.beginArray();
        const QList<LastSelectedEntry> entries = m_model->lastSelectedList();
        for (const LastSelectedEntry &entry : entries) {
            items.beginObject();
            items.key("Key");
            items.beginObject();
            items.nullMember("Name");
            items.member("Path", entry.path);
            items.endObject();
            items.key("Value");
            items.beginObject();
            items.member("ProfileIndex", int(entry.profileIndex));
            items.nullMember("ProfileName");
            items.member("SubProfileIndex", int(entry.value));
            items.endObject();
            items.endObject();
        }
        items.endArray();
        items.key("ProfileJumpId");
        if (defaultProfile)
            ConfigItems::writeProfileTarget(items, defaultProfile->name, defaultProfile->index,
                                            defaultProfile->subIndex);
        else
            ConfigItems::writeProfileTarget(items, globalProfileName, 255, 255);
        items.member("TypeId", "profileJump");
        items.endObject();
    });
}

void ConfigFile::writeProfileChanged(JsonTextWriter &json, const ProfileData &profile) const
{
    ConfigMappings::writeSystemEvent(json, QStringLiteral("profileChanged"), [&](JsonTextWriter &items) {
        for (const SettingsRecord *record : profile.settingsRecords) {
            if (record)
                ConfigItems::writeSettingsItem(items, *record);
        }
        bool anyOutput = false;
        for (const OutputPtr &output : profile.profileOutputs) {
            if (output) {
                ConfigItems::writeOutputActionItem(items, *output);
                anyOutput = true;
            }
        }
        if (!anyOutput)
            ConfigItems::writeDoNothingItem(items);
    });
}

QJsonArray ConfigFile::writeMappingTree(const InputMapActionConfig &mapping)
{
    return JsonTextWriter::array([&mapping](JsonTextWriter &json) {
        json.beginArray();
        ConfigMappingWriter(json).appendTree(mapping);
        json.endArray();
    });
}

// ---------------------------------------------------------------- reading

bool ConfigFile::selected() const
{
    return m_selection.isEmpty() || m_selection.first() != 0;
}

void ConfigFile::dropFlag()
{
    if (!m_selection.isEmpty())
        m_selection.removeFirst();
}

void ConfigFile::readConfig(const QJsonObject &document, const Selection &selection)
{
    const JsonTree tree = JsonTree::fromJson(document);
    readConfig(tree.root(), selection);
}

int ConfigFile::fileVersionOf(const JsonNode &document)
{
    const JsonNode version = document.value("Version");
    return version.isDouble() ? int(std::clamp<qint64>(ConfigItems::integerOf(version), std::numeric_limits<int>::min(),
                                                       std::numeric_limits<int>::max()))
                              : 1;
}

void ConfigFile::readConfig(const JsonNode &document, const Selection &selection)
{
    m_readVersion = fileVersionOf(document);
    m_selection = selection;
    // A file that names no default names the global profile, not the one
    // the file read before it named.
    m_defaultIndex = 255;
    m_defaultSubIndex = 255;
    readGroupAt(document.value("RootProfile").toObject(), true, 0);
    m_selection.clear();
    m_readRoot = true;

    if (emitInitialDefault && !globalOnly) {
        if (overrideIndex >= 0)
            emit setInitialDefault(overrideIndex, overrideSubIndex);
        else
            emit setInitialDefault(m_defaultIndex, m_defaultSubIndex);
    }
}

void ConfigFile::readGroup(const QJsonObject &group, bool isRoot)
{
    const JsonTree tree = JsonTree::fromJson(group);
    readGroupAt(tree.root(), isRoot, isRoot ? 0 : 1);
}

void ConfigFile::readGroupAt(const JsonNode &group, bool isRoot, int depth)
{
    if (m_readRoot && selected())
        readGroupContents(group);
    m_readRoot = true;
    dropFlag();
    if (globalOnly)
        return;

    const JsonNode groups = group.value("Groups").toArray();
    if (groups.isEmpty())
        return;
    if (depth >= deepestGroup) {
        // Profiles nest two levels deep; a group below a sub-profile has no
        // place in the model, and reading it would overwrite the sub-profile.
        qWarning() << "ConfigFile: groups below a sub-profile ignored -" << group.value("Name").toString();
        for (const JsonNode &child : groups)
            skipGroup(child.toObject());
        return;
    }

    const QString name = group.value("Name").toString();
    for (const JsonNode &value : groups) {
        const JsonNode child = value.toObject();
        if (selected()) {
            QString parent;
            if (!isRoot) {
                parent = name;
                const ProfileData *last = m_model->lastTopLevelProfile();
                if (insertionCount > 0 && last)
                    parent = last->name;
            }
            emit profileFromFile(child.value("Name").toString(), parent);
        }
        readGroupAt(child, false, depth + 1);
    }
}

void ConfigFile::skipGroup(const JsonNode &group)
{
    dropFlag();
    const JsonNode groups = group.value("Groups").toArray();
    for (const JsonNode &child : groups)
        skipGroup(child.toObject());
}

void ConfigFile::readGroupContents(const JsonNode &group)
{
    const JsonNode apps = group.value("Applications").toArray();
    if (!apps.isEmpty()) {
        QStringList paths;
        QStringList names;
        for (const JsonNode &value : apps) {
            const JsonNode app = value.toObject();
            names.append(app.value("Name").toString());
            paths.append(app.value("Path").toString());
        }
        m_model->setLinkedApps(paths, names);
    }

    const MappingList list = mappingsOf(group);
    for (const JsonNode &element : list.systemEvents) {
        const JsonNode code = element.value("InputActionType").toObject().value("Code");
        if (code == QLatin1String("configSet"))
            readConfigSet(element);
        else if (code == QLatin1String("profileChanged"))
            readProfileChanged(element);
    }
    m_model->setInputMaps(list.topLevel);
}

ConfigFile::MappingList ConfigFile::mappingsOf(const JsonNode &group)
{
    MappingList list;
    if (m_readingAhead && m_readingAhead->takeMappings(group, &list))
        return list;
    return readMappingList(group, m_readVersion);
}

ConfigFile::MappingList ConfigFile::readMappingList(const JsonNode &group, int fileVersion)
{
    // Top-level movement mappings are left out: the only one a profile has
    // is the built-in pointer mapping, which every write adds anew. A system
    // event takes its place in the list without being a mapping.
    MappingList list;
    ConfigMappingReader reader(fileVersion, true, true);
    for (const JsonNode &value : group.value("ActionMappings").toObject().value("$values").toArray()) {
        const JsonNode element = value.toObject();
        if (element.value("InputActionType").toObject().value("Id") == QLatin1String("systemEvent")) {
            list.systemEvents.push_back(element);
            reader.skip();
        } else {
            reader.read(element);
        }
    }
    list.topLevel = reader.topLevel();
    return list;
}

void ConfigFile::readConfigSet(const JsonNode &element)
{
    const JsonNode items = element.value("ActivationOutputActionItems").toArray();
    for (const JsonNode &value : items) {
        const JsonNode item = value.toObject();
        if (item.value("TypeId") == QLatin1String("profileJump")) {
            const JsonNode target = item.value("ProfileJumpId").toObject();
            m_defaultIndex = profileIndexOf(target.value("ProfileIndex"));
            m_defaultSubIndex = profileIndexOf(target.value("SubProfileIndex"));
        }
        m_model->setAutoSwitching(item.value("IsAuto").toBool());
        const JsonNode entries = item.value("LastSelected").toArray();
        for (const JsonNode &entryValue : entries) {
            const JsonNode entryObject = entryValue.toObject();
            const JsonNode profile = entryObject.value("Value").toObject();
            LastSelectedEntry entry;
            entry.path = entryObject.value("Key").toObject().value("Path").toString();
            entry.profileIndex = quint8(ConfigItems::integerOf(profile.value("ProfileIndex")));
            entry.value = quint8(ConfigItems::integerOf(profile.value("SubProfileIndex")));
            m_model->lastSelected(entry);
        }
    }
}

void ConfigFile::readProfileChanged(const JsonNode &element)
{
    // The first eight items are the settings records; only those that can be
    // read replace the profile's values, so a short, old or hand-edited list
    // leaves the rest as they were.
    constexpr int settingsItems = 8;
    int position = 0;
    OutputList outputs;
    for (const JsonNode &item : element.value("ActivationOutputActionItems").toArray()) {
        if (position++ < settingsItems) {
            if (auto record = ConfigItems::readSettingsItem(item.toObject(), m_readVersion))
                m_model->setSettingsRecord(*record);
        } else if (OutputPtr output = ConfigItems::readOutputActionItem(item.toObject(), m_readVersion)) {
            outputs.append(output);
        }
    }
    m_model->setOwnSettings(true, false);

    // A profile whose list held no usable DPI levels still gets a valid record.
    if (ProfileData *profile = m_model->currentProfile()) {
        if (!profile->dpiRecord.isValid())
            m_model->setSettingsRecord(DpiConfigureRecord(profile->dpiRecord));
    }
    m_model->setProfileOutputs(outputs);
}

InputMapPtr ConfigFile::readActionMappingList(const QJsonArray &array, int fileVersion)
{
    const JsonTree tree = JsonTree::fromJson(array);
    ConfigMappingReader reader(fileVersion, false, false);
    for (const JsonNode &value : tree.root())
        reader.read(value.toObject());
    return reader.lastRoot();
}
