#include "PackageCreator.h"

#include "InputMapAction_Angle.h"
#include "InputMapAction_Button.h"
#include "InputMapAction_Force.h"
#include "InputMapAction_Movement.h"
#include "InputMapAction_Scroll.h"
#include "OutputAction_Act.h"
#include "OutputAction_Haptic.h"
#include "OutputAction_Joystick.h"
#include "OutputAction_Keyboard.h"
#include "OutputAction_Led.h"
#include "OutputAction_Mouse.h"
#include "OutputAction_Oled.h"
#include "OutputAction_Profile.h"
#include "OutputAction_Tilts.h"
#include "OutputAction_Tracking.h"

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

// Item kinds of the package.
constexpr char profileHeaderItem = 1;
constexpr char inputItem = 2;
constexpr char outputItem = 3;

// Input flags.
constexpr quint8 hasParentFlag = 0x01;
constexpr quint8 blocksFlag = 0x08;
constexpr quint8 hasActivationFlag = 0x10;
constexpr quint8 hasDeactivationFlag = 0x20;

// Type code of the built-in system event inputs and their event codes.
constexpr char systemEventInput = 80;
constexpr char configSetEvent = 1;
constexpr char profileChangedEvent = 2;

// The order in which the settings records follow the settings event.
const int packageRecordOrder[] = {94, 104, 93, 102, 95, 97, 116, 115};

// Every mapping of list with all its descendants, depth-first.
void appendTree(QList<InputMapActionConfig *> &items, const InputMapList &list)
{
    for (const InputMapPtr &mapping : list) {
        if (!mapping)
            continue;
        items.append(mapping.get());
        appendTree(items, mapping->children);
    }
}

void appendByte(QByteArray &bytes, int value)
{
    bytes.append(char(value & 0xFF));
}

void appendLe16(QByteArray &bytes, quint16 value)
{
    bytes.append(char(value & 0xFF));
    bytes.append(char(value >> 8));
}

void appendRgb(QByteArray &bytes, const quint8 *rgb)
{
    for (int i = 0; i < 3; ++i)
        appendByte(bytes, rgb[i]);
}

// The LED body after the type byte; the settings record and the output share it.
void appendLed(QByteArray &bytes, int mode, int brightness, const BigEndian16 &duration, const quint8 *colour1,
               const quint8 *colour2)
{
    appendByte(bytes, mode);
    appendByte(bytes, brightness);
    appendLe16(bytes, duration.value());
    appendRgb(bytes, colour1);
    appendRgb(bytes, colour2);
}

// The display mode, followed by the message only when it is shown.
void appendOled(QByteArray &bytes, int mode, const QByteArray &message)
{
    appendByte(bytes, mode);
    if (mode == 1) {
        appendByte(bytes, message.size());
        bytes.append(message);
    }
}

int positionIn(const InputMapList &list, const InputMapActionConfig *mapping)
{
    for (int i = 0; i < list.size(); ++i) {
        if (list.at(i).get() == mapping)
            return i;
    }
    return -1;
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
    m_activationTarget = EditTarget();
    m_deactivationTarget = EditTarget();
    m_current = nullptr;
    m_active = nullptr;
    m_profiles.clear();
    m_global.reset();
    m_lastSelected.clear();
    m_autoSwitching = false;
    m_editingActivation = true;
    m_itemIndex = 0;
    m_itemCount = 0;
    m_packageError.clear();
    m_rangeCutLogged = false;
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

PackageCreator::EditTarget PackageCreator::makeTarget(OutputList *list, InputMapActionConfig *mapping)
{
    EditTarget target;
    target.list = list;
    target.mapping = mapping;
    if (mapping) {
        target.owner = mapping->weak_from_this();
        target.tracked = !target.owner.expired();
    }
    return target;
}

OutputList *PackageCreator::liveList(const EditTarget &target) const
{
    return target.gone() ? nullptr : target.list;
}

InputMapActionConfig *PackageCreator::editedMapping() const
{
    const EditTarget &target = m_editingActivation ? m_activationTarget : m_deactivationTarget;
    return target.gone() ? nullptr : target.mapping;
}

void PackageCreator::forgetEditsOf(const ProfileData *profile)
{
    if (!profile)
        return;
    QList<InputMapActionConfig *> mappings;
    appendTree(mappings, profile->inputMaps);
    // A list given without its mapping is not tracked, so the lists of the
    // profile and of every mapping in its tree are compared by address.
    auto belongs = [profile, &mappings](const EditTarget &target) {
        if (!target.list)
            return false;
        if (target.list == &profile->profileOutputs)
            return true;
        return std::any_of(mappings.begin(), mappings.end(), [&target](const InputMapActionConfig *mapping) {
            return target.mapping == mapping || target.list == &mapping->activationOutputs
                   || target.list == &mapping->deactivationOutputs;
        });
    };
    if (belongs(m_activationTarget))
        m_activationTarget = EditTarget();
    if (belongs(m_deactivationTarget))
        m_deactivationTarget = EditTarget();
}

void PackageCreator::editActivationOutputs(OutputList *list, InputMapActionConfig *mapping)
{
    m_activationTarget = makeTarget(list, mapping);
    m_editingActivation = true;
}

void PackageCreator::editDeactivationOutputs(OutputList *list, InputMapActionConfig *mapping)
{
    m_deactivationTarget = makeTarget(list, mapping);
    m_editingActivation = false;
}

OutputList PackageCreator::editedActivationOutputs() const
{
    const OutputList *list = liveList(m_activationTarget);
    return list ? *list : OutputList();
}

OutputList PackageCreator::editedDeactivationOutputs() const
{
    const OutputList *list = liveList(m_deactivationTarget);
    return list ? *list : OutputList();
}

QString PackageCreator::editedMappingName() const
{
    InputMapActionConfig *mapping = editedMapping();
    const OutputList *list = liveList(m_activationTarget);
    if (mapping && list && list == &mapping->activationOutputs)
        return mapping->name;
    return QString();
}

void PackageCreator::setEditedMappingName(const QString &name)
{
    InputMapActionConfig *mapping = editedMapping();
    const OutputList *list = liveList(m_activationTarget);
    if (!mapping || !list || list != &mapping->activationOutputs)
        return;
    mapping->name = name;
    emitChanged();
}

void PackageCreator::setEditedOutputs(const OutputList &outputs, bool activation, const QString &name)
{
    OutputList *list = liveList(activation ? m_activationTarget : m_deactivationTarget);
    if (!list)
        return;
    *list = outputs;
    if (activation) {
        InputMapActionConfig *mapping = editedMapping();
        if (mapping && list == &mapping->activationOutputs)
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

void PackageCreator::encodeFailure(const QString &problem)
{
    if (m_packageError.isEmpty())
        m_packageError = problem;
}

QByteArray PackageCreator::item(char kind, const QByteArray &body)
{
    if (body.size() > 255) {
        encodeFailure(QStringLiteral("an item of kind %1 (type %2) needs %3 bytes, more than 255")
                          .arg(int(kind))
                          .arg(body.isEmpty() ? 0 : quint8(body.at(0)))
                          .arg(body.size()));
        return QByteArray();
    }
    QByteArray bytes;
    bytes.reserve(body.size() + 2);
    bytes.append(kind);
    bytes.append(char(body.size()));
    bytes.append(body);
    return bytes;
}

QByteArray PackageCreator::rangePair(quint16 a, quint16 b)
{
    // The mouse takes 12 bits; a file may hold more (a bound below zero is
    // stored as its 16-bit value), which must not keep the package back.
    if ((a > 0xFFF || b > 0xFFF) && !m_rangeCutLogged) {
        qWarning().nospace() << "PackageCreator: range " << a << " to " << b << " cut to 12 bits";
        m_rangeCutLogged = true;
    }
    return packTwelveBitPair(a, b);
}

int PackageCreator::childProfileCount(const ProfileData *profile) const
{
    if (!profile)
        return 0;
    if (profile == m_global.get())
        return int(std::count_if(m_profiles.begin(), m_profiles.end(),
                                 [](const std::unique_ptr<ProfileData> &p) { return p->subIndex == 255; }));
    if (profile->subIndex == 255)
        return subProfiles(profile).size();
    return 0;
}

bool PackageCreator::hasSettingsEvent(const ProfileData *profile)
{
    return profile->settingsRecords.size() + profile->profileOutputs.size() != 0;
}

QList<InputMapActionConfig *> PackageCreator::packageItems() const
{
    return packageItems(m_current);
}

QList<InputMapActionConfig *> PackageCreator::packageItems(const ProfileData *profile) const
{
    QList<InputMapActionConfig *> items;
    if (!profile)
        return items;
    // The settings event takes a place whenever it is written, so that the
    // parent indexes in the package match the positions in this list. The
    // global profile's start-up event and pointer mapping always count.
    const int builtIn = (profile == m_global.get() ? 2 : 0) + (hasSettingsEvent(profile) ? 1 : 0);
    for (int i = 0; i < builtIn; ++i)
        items.append(nullptr);
    appendTree(items, profile->inputMaps);
    return items;
}

int PackageCreator::itemIndex(const InputMapActionConfig *mapping, const ProfileData *profile) const
{
    if (!mapping)
        return -1;
    return packageItems(profile ? profile : m_current).indexOf(const_cast<InputMapActionConfig *>(mapping));
}

QByteArray PackageCreator::package(QString *error)
{
    m_packageError.clear();
    m_rangeCutLogged = false;
    ProfileData *const previous = m_current;
    QByteArray bytes;
    if (!m_global) {
        encodeFailure(QStringLiteral("there is no global profile"));
    } else {
        m_current = m_global.get();
        bytes += encodeProfile();
        for (const auto &profile : m_profiles) {
            m_current = profile.get();
            bytes += encodeProfile();
        }
    }
    m_current = previous;

    if (error)
        *error = m_packageError;
    if (!m_packageError.isEmpty()) {
        qWarning() << "PackageCreator: package not built -" << m_packageError;
        return QByteArray();
    }
    return bytes;
}

QByteArray PackageCreator::encodeProfile()
{
    if (!m_current)
        return QByteArray();
    const bool global = m_current == m_global.get();
    m_itemCount = quint8(packageItems().size());

    QByteArray block = encodeProfileHeader();
    m_itemIndex = 0;
    if (global) {
        block += encodeStartupJump();
        ++m_itemIndex;
    }
    if (hasSettingsEvent(m_current)) {
        block += encodeSettings();
        ++m_itemIndex;
    }
    if (!m_current->inputMaps.isEmpty()) {
        if (global) {
            // Built-in pointer mapping: any movement moves the pointer 1:1.
            block += QByteArray::fromHex("02071014060100010103070A020100010003");
            ++m_itemIndex;
        }
        block += encodeInputMaps();
    }
    return block;
}

QByteArray PackageCreator::encodeProfileHeader()
{
    if (!m_current)
        return QByteArray();
    const int entries = packageItems().size() + childProfileCount(m_current);
    if (entries > 255)
        encodeFailure(QStringLiteral("profile \"%1\" has %2 entries, more than 255").arg(m_current->name).arg(entries));
    const QByteArray name = m_current->name.toLatin1(); // one byte per code unit, '?' outside Latin-1
    QByteArray body;
    appendByte(body, entries);
    appendByte(body, 0);
    appendByte(body, 1);
    appendByte(body, 0);
    appendByte(body, m_current->name.size());
    body.append(name);
    return item(profileHeaderItem, body);
}

QByteArray PackageCreator::encodeStartupJump()
{
    int index = 255;
    int subIndex = 255;
    activeProfileIndex(&index, &subIndex);

    QByteArray event;
    appendByte(event, hasActivationFlag);
    event.append(systemEventInput);
    appendLe16(event, configSetEvent);
    appendByte(event, 1);

    QByteArray jump;
    appendByte(jump, 91);
    appendByte(jump, 2);
    appendByte(jump, index);
    appendByte(jump, subIndex);
    return item(inputItem, event) + item(outputItem, jump);
}

QByteArray PackageCreator::encodeSettings()
{
    if (!m_current)
        return QByteArray();
    const int outputs = m_current->settingsRecords.size() + m_current->profileOutputs.size();
    if (outputs > 255)
        encodeFailure(
            QStringLiteral("profile \"%1\" has %2 settings outputs, more than 255").arg(m_current->name).arg(outputs));
    QByteArray event;
    appendByte(event, hasActivationFlag);
    event.append(systemEventInput);
    appendLe16(event, profileChangedEvent);
    appendByte(event, outputs);

    QByteArray bytes = item(inputItem, event);
    // Only a profile's own records follow, so the event announces exactly
    // the outputs that come after it.
    if (m_current->hasOwnSettings()) {
        for (int tag : packageRecordOrder)
            bytes += encodeSettingsRecord(tag);
    }
    bytes += encodeProfileOutputs();
    return bytes;
}

QByteArray PackageCreator::encodeSettingsRecord(int tag)
{
    if (!m_current)
        return QByteArray();
    const SettingsRecord *record = m_current->settingsRecord(tag);
    if (!record)
        return QByteArray();

    QByteArray body;
    appendByte(body, tag);
    switch (tag) {
    case 94: {
        const auto &dpi = m_current->dpiRecord;
        appendByte(body, dpi.levelCount);
        appendByte(body, dpi.currentLevel);
        appendByte(body, dpi.separateXY);
        for (quint16 value : dpi.dpiValues)
            appendLe16(body, value);
        break;
    }
    case 104:
        appendByte(body, m_current->reportIntervalRecord.reportInterval);
        break;
    case 93:
        appendByte(body, m_current->liftOffRecord.liftOffLevel);
        break;
    case 102:
        appendByte(body, m_current->gameDeviceRecord.gameDevice);
        break;
    case 95: {
        const auto &led = m_current->ledRecord;
        appendLed(body, led.ledMode, led.brightness, led.ledDuration, led.colour1, led.colour2);
        break;
    }
    case 97:
        appendOled(body, m_current->oledRecord.oledMode, m_current->oledRecord.message);
        break;
    case 116:
        appendByte(body, m_current->tiltAutoZeroingRecord.tiltAutoZeroing);
        break;
    case 115:
        appendByte(body, m_current->autoReleaseRecord.autoRelease);
        break;
    }
    return item(outputItem, body);
}

QByteArray PackageCreator::encodeProfileOutputs()
{
    QByteArray bytes;
    if (!m_current)
        return bytes;
    for (const OutputPtr &output : qAsConst(m_current->profileOutputs))
        bytes += encodeOutput(output.get());
    return bytes;
}

QByteArray PackageCreator::encodeInputMaps()
{
    QByteArray bytes;
    if (!m_current)
        return bytes;
    for (const InputMapPtr &mapping : qAsConst(m_current->inputMaps)) {
        if (!mapping)
            continue;
        bytes += encodeInputMap(mapping.get(), -1);
        bytes += encodeChildInputMaps(mapping.get(), m_itemIndex);
        ++m_itemIndex;
    }
    return bytes;
}

QByteArray PackageCreator::encodeChildInputMaps(const InputMapActionConfig *mapping, int parentIndex)
{
    QByteArray bytes;
    if (!mapping)
        return bytes;
    for (const InputMapPtr &child : mapping->children) {
        if (!child)
            continue;
        bytes += encodeInputMap(child.get(), parentIndex);
        ++m_itemIndex; // now the child's own index
        if (!child->children.isEmpty())
            bytes += encodeChildInputMaps(child.get(), m_itemIndex);
    }
    return bytes;
}

QByteArray PackageCreator::encodeInputMap(const InputMapActionConfig *mapping, int parentIndex)
{
    if (!mapping)
        return QByteArray();
    const int activations = mapping->activationOutputs.size();
    const int deactivations = mapping->deactivationOutputs.size();
    if (activations > 255 || deactivations > 255)
        encodeFailure(QStringLiteral("mapping \"%1\" has %2 press and %3 release outputs, more than 255 in one list")
                          .arg(mapping->name)
                          .arg(activations)
                          .arg(deactivations));

    quint8 flags = 0;
    if (parentIndex >= 0)
        flags |= hasParentFlag;
    if (mapping->blockOnDeactivation)
        flags |= blocksFlag;
    if (activations > 0)
        flags |= hasActivationFlag;
    if (deactivations > 0)
        flags |= hasDeactivationFlag;

    QByteArray body;
    appendByte(body, flags);
    appendByte(body, mapping->inputType);
    switch (mapping->inputType) {
    case 10:
        if (const auto *button = dynamic_cast<const InputMapAction_Button *>(mapping)) {
            appendByte(body, button->buttonId);
            appendByte(body, button->activeState);
        }
        break;
    case 20:
        if (const auto *movement = dynamic_cast<const InputMapAction_Movement *>(mapping)) {
            appendByte(body, movement->direction);
            appendLe16(body, movement->countDivisor.value());
            appendByte(body, movement->repeat);
        }
        break;
    case 30:
        if (const auto *scroll = dynamic_cast<const InputMapAction_Scroll *>(mapping)) {
            appendByte(body, scroll->wheelDirection);
            body.append(QByteArray::fromHex("010001"));
        }
        break;
    case 50:
        if (const auto *force = dynamic_cast<const InputMapAction_Force *>(mapping)) {
            appendByte(body, force->buttonId);
            body += rangePair(force->entryStart, force->entryEnd);
            body += rangePair(force->exitStart, force->exitEnd);
            appendByte(body, force->forceDirection);
            appendByte(body, force->activeState);
        }
        break;
    case 52:
        if (const auto *force = dynamic_cast<const InputMapAction_Force *>(mapping)) {
            appendByte(body, force->buttonId);
            appendByte(body, force->rangeMode);
            body += rangePair(force->entryStart, force->entryEnd);
        }
        break;
    case 60:
        if (const auto *angle = dynamic_cast<const InputMapAction_Angle *>(mapping)) {
            appendByte(body, angle->axis);
            body += rangePair(angle->entryStart, angle->entryEnd);
            body += rangePair(angle->exitStart, angle->exitEnd);
            appendByte(body, angle->angleDirection);
            appendByte(body, angle->activeState);
        }
        break;
    case 62:
        if (const auto *angle = dynamic_cast<const InputMapAction_Angle *>(mapping)) {
            appendByte(body, angle->axis);
            appendByte(body, angle->rangeMode);
            body += rangePair(angle->entryStart, angle->entryEnd);
            if (!(angle->rangeMode & 1))
                body += rangePair(angle->exitStart, angle->exitEnd);
        }
        break;
    }
    if (flags & hasParentFlag)
        appendLe16(body, quint16(parentIndex));
    if (flags & blocksFlag)
        body.append(QByteArray::fromHex("FFFF"));
    if (flags & hasActivationFlag)
        appendByte(body, activations);
    if (flags & hasDeactivationFlag)
        appendByte(body, deactivations);

    QByteArray bytes = item(inputItem, body);
    for (const OutputPtr &output : mapping->activationOutputs)
        bytes += encodeOutput(output.get());
    for (const OutputPtr &output : mapping->deactivationOutputs)
        bytes += encodeOutput(output.get());
    return bytes;
}

QByteArray PackageCreator::encodeOutput(const OutputActionConfig *output)
{
    if (!output) {
        encodeFailure(QStringLiteral("an output list holds an empty entry"));
        return QByteArray();
    }
    QByteArray body;
    appendByte(body, output->typeCode);
    switch (output->typeCode) {
    case 10:
        if (const auto *mouse = dynamic_cast<const OutputAction_Mouse *>(output)) {
            appendByte(body, mouse->pointerMode);
            appendLe16(body, mouse->xCount.value());
            appendLe16(body, mouse->yCount.value());
            appendByte(body, mouse->pointerOption);
        }
        break;
    case 12:
        if (const auto *mouse = dynamic_cast<const OutputAction_Mouse *>(output)) {
            appendByte(body, mouse->buttonId);
            appendByte(body, mouse->buttonState);
        }
        break;
    case 13:
        if (const auto *mouse = dynamic_cast<const OutputAction_Mouse *>(output)) {
            appendByte(body, mouse->scrollAxis);
            appendLe16(body, mouse->scrollCount.value());
            appendByte(body, mouse->scrollOption);
        }
        break;
    case 30:
        if (const auto *key = dynamic_cast<const OutputAction_Keyboard *>(output)) {
            appendByte(body, key->keyUsage);
            appendByte(body, key->buttonState);
        }
        break;
    case 31:
        if (const auto *key = dynamic_cast<const OutputAction_Keyboard *>(output)) {
            appendLe16(body, key->mediaUsage.value());
            appendByte(body, key->buttonState);
        }
        break;
    case 32:
        if (const auto *text = dynamic_cast<const OutputAction_Keyboard *>(output)) {
            appendByte(body, text->keyString.size());
            body.append(text->keyString);
        }
        break;
    case 50:
        if (const auto *stick = dynamic_cast<const OutputAction_Joystick *>(output)) {
            appendByte(body, stick->stickAxis);
            appendByte(body, stick->rangeMode);
            body += rangePair(stick->firstRangeStart, stick->firstRangeEnd);
            if (!(stick->rangeMode & 1))
                body += rangePair(stick->secondRangeStart, stick->secondRangeEnd);
        }
        break;
    case 51:
        if (const auto *button = dynamic_cast<const OutputAction_Joystick *>(output)) {
            appendByte(body, button->buttonId);
            appendByte(body, button->buttonState);
        }
        break;
    case 52:
        if (const auto *slider = dynamic_cast<const OutputAction_Joystick *>(output)) {
            appendByte(body, slider->rangeMode);
            body += rangePair(slider->firstRangeStart, slider->firstRangeEnd);
        }
        break;
    case 80:
        if (const auto *haptic = dynamic_cast<const OutputAction_Haptic *>(output)) {
            appendByte(body, haptic->strength);
            appendLe16(body, haptic->duration.value());
            appendByte(body, haptic->hapticOption);
            body.append(QByteArray::fromHex("0100"));
        }
        break;
    case 90:
        if (const auto *profile = dynamic_cast<const OutputAction_Profile *>(output)) {
            appendByte(body, profile->profileIndex);
            appendByte(body, profile->profileSelection);
        }
        break;
    case 91:
        if (const auto *profile = dynamic_cast<const OutputAction_Profile *>(output)) {
            appendByte(body, 2);
            appendByte(body, profile->profileIndex);
            appendByte(body, profile->subProfileIndex);
        }
        break;
    case 92:
        if (const auto *dpi = dynamic_cast<const OutputAction_Tracking *>(output)) {
            appendByte(body, dpi->dpiSelectionType);
            appendLe16(body, dpi->dpiValue);
        }
        break;
    case 93:
        if (const auto *liftOff = dynamic_cast<const OutputAction_Tracking *>(output))
            appendByte(body, liftOff->liftOffLevel);
        break;
    case 95:
        if (const auto *led = dynamic_cast<const OutputAction_Led *>(output))
            appendLed(body, led->ledMode, led->brightness, led->ledDuration, led->colour1, led->colour2);
        break;
    case 97:
        if (const auto *oled = dynamic_cast<const OutputAction_Oled *>(output))
            appendOled(body, oled->oledMode, oled->message);
        break;
    case 103:
        if (const auto *oled = dynamic_cast<const OutputAction_Oled *>(output)) {
            appendByte(body, oled->flashOption);
            appendLe16(body, oled->flashDuration.value());
            appendOled(body, oled->oledMode, oled->message);
        }
        break;
    case 110:
        if (const auto *act = dynamic_cast<const OutputAction_Act *>(output)) {
            appendByte(body, act->repeatTarget);
            appendLe16(body, act->countOrTime.value());
        }
        break;
    case 111:
        if (const auto *act = dynamic_cast<const OutputAction_Act *>(output))
            appendByte(body, act->alternateCount);
        break;
    case 112:
        if (const auto *act = dynamic_cast<const OutputAction_Act *>(output)) {
            body.append(QByteArray::fromHex("FFFFFF"));
            appendByte(body, act->skipWaits);
        }
        break;
    case 113:
        if (const auto *act = dynamic_cast<const OutputAction_Act *>(output)) {
            appendLe16(body, act->countOrTime.value());
            body.append(QByteArray::fromHex("0000"));
        }
        break;
    case 114:
        if (const auto *tilts = dynamic_cast<const OutputAction_Tilts *>(output))
            appendByte(body, tilts->tiltAxis);
        break;
    }
    return item(outputItem, body);
}
