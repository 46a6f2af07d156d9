#include "ConfigFile.h"

#include "ConfigItems.h"
#include "ConfigMappingReader.h"
#include "ConfigMappingWriter.h"
#include "ConfigMappings.h"
#include "LastSelectedEntry.h"
#include "PackageCreator.h"
#include "ProfileData.h"
#include "SharedConstants.h"

#include <QDebug>
#include <QFile>
#include <QJsonDocument>
#include <QJsonParseError>

#include <algorithm>
#include <limits>

namespace {

const QByteArray firstLine = QByteArrayLiteral("json,2,4\n");
const QString emptyDate = QStringLiteral("0001-01-01T00:00:00+00:00");
const QString mappingListType =
    QStringLiteral("VMouseConfig.Items.UserConfigurationGroupItem+ActionMappingList, VMouseConfig");

// A profile index of the file: a number keeps its low byte; anything else
// (null, missing, another type) means none.
int profileIndexOf(const QJsonValue &value)
{
    return value.isDouble() ? quint8(ConfigItems::integerOf(value)) : 255;
}

QJsonObject groupObject(const QJsonValue &name, const QString &info, int itemCount, const QJsonArray &apps,
                        const QJsonArray &mappings)
{
    QJsonObject group;
    group.insert(QStringLiteral("InfoProperties"), info);
    group.insert(QStringLiteral("Name"), name);
    group.insert(QStringLiteral("ShortName"), QJsonValue());
    group.insert(QStringLiteral("Description"), QJsonValue());
    group.insert(QStringLiteral("CreationUser"), QJsonValue());
    group.insert(QStringLiteral("ModificationUser"), QJsonValue());
    group.insert(QStringLiteral("CreationDate"), emptyDate);
    group.insert(QStringLiteral("ModificationDate"), emptyDate);
    group.insert(QStringLiteral("Applications"), apps);
    group.insert(QStringLiteral("ItemType"), QStringLiteral("group"));
    group.insert(QStringLiteral("ItemCount"), itemCount);
    QJsonObject list;
    list.insert(QStringLiteral("$type"), mappingListType);
    list.insert(QStringLiteral("$values"), mappings);
    group.insert(QStringLiteral("ActionMappings"), list);
    return group;
}

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
    QJsonObject document;
    writeConfig(document, selection);
    return firstLine + QJsonDocument(document).toJson(QJsonDocument::Indented);
}

bool ConfigFile::loadFile(const QString &path, bool readRoot, const Selection &selection)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray data = file.readAll();
    file.close();
    return loadBytes(data, readRoot, selection);
}

bool ConfigFile::loadBytes(const QByteArray &data, bool readRoot, const Selection &selection)
{
    // Whatever stands before the document is ignored, but a NUL byte there
    // (or no document at all) means the file is not a configuration file.
    int start = -1;
    for (int i = 0; i < data.size(); ++i) {
        if (data.at(i) == '{') {
            start = i;
            break;
        }
        if (data.at(i) == '\0')
            break;
    }
    if (start < 0) {
        qWarning() << "ConfigFile: Null character found at start of file";
        return false;
    }

    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(data.mid(start), &error);
    if (error.error != QJsonParseError::NoError) {
        qWarning() << "ConfigFile: load error" << error.errorString();
        return false;
    }
    m_readRoot = readRoot;
    readConfig(document.object(), selection);
    return true;
}

// ---------------------------------------------------------------- writing

void ConfigFile::writeConfig(QJsonObject &document, Selection selection)
{
    ProfileData *const remembered = m_model->currentProfile();
    ProfileData *const global = m_model->globalProfile();

    QJsonObject root;
    if ((selection.isEmpty() || selection.first() != 0) && global) {
        m_model->setCurrentProfile(global);
        root = writeProfile(global, true);
    } else {
        root = writeGroup();
    }
    if (!selection.isEmpty())
        selection.removeFirst();

    QList<QJsonObject> topGroups;
    int lastTopLevelIndex = -1;
    bool parentWritten = false;
    const QList<ProfileData *> profiles = m_model->profiles();
    for (ProfileData *profile : profiles) {
        m_model->setCurrentProfile(profile);
        const bool chosen = selection.isEmpty() || selection.first() != 0;
        if (profile->index == lastTopLevelIndex) {
            // A sub-profile goes only where its parent went.
            if (chosen && parentWritten && !topGroups.isEmpty()) {
                QJsonObject &parent = topGroups.last();
                QJsonArray groups = parent.value(QStringLiteral("Groups")).toArray();
                groups.append(writeProfile(profile, false));
                parent.insert(QStringLiteral("Groups"), groups);
            }
        } else {
            lastTopLevelIndex = profile->index;
            parentWritten = chosen;
            if (chosen)
                topGroups.append(writeProfile(profile, false));
        }
        if (!selection.isEmpty())
            selection.removeFirst();
    }

    QJsonArray groups;
    for (const QJsonObject &group : qAsConst(topGroups))
        groups.append(group);
    root.insert(QStringLiteral("Groups"), groups);

    document.insert(QStringLiteral("Version"), writtenVersion);
    document.insert(QStringLiteral("RootProfile"), root);
    m_model->setCurrentProfile(remembered);
}

QJsonObject ConfigFile::writeGroup()
{
    return groupObject(QJsonValue(), QStringLiteral("none"), 1, QJsonArray(), QJsonArray());
}

QJsonObject ConfigFile::writeProfile(const ProfileData *profile, bool isGlobal) const
{
    if (!profile)
        return writeGroup();

    QJsonArray apps;
    for (int i = 0; i < profile->linkedAppPaths.size(); ++i) {
        QJsonObject app;
        app.insert(QStringLiteral("Name"), profile->linkedAppNames.value(i));
        app.insert(QStringLiteral("Path"), profile->linkedAppPaths.at(i));
        apps.append(app);
    }

    // The order of the list is the order of the profile's items on the mouse:
    // the built-in events and the pointer mapping, then the user's mappings.
    ConfigMappingWriter writer;
    if (isGlobal)
        writer.append(configSetMapping());
    if (profile->hasOwnSettings())
        writer.append(profileChangedMapping(*profile));
    if (profile->hasInputMaps()) {
        if (isGlobal)
            writer.append(ConfigMappings::writeBuiltInPointerMapping());
        for (const InputMapPtr &mapping : profile->inputMaps) {
            if (mapping)
                writer.appendTree(*mapping);
        }
    }
    return groupObject(profile->name, QStringLiteral("hasName"), m_model->itemCount(), apps, writer.list());
}

QJsonObject ConfigFile::configSetMapping() const
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
    QJsonObject target;
    target.insert(QStringLiteral("ProfileName"), defaultProfile ? defaultProfile->name : globalProfileName);
    target.insert(QStringLiteral("ProfileIndex"), defaultProfile ? defaultProfile->index : 255);
    target.insert(QStringLiteral("SubProfileIndex"), defaultProfile ? defaultProfile->subIndex : 255);

    QJsonArray lastSelected;
    const QList<LastSelectedEntry> entries = m_model->lastSelectedList();
    for (const LastSelectedEntry &entry : entries) {
        QJsonObject key;
        key.insert(QStringLiteral("Name"), QJsonValue());
        key.insert(QStringLiteral("Path"), entry.path);
        QJsonObject value;
        value.insert(QStringLiteral("ProfileName"), QJsonValue());
        value.insert(QStringLiteral("ProfileIndex"), entry.profileIndex);
        value.insert(QStringLiteral("SubProfileIndex"), entry.value);
        lastSelected.append(QJsonObject{{QStringLiteral("Key"), key}, {QStringLiteral("Value"), value}});
    }

    QJsonObject jump;
    jump.insert(QStringLiteral("$type"),
                QStringLiteral("VMouseConfig.OutputActionItems.ProfileJumpOutputActionItem, VMouseConfig"));
    jump.insert(QStringLiteral("DataType"), QStringLiteral("trigger"));
    jump.insert(QStringLiteral("TypeId"), QStringLiteral("profileJump"));
    jump.insert(QStringLiteral("ProfileJumpId"), target);
    jump.insert(QStringLiteral("IsAuto"), m_model->autoSwitching());
    jump.insert(QStringLiteral("LastSelected"), lastSelected);
    jump.insert(QStringLiteral("ItemType"), QStringLiteral("outputAction"));
    jump.insert(QStringLiteral("IsValid"), true);
    return ConfigMappings::writeSystemEvent(QStringLiteral("configSet"), QJsonArray{jump});
}

QJsonObject ConfigFile::profileChangedMapping(const ProfileData &profile) const
{
    QJsonArray items;
    for (const SettingsRecord *record : profile.settingsRecords) {
        if (record)
            items.append(ConfigItems::writeSettingsItem(*record));
    }
    const int settingsCount = items.size();
    for (const OutputPtr &output : profile.profileOutputs) {
        if (output)
            items.append(ConfigItems::writeOutputActionItem(*output));
    }
    if (items.size() == settingsCount)
        items.append(ConfigItems::writeDoNothingItem());
    return ConfigMappings::writeSystemEvent(QStringLiteral("profileChanged"), items);
}

QJsonArray ConfigFile::writeMappingTree(const InputMapActionConfig &mapping)
{
    ConfigMappingWriter writer;
    writer.appendTree(mapping);
    return writer.list();
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
    const QJsonValue version = document.value(QStringLiteral("Version"));
    m_readVersion = version.isDouble()
                        ? int(std::clamp<qint64>(ConfigItems::integerOf(version), std::numeric_limits<int>::min(),
                                                 std::numeric_limits<int>::max()))
                        : 1;
    m_selection = selection;
    readGroupAt(document.value(QStringLiteral("RootProfile")).toObject(), true, 0);
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
    readGroupAt(group, isRoot, isRoot ? 0 : 1);
}

void ConfigFile::readGroupAt(const QJsonObject &group, bool isRoot, int depth)
{
    if (m_readRoot && selected())
        readGroupContents(group);
    m_readRoot = true;
    dropFlag();
    if (globalOnly)
        return;

    const QJsonArray groups = group.value(QStringLiteral("Groups")).toArray();
    if (groups.isEmpty())
        return;
    if (depth >= 2) {
        // Profiles nest two levels deep; a group below a sub-profile has no
        // place in the model, and reading it would overwrite the sub-profile.
        qWarning() << "ConfigFile: groups below a sub-profile ignored -" << group.value(QStringLiteral("Name")).toString();
        for (const QJsonValue &child : groups)
            skipGroup(child.toObject());
        return;
    }

    const QString name = group.value(QStringLiteral("Name")).toString();
    for (const QJsonValue &value : groups) {
        const QJsonObject child = value.toObject();
        if (selected()) {
            QString parent;
            if (!isRoot) {
                parent = name;
                const ProfileData *last = m_model->lastTopLevelProfile();
                if (insertionCount > 0 && last)
                    parent = last->name;
            }
            emit profileFromFile(child.value(QStringLiteral("Name")).toString(), parent);
        }
        readGroupAt(child, false, depth + 1);
    }
}

void ConfigFile::skipGroup(const QJsonObject &group)
{
    dropFlag();
    const QJsonArray groups = group.value(QStringLiteral("Groups")).toArray();
    for (const QJsonValue &child : groups)
        skipGroup(child.toObject());
}

void ConfigFile::readGroupContents(const QJsonObject &group)
{
    const QJsonArray apps = group.value(QStringLiteral("Applications")).toArray();
    if (!apps.isEmpty()) {
        QStringList paths;
        QStringList names;
        for (const QJsonValue &value : apps) {
            const QJsonObject app = value.toObject();
            names.append(app.value(QStringLiteral("Name")).toString());
            paths.append(app.value(QStringLiteral("Path")).toString());
        }
        m_model->setLinkedApps(paths, names);
    }

    // Top-level movement mappings are left out: the only one a profile has
    // is the built-in pointer mapping, which every write adds anew.
    ConfigMappingReader reader(m_readVersion, true, true);
    const QJsonArray values =
        group.value(QStringLiteral("ActionMappings")).toObject().value(QStringLiteral("$values")).toArray();
    for (const QJsonValue &value : values) {
        const QJsonObject element = value.toObject();
        const QJsonObject type = element.value(QStringLiteral("InputActionType")).toObject();
        if (type.value(QStringLiteral("Id")).toString() == QLatin1String("systemEvent")) {
            const QString code = type.value(QStringLiteral("Code")).toString();
            if (code == QLatin1String("configSet"))
                readConfigSet(element);
            else if (code == QLatin1String("profileChanged"))
                readProfileChanged(element);
            reader.skip();
        } else {
            reader.read(element);
        }
    }
    m_model->setInputMaps(reader.topLevel());
}

void ConfigFile::readConfigSet(const QJsonObject &element)
{
    const QJsonArray items = element.value(QStringLiteral("ActivationOutputActionItems")).toArray();
    for (const QJsonValue &value : items) {
        const QJsonObject item = value.toObject();
        if (item.value(QStringLiteral("TypeId")).toString() == QLatin1String("profileJump")) {
            const QJsonObject target = item.value(QStringLiteral("ProfileJumpId")).toObject();
            m_defaultIndex = profileIndexOf(target.value(QStringLiteral("ProfileIndex")));
            m_defaultSubIndex = profileIndexOf(target.value(QStringLiteral("SubProfileIndex")));
        }
        m_model->setAutoSwitching(item.value(QStringLiteral("IsAuto")).toBool());
        const QJsonArray entries = item.value(QStringLiteral("LastSelected")).toArray();
        for (const QJsonValue &entryValue : entries) {
            const QJsonObject entryObject = entryValue.toObject();
            const QJsonObject profile = entryObject.value(QStringLiteral("Value")).toObject();
            LastSelectedEntry entry;
            entry.path = entryObject.value(QStringLiteral("Key")).toObject().value(QStringLiteral("Path")).toString();
            entry.profileIndex = quint8(ConfigItems::integerOf(profile.value(QStringLiteral("ProfileIndex"))));
            entry.value = quint8(ConfigItems::integerOf(profile.value(QStringLiteral("SubProfileIndex"))));
            m_model->lastSelected(entry);
        }
    }
}

void ConfigFile::readProfileChanged(const QJsonObject &element)
{
    // The first eight items are the settings records; only those that can be
    // read replace the profile's values, so a short, old or hand-edited list
    // leaves the rest as they were.
    constexpr int settingsItems = 8;
    const QJsonArray items = element.value(QStringLiteral("ActivationOutputActionItems")).toArray();
    for (int i = 0; i < std::min(settingsItems, int(items.size())); ++i) {
        if (auto record = ConfigItems::readSettingsItem(items.at(i).toObject(), m_readVersion))
            m_model->setSettingsRecord(*record);
    }
    m_model->setOwnSettings(true, false);

    // A profile whose list held no usable DPI levels still gets a valid record.
    if (ProfileData *profile = m_model->currentProfile()) {
        if (!profile->dpiRecord.isValid())
            m_model->setSettingsRecord(DpiConfigureRecord(profile->dpiRecord));
    }

    OutputList outputs;
    for (int i = settingsItems; i < items.size(); ++i) {
        if (OutputPtr output = ConfigItems::readOutputActionItem(items.at(i).toObject(), m_readVersion))
            outputs.append(output);
    }
    m_model->setProfileOutputs(outputs);
}

InputMapPtr ConfigFile::readActionMappingList(const QJsonArray &array, int fileVersion)
{
    ConfigMappingReader reader(fileVersion, false, false);
    for (const QJsonValue &value : array)
        reader.read(value.toObject());
    return reader.lastRoot();
}
