#include "PackageCreator.h"

#include <QDebug>

#include <algorithm>

namespace {

// Sort key of the profile list: by index, the top-level profile (sub-index
// 255) before its sub-profiles, which follow in sub-index order.
int sortKey(const ProfileData &profile)
{
    const int sub = profile.subIndex == 255 ? -1 : profile.subIndex;
    return profile.index * 512 + sub + 1;
}

bool listContains(const InputMapList &list, const InputMapActionConfig *mapping)
{
    for (const InputMapPtr &item : list) {
        if (!item)
            continue;
        if (item.get() == mapping || listContains(item->children, mapping))
            return true;
    }
    return false;
}

int positionIn(const InputMapList &list, const InputMapActionConfig *mapping)
{
    for (int i = 0; i < list.size(); ++i) {
        if (list.at(i).get() == mapping)
            return i;
    }
    return -1;
}

// The edited activation list is the mapping's own, whose edits carry its name.
bool isActivationListOf(const OutputList *list, const InputMapActionConfig *mapping)
{
    return mapping && list && list == &mapping->activationOutputs;
}

} // namespace

PackageCreator *PackageCreator::instance()
{
    static PackageCreator creator;
    return &creator;
}

PackageCreator::PackageCreator() = default;

PackageCreator::~PackageCreator() = default;

void PackageCreator::reset()
{
    m_activationTarget = OutputEditTarget();
    m_deactivationTarget = OutputEditTarget();
    m_current = nullptr;
    m_active = nullptr;
    m_profiles.clear();
    m_global.reset();
    m_lastSelected.clear();
    m_autoSwitching = false;
    m_editingActivation = true;
    m_encoder = PackageEncoder();
    loading = true;
}

void PackageCreator::emitChanged()
{
    if (!loading)
        emit updateMemoryUsed();
}

// ---------------------------------------------------------------- profiles

ProfileData *PackageCreator::addProfile(int index, int subIndex, const QString &name)
{
    auto profile = std::make_unique<ProfileData>(quint8(index), quint8(subIndex), name);
    ProfileData *added = profile.get();
    if (added->isGlobal()) {
        // The previous global profile is destroyed: nothing may keep pointing to it.
        ProfileData *previous = m_global.get();
        forgetEditsOf(previous);
        m_global = std::move(profile);
        if (m_active && m_active == previous)
            m_active = added;
    } else {
        m_profiles.push_back(std::move(profile));
    }
    m_current = added;
    sortProfiles();
    return added;
}

void PackageCreator::removeProfile(ProfileData *profile)
{
    auto it = std::find_if(m_profiles.begin(), m_profiles.end(),
                           [profile](const std::unique_ptr<ProfileData> &p) { return p.get() == profile; });
    if (!profile || it == m_profiles.end()) {
        qWarning() << "PackageCreator: removeProfile - not a profile of the list";
        return;
    }
    if (m_current == profile)
        m_current = m_global.get();
    if (m_active == profile)
        m_active = m_global.get();
    forgetEditsOf(profile);
    m_profiles.erase(it);
    sortProfiles();
    emitChanged();
}

void PackageCreator::sortProfiles()
{
    std::stable_sort(m_profiles.begin(), m_profiles.end(),
                     [](const std::unique_ptr<ProfileData> &a, const std::unique_ptr<ProfileData> &b) {
                         return sortKey(*a) < sortKey(*b);
                     });
}

QList<ProfileData *> PackageCreator::profiles() const
{
    QList<ProfileData *> list;
    list.reserve(int(m_profiles.size()));
    for (const auto &profile : m_profiles)
        list.append(profile.get());
    return list;
}

bool PackageCreator::owns(const ProfileData *profile) const
{
    if (!profile)
        return false;
    if (profile == m_global.get())
        return true;
    return std::any_of(m_profiles.begin(), m_profiles.end(),
                       [profile](const std::unique_ptr<ProfileData> &p) { return p.get() == profile; });
}

void PackageCreator::setCurrentProfile(ProfileData *profile)
{
    if (profile && !owns(profile)) {
        qWarning() << "PackageCreator: setCurrentProfile - unknown profile";
        return;
    }
    m_current = profile;
}

void PackageCreator::setActiveProfile(ProfileData *profile)
{
    if (profile && !owns(profile)) {
        qWarning() << "PackageCreator: setActiveProfile - unknown profile";
        return;
    }
    m_active = profile;
}

void PackageCreator::activeProfileIndex(int *index, int *subIndex) const
{
    if (index)
        *index = m_active ? m_active->index : 255;
    if (subIndex)
        *subIndex = m_active ? m_active->subIndex : 255;
}

ProfileData *PackageCreator::parentProfile(const ProfileData *profile) const
{
    if (!profile || profile->isGlobal())
        return nullptr;
    if (profile->subIndex == 255)
        return m_global.get();
    for (auto it = m_profiles.rbegin(); it != m_profiles.rend(); ++it) {
        if ((*it)->index == profile->index && (*it)->subIndex == 255)
            return it->get();
    }
    return nullptr;
}

QList<ProfileData *> PackageCreator::subProfiles(const ProfileData *profile) const
{
    QList<ProfileData *> list;
    if (!profile)
        return list;
    for (const auto &p : m_profiles) {
        if (p->index == profile->index && p->subIndex != 255)
            list.append(p.get());
    }
    return list;
}

ProfileData *PackageCreator::lastSubProfile(const ProfileData *profile) const
{
    const QList<ProfileData *> list = subProfiles(profile);
    return list.isEmpty() ? nullptr : list.last();
}

ProfileData *PackageCreator::lastTopLevelProfile() const
{
    for (auto it = m_profiles.rbegin(); it != m_profiles.rend(); ++it) {
        if ((*it)->subIndex == 255)
            return it->get();
    }
    return m_global.get();
}

void PackageCreator::renameCurrentProfile(const QString &name)
{
    if (!m_current)
        return;
    m_current->name = name;
    emitChanged();
}

void PackageCreator::linkedApps(QStringList *paths, QStringList *names) const
{
    if (paths)
        *paths = m_current ? m_current->linkedAppPaths : QStringList();
    if (names)
        *names = m_current ? m_current->linkedAppNames : QStringList();
}

void PackageCreator::setLinkedApps(const QStringList &paths, const QStringList &names)
{
    if (!m_current)
        return;
    m_current->linkedAppPaths = paths;
    m_current->linkedAppNames = names;
    emitChanged();
}

bool PackageCreator::profileHasLinkedApp(const QString &app, int index, int subIndex) const
{
    for (const auto &p : m_profiles) {
        if (p->index == index && p->subIndex == subIndex) {
            return std::any_of(p->linkedAppPaths.begin(), p->linkedAppPaths.end(),
                               [&app](const QString &path) { return path.contains(app, Qt::CaseSensitive); });
        }
    }
    return false;
}

// ---------------------------------------------------------------- settings

bool PackageCreator::currentHasOwnSettings() const
{
    return m_current && m_current->hasOwnSettings();
}

QList<SettingsRecord *> PackageCreator::currentSettingsRecords() const
{
    return m_current ? m_current->settingsRecords : QList<SettingsRecord *>();
}

void PackageCreator::setSettingsRecord(const SettingsRecord &record)
{
    if (!m_current)
        return;
    SettingsRecord *target = m_current->settingsRecord(record.tag);
    if (!target)
        return;
    bool stored = false;
    if (const auto *dpi = dynamic_cast<const DpiConfigureRecord *>(&record)) {
        if (dpi->isValid()) {
            stored = target->assignFrom(*dpi);
        } else {
            DpiConfigureRecord repaired;
            repaired.levelCount = 1;
            repaired.currentLevel = 0;
            repaired.separateXY = 0;
            repaired.dpiValues = {1500};
            stored = target->assignFrom(repaired);
        }
    } else {
        stored = target->assignFrom(record);
    }
    if (stored)
        emitChanged();
}

void PackageCreator::setOwnSettings(bool own, bool copyFromParent)
{
    if (!m_current)
        return;
    m_current->setOwnSettings(own);
    // Copying applies to a profile that takes on settings of its own; one that
    // gives them up has no profile outputs.
    if (own && copyFromParent) {
        ProfileData *source = m_global.get();
        if (m_current->isSubProfile()) {
            ProfileData *top = parentProfile(m_current);
            if (top && top->hasOwnSettings())
                source = top;
        }
        if (source && source != m_current) {
            m_current->dpiRecord = source->dpiRecord;
            m_current->ledRecord = source->ledRecord;
            m_current->oledRecord = source->oledRecord;
            m_current->profileOutputs = OutputActionConfig::cloneList(source->profileOutputs);
        }
    }
    emitChanged();
}

OutputList PackageCreator::profileOutputs() const
{
    return m_current ? m_current->profileOutputs : OutputList();
}

void PackageCreator::setProfileOutputs(const OutputList &outputs)
{
    if (!m_current)
        return;
    m_current->profileOutputs = outputs;
    emitChanged();
}

bool PackageCreator::currentBacklight(bool *cycling, QColor *colour) const
{
    return m_current && m_current->backlight(cycling, colour);
}

// ---------------------------------------------------------------- mappings

InputMapList PackageCreator::currentInputMaps() const
{
    return m_current ? m_current->inputMaps : InputMapList();
}

void PackageCreator::setInputMaps(const InputMapList &maps)
{
    if (!m_current)
        return;
    m_current->inputMaps = maps;
    emitChanged();
}

bool PackageCreator::containsInputMap(const InputMapActionConfig *mapping, const InputMapActionConfig *under) const
{
    if (!mapping)
        return false;
    if (under)
        return listContains(under->children, mapping);
    return m_current && listContains(m_current->inputMaps, mapping);
}

InputMapPtr PackageCreator::copyIntoCurrentProfile(InputMapActionConfig *mapping)
{
    if (!mapping || !m_current)
        return InputMapPtr();

    // The positions that lead from the root down to the mapping.
    QList<int> path;
    bool pathKnown = true;
    const InputMapActionConfig *root = mapping;
    while (root->parent) {
        const int position = positionIn(root->parent->children, root);
        if (position < 0)
            pathKnown = false;
        path.prepend(position);
        root = root->parent;
    }

    InputMapPtr rootCopy = root->deepCopy();
    m_current->inputMaps.append(rootCopy);

    if (!pathKnown) {
        qWarning() << "PackageCreator: copyIntoCurrentProfile - mapping not among its parent's children";
        return rootCopy;
    }
    InputMapPtr copy = rootCopy;
    for (int position : qAsConst(path))
        copy = copy->children.at(position);
    return copy;
}

// ---------------------------------------------------------------- output editor

InputMapActionConfig *PackageCreator::editedMapping() const
{
    return (m_editingActivation ? m_activationTarget : m_deactivationTarget).mapping();
}

void PackageCreator::forgetEditsOf(const ProfileData *profile)
{
    if (!profile)
        return;
    m_activationTarget.forgetEditsOf(*profile);
    m_deactivationTarget.forgetEditsOf(*profile);
}

void PackageCreator::editActivationOutputs(OutputList *list, InputMapActionConfig *mapping)
{
    m_activationTarget = OutputEditTarget(list, mapping);
    m_editingActivation = true;
}

void PackageCreator::editDeactivationOutputs(OutputList *list, InputMapActionConfig *mapping)
{
    m_deactivationTarget = OutputEditTarget(list, mapping);
    m_editingActivation = false;
}

OutputList PackageCreator::editedActivationOutputs() const
{
    const OutputList *list = m_activationTarget.list();
    return list ? *list : OutputList();
}

OutputList PackageCreator::editedDeactivationOutputs() const
{
    const OutputList *list = m_deactivationTarget.list();
    return list ? *list : OutputList();
}

QString PackageCreator::editedMappingName() const
{
    InputMapActionConfig *mapping = editedMapping();
    return isActivationListOf(m_activationTarget.list(), mapping) ? mapping->name : QString();
}

void PackageCreator::setEditedMappingName(const QString &name)
{
    InputMapActionConfig *mapping = editedMapping();
    if (!isActivationListOf(m_activationTarget.list(), mapping))
        return;
    mapping->name = name;
    emitChanged();
}

void PackageCreator::setEditedOutputs(const OutputList &outputs, bool activation, const QString &name)
{
    OutputList *list = (activation ? m_activationTarget : m_deactivationTarget).list();
    if (!list)
        return;
    *list = outputs;
    if (activation) {
        InputMapActionConfig *mapping = editedMapping();
        if (isActivationListOf(list, mapping))
            mapping->name = name;
    }
    emitChanged();
}

// ---------------------------------------------------------------- switching

void PackageCreator::setAutoSwitching(bool on)
{
    m_autoSwitching = on;
    emit autoSwitchingChanged(on);
}

void PackageCreator::lastSelected(LastSelectedEntry &entry)
{
    for (const LastSelectedEntry &known : qAsConst(m_lastSelected)) {
        if (known.path == entry.path) {
            entry.profileIndex = known.profileIndex;
            entry.value = known.value;
            return;
        }
    }
    m_lastSelected.append(entry);
}

bool PackageCreator::updateLastSelected(const LastSelectedEntry &entry)
{
    for (LastSelectedEntry &known : m_lastSelected) {
        if (known.path == entry.path && (known.profileIndex != entry.profileIndex || known.value != entry.value)) {
            known.profileIndex = entry.profileIndex;
            known.value = entry.value;
            return true;
        }
    }
    return false;
}

// ---------------------------------------------------------------- package

PackageEncoder &PackageCreator::encoder() const
{
    int index = 255;
    int subIndex = 255;
    activeProfileIndex(&index, &subIndex);
    m_encoder.setProfiles(m_global.get(), m_profiles);
    m_encoder.setActiveProfile(index, subIndex);
    return m_encoder;
}
