#pragma once

#include "ConfigFile.h"
#include "ConfigItems.h"
#include "ConfigMappings.h"
#include "LastSelectedEntry.h"
#include "PackageCreator.h"
#include "ProfileData.h"
#include "SharedConstants.h"

#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

// The configuration file as Qt's JSON classes build it: a whole document
// tree, formatted by QJsonDocument. ConfigFile writes its text straight into
// a buffer; the two must give the same bytes. The items and input types come
// from the object forms of ConfigItems and ConfigMappings (which the golden
// files hold to their contents); the envelope, the groups, the order of the
// mapping lists, the nesting of predecessors and every byte of formatting
// are this file's own.
namespace ReferenceConfigWriter {

// One mapping list, flattened depth-first; a nested mapping carries the
// object of its parent at the parent's latest place in the list.
class MappingList
{
public:
    void append(const QJsonObject &element) { m_list.append(element); }
    void appendTree(const InputMapActionConfig &root) { appendMapping(root, nullptr); }
    const QJsonArray &list() const { return m_list; }

private:
    void appendMapping(const InputMapActionConfig &mapping, const InputMapActionConfig *parent)
    {
        QJsonObject object;
        const auto parentWritten = parent ? m_written.constFind(parent) : m_written.constEnd();
        if (parentWritten != m_written.constEnd())
            object = ConfigMappings::writeActionMapping(mapping, parentWritten->object, parentWritten->position);
        else
            object = ConfigMappings::writeActionMapping(mapping, QJsonValue(), 65535);
        m_written.insert(&mapping, Written{m_list.size(), object});
        m_list.append(object);
        for (const InputMapPtr &child : mapping.children) {
            if (child)
                appendMapping(*child, &mapping);
        }
    }

    struct Written
    {
        int position = 0;
        QJsonObject object;
    };
    QJsonArray m_list;
    QHash<const InputMapActionConfig *, Written> m_written;
};

inline QJsonObject groupObject(const QJsonValue &name, const QString &info, int itemCount, const QJsonArray &apps,
                               const QJsonArray &mappings)
{
    const QString emptyDate = QStringLiteral("0001-01-01T00:00:00+00:00");
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
    list.insert(QStringLiteral("$type"),
                QStringLiteral("VMouseConfig.Items.UserConfigurationGroupItem+ActionMappingList, VMouseConfig"));
    list.insert(QStringLiteral("$values"), mappings);
    group.insert(QStringLiteral("ActionMappings"), list);
    return group;
}

inline QJsonObject configSetMapping()
{
    PackageCreator *model = PackageCreator::instance();
    const ProfileData *defaultProfile = nullptr;
    QList<ProfileData *> candidates = model->profiles();
    candidates.prepend(model->globalProfile());
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
    for (const LastSelectedEntry &entry : model->lastSelectedList()) {
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
    jump.insert(QStringLiteral("IsAuto"), model->autoSwitching());
    jump.insert(QStringLiteral("LastSelected"), lastSelected);
    jump.insert(QStringLiteral("ItemType"), QStringLiteral("outputAction"));
    jump.insert(QStringLiteral("IsValid"), true);
    return ConfigMappings::writeSystemEvent(QStringLiteral("configSet"), QJsonArray{jump});
}

inline QJsonObject profileChangedMapping(const ProfileData &profile)
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

inline QJsonObject placeholderGroup()
{
    return groupObject(QJsonValue(), QStringLiteral("none"), 1, QJsonArray(), QJsonArray());
}

inline QJsonObject profileGroup(const ProfileData *profile, bool isGlobal)
{
    if (!profile)
        return placeholderGroup();
    QJsonArray apps;
    for (int i = 0; i < profile->linkedAppPaths.size(); ++i) {
        QJsonObject app;
        app.insert(QStringLiteral("Name"), profile->linkedAppNames.value(i));
        app.insert(QStringLiteral("Path"), profile->linkedAppPaths.at(i));
        apps.append(app);
    }
    MappingList list;
    if (isGlobal)
        list.append(configSetMapping());
    if (profile->hasOwnSettings())
        list.append(profileChangedMapping(*profile));
    if (profile->hasInputMaps()) {
        if (isGlobal)
            list.append(ConfigMappings::writeBuiltInPointerMapping());
        for (const InputMapPtr &mapping : profile->inputMaps) {
            if (mapping)
                list.appendTree(*mapping);
        }
    }
    return groupObject(profile->name, QStringLiteral("hasName"), PackageCreator::instance()->itemCount(), apps,
                       list.list());
}

inline QJsonObject document(ConfigFile::Selection selection)
{
    PackageCreator *model = PackageCreator::instance();
    ProfileData *const global = model->globalProfile();
    QJsonObject root =
        (selection.isEmpty() || selection.first() != 0) && global ? profileGroup(global, true) : placeholderGroup();
    if (!selection.isEmpty())
        selection.removeFirst();

    QList<QJsonObject> topGroups;
    int lastTopLevelIndex = -1;
    bool parentWritten = false;
    for (ProfileData *profile : model->profiles()) {
        const bool chosen = selection.isEmpty() || selection.first() != 0;
        if (profile->index == lastTopLevelIndex) {
            if (chosen && parentWritten && !topGroups.isEmpty()) {
                QJsonObject &parent = topGroups.last();
                QJsonArray groups = parent.value(QStringLiteral("Groups")).toArray();
                groups.append(profileGroup(profile, false));
                parent.insert(QStringLiteral("Groups"), groups);
            }
        } else {
            lastTopLevelIndex = profile->index;
            parentWritten = chosen;
            if (chosen)
                topGroups.append(profileGroup(profile, false));
        }
        if (!selection.isEmpty())
            selection.removeFirst();
    }
    QJsonArray groups;
    for (const QJsonObject &group : qAsConst(topGroups))
        groups.append(group);
    root.insert(QStringLiteral("Groups"), groups);

    QJsonObject top;
    top.insert(QStringLiteral("Version"), ConfigFile::writtenVersion);
    top.insert(QStringLiteral("RootProfile"), root);
    return top;
}

inline QByteArray bytes(const ConfigFile::Selection &selection = ConfigFile::Selection())
{
    return "json,2,4\n" + QJsonDocument(document(selection)).toJson(QJsonDocument::Indented);
}

} // namespace ReferenceConfigWriter
