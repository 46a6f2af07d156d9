#include "PackageEncoder.h"

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
#include "ProfileData.h"

#include <QDebug>

namespace {

// Item kinds of the package.
constexpr char profileHeaderItem = 1;
constexpr char inputItem = 2;
constexpr char outputItem = 3;

// Input flags.
constexpr quint8 hasParentFlag = 0x01;
constexpr quint8 blocksFlag = 0x08;
constexpr quint8 hasActivationFlag = 0x10;
constexpr quint8 hasDeactivationFlag = 0x20;

// Event codes of the built-in system event inputs.
constexpr int configSetEvent = 1;
constexpr int profileChangedEvent = 2;

// The order in which the settings records follow the settings event.
constexpr int packageRecordOrder[] = {
    SettingsTag::Dpi, SettingsTag::ReportInterval, SettingsTag::LiftOff,         SettingsTag::GameDevice,
    SettingsTag::Led, SettingsTag::Oled,           SettingsTag::TiltAutoZeroing, SettingsTag::AutoRelease};

// The global profile's built-in pointer mapping, two whole items: any
// movement moves the pointer 1:1.
constexpr char pointerMapping[] = "\x02\x07\x10\x14\x06\x01\x00\x01\x01\x03\x07\x0A\x02\x01\x00\x01\x00\x03";

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
    if (mode == OutputAction_Oled::OledMessage) {
        appendByte(bytes, message.size());
        bytes.append(message);
    }
}

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

int treeSize(const InputMapList &list)
{
    int size = 0;
    for (const InputMapPtr &mapping : list) {
        if (mapping)
            size += 1 + treeSize(mapping->children);
    }
    return size;
}

} // namespace

void PackageEncoder::setActiveProfile(int index, int subIndex)
{
    m_activeIndex = index;
    m_activeSubIndex = subIndex;
}

// ---------------------------------------------------------------- items

bool PackageEncoder::hasSettingsEvent(const ProfileData &profile)
{
    return profile.settingsRecords.size() + profile.profileOutputs.size() != 0;
}

int PackageEncoder::builtInItems(const ProfileData &profile) const
{
    // The settings event takes a place whenever it is written, so that the
    // parent indexes in the package match the positions in the item list.
    // The global profile's start-up event and pointer mapping always count.
    return (&profile == m_global ? 2 : 0) + (hasSettingsEvent(profile) ? 1 : 0);
}

int PackageEncoder::itemCountOf(const ProfileData &profile) const
{
    return builtInItems(profile) + treeSize(profile.inputMaps);
}

int PackageEncoder::childProfileCount(const ProfileData &profile) const
{
    int count = 0;
    for (const ProfileData *p : m_profiles) {
        if (&profile == m_global)
            count += p->subIndex == 255;
        else if (profile.subIndex == 255)
            count += p->index == profile.index && p->subIndex != 255;
    }
    return count;
}

QList<InputMapActionConfig *> PackageEncoder::packageItems(const ProfileData *profile) const
{
    QList<InputMapActionConfig *> items;
    if (!profile)
        return items;
    for (int i = builtInItems(*profile); i > 0; --i)
        items.append(nullptr);
    appendTree(items, profile->inputMaps);
    return items;
}

int PackageEncoder::itemIndex(const InputMapActionConfig *mapping, const ProfileData *profile) const
{
    if (!mapping)
        return -1;
    return packageItems(profile).indexOf(const_cast<InputMapActionConfig *>(mapping));
}

// ---------------------------------------------------------------- framing

void PackageEncoder::failure(const QString &problem)
{
    if (m_error.isEmpty())
        m_error = problem;
}

int PackageEncoder::beginItem(QByteArray &out, char kind)
{
    const int start = out.size();
    out.append(kind);
    out.append('\0');
    return start;
}

void PackageEncoder::endItem(QByteArray &out, int start)
{
    const int length = out.size() - start - 2;
    if (length > 255) {
        failure(QStringLiteral("an item of kind %1 (type %2) needs %3 bytes, more than 255")
                    .arg(int(out.at(start)))
                    .arg(quint8(out.at(start + 2)))
                    .arg(length));
        out.truncate(start);
        return;
    }
    out[start + 1] = char(length);
}

void PackageEncoder::appendRange(QByteArray &out, quint16 a, quint16 b)
{
    // The mouse takes 12 bits; a file may hold more (a bound below zero is
    // stored as its 16-bit value), which must not keep the package back.
    if ((a > 0xFFF || b > 0xFFF) && !m_rangeCutLogged) {
        qWarning().nospace() << "PackageCreator: range " << a << " to " << b << " cut to 12 bits";
        m_rangeCutLogged = true;
    }
    appendTwelveBitPair(out, a, b);
}

// ---------------------------------------------------------------- package

QByteArray PackageEncoder::package(QString *error)
{
    m_error.clear();
    m_rangeCutLogged = false;
    QByteArray bytes;
    if (!m_global) {
        failure(QStringLiteral("there is no global profile"));
    } else {
        bytes.reserve(m_lastSize);
        appendProfile(bytes, *m_global);
        for (const ProfileData *profile : m_profiles)
            appendProfile(bytes, *profile);
    }

    if (error)
        *error = m_error;
    if (!m_error.isEmpty()) {
        qWarning() << "PackageCreator: package not built -" << m_error;
        return QByteArray();
    }
    m_lastSize = bytes.size();
    return bytes;
}

void PackageEncoder::appendProfile(QByteArray &out, const ProfileData &profile)
{
    const bool global = &profile == m_global;
    m_itemCount = quint8(itemCountOf(profile));

    appendProfileHeader(out, profile);
    m_itemIndex = 0;
    if (global) {
        appendStartupJump(out);
        ++m_itemIndex;
    }
    if (hasSettingsEvent(profile)) {
        appendSettings(out, profile);
        ++m_itemIndex;
    }
    if (!profile.inputMaps.isEmpty()) {
        if (global) {
            out.append(pointerMapping, sizeof pointerMapping - 1);
            ++m_itemIndex;
        }
        appendInputMaps(out, profile);
    }
}

void PackageEncoder::appendProfileHeader(QByteArray &out, const ProfileData &profile)
{
    const int entries = itemCountOf(profile) + childProfileCount(profile);
    if (entries > 255)
        failure(QStringLiteral("profile \"%1\" has %2 entries, more than 255").arg(profile.name).arg(entries));
    const int start = beginItem(out, profileHeaderItem);
    appendByte(out, entries);
    appendByte(out, 0);
    appendByte(out, 1);
    appendByte(out, 0);
    appendByte(out, profile.name.size());
    out.append(profile.name.toLatin1()); // one byte per code unit, '?' outside Latin-1
    endItem(out, start);
}

void PackageEncoder::appendStartupJump(QByteArray &out)
{
    int start = beginItem(out, inputItem);
    appendByte(out, hasActivationFlag);
    appendByte(out, InputType::SystemEvent);
    appendLe16(out, configSetEvent);
    appendByte(out, 1);
    endItem(out, start);

    start = beginItem(out, outputItem);
    appendByte(out, OutputType::ProfileJump);
    appendByte(out, 2);
    appendByte(out, m_activeIndex);
    appendByte(out, m_activeSubIndex);
    endItem(out, start);
}

void PackageEncoder::appendSettings(QByteArray &out, const ProfileData &profile)
{
    const int outputs = profile.settingsRecords.size() + profile.profileOutputs.size();
    if (outputs > 255)
        failure(QStringLiteral("profile \"%1\" has %2 settings outputs, more than 255").arg(profile.name).arg(outputs));
    const int start = beginItem(out, inputItem);
    appendByte(out, hasActivationFlag);
    appendByte(out, InputType::SystemEvent);
    appendLe16(out, profileChangedEvent);
    appendByte(out, outputs);
    endItem(out, start);

    // Only a profile's own records follow, so the event announces exactly
    // the outputs that come after it.
    if (profile.hasOwnSettings()) {
        for (int tag : packageRecordOrder)
            appendSettingsRecord(out, profile, tag);
    }
    appendProfileOutputs(out, profile);
}

void PackageEncoder::appendSettingsRecord(QByteArray &out, const ProfileData &profile, int tag)
{
    if (!profile.settingsRecord(tag))
        return;

    const int start = beginItem(out, outputItem);
    appendByte(out, tag);
    switch (tag) {
    case SettingsTag::Dpi: {
        const auto &dpi = profile.dpiRecord;
        appendByte(out, dpi.levelCount);
        appendByte(out, dpi.currentLevel);
        appendByte(out, dpi.separateXY);
        for (quint16 value : dpi.dpiValues)
            appendLe16(out, value);
        break;
    }
    case SettingsTag::ReportInterval:
        appendByte(out, profile.reportIntervalRecord.reportInterval);
        break;
    case SettingsTag::LiftOff:
        appendByte(out, profile.liftOffRecord.liftOffLevel);
        break;
    case SettingsTag::GameDevice:
        appendByte(out, profile.gameDeviceRecord.gameDevice);
        break;
    case SettingsTag::Led: {
        const auto &led = profile.ledRecord;
        appendLed(out, led.ledMode, led.brightness, led.ledDuration, led.colour1, led.colour2);
        break;
    }
    case SettingsTag::Oled:
        appendOled(out, profile.oledRecord.oledMode, profile.oledRecord.message);
        break;
    case SettingsTag::TiltAutoZeroing:
        appendByte(out, profile.tiltAutoZeroingRecord.tiltAutoZeroing);
        break;
    case SettingsTag::AutoRelease:
        appendByte(out, profile.autoReleaseRecord.autoRelease);
        break;
    }
    endItem(out, start);
}

void PackageEncoder::appendProfileOutputs(QByteArray &out, const ProfileData &profile)
{
    for (const OutputPtr &output : profile.profileOutputs)
        appendOutput(out, output.get());
}

void PackageEncoder::appendInputMaps(QByteArray &out, const ProfileData &profile)
{
    for (const InputMapPtr &mapping : profile.inputMaps) {
        if (!mapping)
            continue;
        appendInputMap(out, *mapping, -1);
        appendChildInputMaps(out, *mapping, m_itemIndex);
        ++m_itemIndex;
    }
}

void PackageEncoder::appendChildInputMaps(QByteArray &out, const InputMapActionConfig &mapping, int parentIndex)
{
    for (const InputMapPtr &child : mapping.children) {
        if (!child)
            continue;
        appendInputMap(out, *child, parentIndex);
        ++m_itemIndex; // now the child's own index
        if (!child->children.isEmpty())
            appendChildInputMaps(out, *child, m_itemIndex);
    }
}

void PackageEncoder::appendInputMap(QByteArray &out, const InputMapActionConfig &mapping, int parentIndex)
{
    const int activations = mapping.activationOutputs.size();
    const int deactivations = mapping.deactivationOutputs.size();
    if (activations > 255 || deactivations > 255)
        failure(QStringLiteral("mapping \"%1\" has %2 press and %3 release outputs, more than 255 in one list")
                    .arg(mapping.name)
                    .arg(activations)
                    .arg(deactivations));

    quint8 flags = 0;
    if (parentIndex >= 0)
        flags |= hasParentFlag;
    if (mapping.blockOnDeactivation)
        flags |= blocksFlag;
    if (activations > 0)
        flags |= hasActivationFlag;
    if (deactivations > 0)
        flags |= hasDeactivationFlag;

    const int start = beginItem(out, inputItem);
    appendByte(out, flags);
    appendByte(out, mapping.inputType);
    switch (mapping.inputType) {
    case InputType::Button:
        if (const auto *button = dynamic_cast<const InputMapAction_Button *>(&mapping)) {
            appendByte(out, button->buttonId);
            appendByte(out, button->activeState);
        }
        break;
    case InputType::Movement:
        if (const auto *movement = dynamic_cast<const InputMapAction_Movement *>(&mapping)) {
            appendByte(out, movement->direction);
            appendLe16(out, movement->countDivisor.value());
            appendByte(out, movement->repeat);
        }
        break;
    case InputType::Scroll:
        if (const auto *scroll = dynamic_cast<const InputMapAction_Scroll *>(&mapping)) {
            appendByte(out, scroll->wheelDirection);
            out.append("\x01\x00\x01", 3);
        }
        break;
    case InputType::ForceRegion:
        if (const auto *force = dynamic_cast<const InputMapAction_Force *>(&mapping)) {
            appendByte(out, force->buttonId);
            appendRange(out, force->entryStart, force->entryEnd);
            appendRange(out, force->exitStart, force->exitEnd);
            appendByte(out, force->forceDirection);
            appendByte(out, force->activeState);
        }
        break;
    case InputType::ForceRange:
        if (const auto *force = dynamic_cast<const InputMapAction_Force *>(&mapping)) {
            appendByte(out, force->buttonId);
            appendByte(out, force->rangeMode);
            appendRange(out, force->entryStart, force->entryEnd);
        }
        break;
    case InputType::AngleRegion:
        if (const auto *angle = dynamic_cast<const InputMapAction_Angle *>(&mapping)) {
            appendByte(out, angle->axis);
            appendRange(out, angle->entryStart, angle->entryEnd);
            appendRange(out, angle->exitStart, angle->exitEnd);
            appendByte(out, angle->angleDirection);
            appendByte(out, angle->activeState);
        }
        break;
    case InputType::AngleRange:
        if (const auto *angle = dynamic_cast<const InputMapAction_Angle *>(&mapping)) {
            appendByte(out, angle->axis);
            appendByte(out, angle->rangeMode);
            appendRange(out, angle->entryStart, angle->entryEnd);
            if (!(angle->rangeMode & 1))
                appendRange(out, angle->exitStart, angle->exitEnd);
        }
        break;
    }
    if (flags & hasParentFlag)
        appendLe16(out, quint16(parentIndex));
    if (flags & blocksFlag)
        out.append("\xFF\xFF", 2);
    if (flags & hasActivationFlag)
        appendByte(out, activations);
    if (flags & hasDeactivationFlag)
        appendByte(out, deactivations);
    endItem(out, start);

    for (const OutputPtr &output : mapping.activationOutputs)
        appendOutput(out, output.get());
    for (const OutputPtr &output : mapping.deactivationOutputs)
        appendOutput(out, output.get());
}

void PackageEncoder::appendOutput(QByteArray &out, const OutputActionConfig *output)
{
    if (!output) {
        failure(QStringLiteral("an output list holds an empty entry"));
        return;
    }
    const int start = beginItem(out, outputItem);
    appendByte(out, output->typeCode);
    switch (output->typeCode) {
    case OutputType::MousePointer:
        if (const auto *mouse = dynamic_cast<const OutputAction_Mouse *>(output)) {
            appendByte(out, mouse->pointerMode);
            appendLe16(out, mouse->xCount.value());
            appendLe16(out, mouse->yCount.value());
            appendByte(out, mouse->pointerOption);
        }
        break;
    case OutputType::MouseButton:
        if (const auto *mouse = dynamic_cast<const OutputAction_Mouse *>(output)) {
            appendByte(out, mouse->buttonId);
            appendByte(out, mouse->buttonState);
        }
        break;
    case OutputType::MouseScroll:
        if (const auto *mouse = dynamic_cast<const OutputAction_Mouse *>(output)) {
            appendByte(out, mouse->scrollAxis);
            appendLe16(out, mouse->scrollCount.value());
            appendByte(out, mouse->scrollOption);
        }
        break;
    case OutputType::Key:
        if (const auto *key = dynamic_cast<const OutputAction_Keyboard *>(output)) {
            appendByte(out, key->keyUsage);
            appendByte(out, key->buttonState);
        }
        break;
    case OutputType::MediaKey:
        if (const auto *key = dynamic_cast<const OutputAction_Keyboard *>(output)) {
            appendLe16(out, key->mediaUsage.value());
            appendByte(out, key->buttonState);
        }
        break;
    case OutputType::KeyString:
        if (const auto *text = dynamic_cast<const OutputAction_Keyboard *>(output)) {
            appendByte(out, text->keyString.size());
            out.append(text->keyString);
        }
        break;
    case OutputType::JoystickStick:
        if (const auto *stick = dynamic_cast<const OutputAction_Joystick *>(output)) {
            appendByte(out, stick->stickAxis);
            appendByte(out, stick->rangeMode);
            appendRange(out, stick->firstRangeStart, stick->firstRangeEnd);
            if (!(stick->rangeMode & 1))
                appendRange(out, stick->secondRangeStart, stick->secondRangeEnd);
        }
        break;
    case OutputType::JoystickButton:
        if (const auto *button = dynamic_cast<const OutputAction_Joystick *>(output)) {
            appendByte(out, button->buttonId);
            appendByte(out, button->buttonState);
        }
        break;
    case OutputType::JoystickSlider:
        if (const auto *slider = dynamic_cast<const OutputAction_Joystick *>(output)) {
            appendByte(out, slider->rangeMode);
            appendRange(out, slider->firstRangeStart, slider->firstRangeEnd);
        }
        break;
    case OutputType::Haptic:
        if (const auto *haptic = dynamic_cast<const OutputAction_Haptic *>(output)) {
            appendByte(out, haptic->strength);
            appendLe16(out, haptic->duration.value());
            appendByte(out, haptic->hapticOption);
            out.append("\x01\x00", 2);
        }
        break;
    case OutputType::ProfileSelect:
        if (const auto *profile = dynamic_cast<const OutputAction_Profile *>(output)) {
            appendByte(out, profile->profileIndex);
            appendByte(out, profile->profileSelection);
        }
        break;
    case OutputType::ProfileJump:
        if (const auto *profile = dynamic_cast<const OutputAction_Profile *>(output)) {
            appendByte(out, 2);
            appendByte(out, profile->profileIndex);
            appendByte(out, profile->subProfileIndex);
        }
        break;
    case OutputType::DpiSelect:
        if (const auto *dpi = dynamic_cast<const OutputAction_Tracking *>(output)) {
            appendByte(out, dpi->dpiSelectionType);
            appendLe16(out, dpi->dpiValue);
        }
        break;
    case OutputType::LiftOff:
        if (const auto *liftOff = dynamic_cast<const OutputAction_Tracking *>(output))
            appendByte(out, liftOff->liftOffLevel);
        break;
    case OutputType::Led:
        if (const auto *led = dynamic_cast<const OutputAction_Led *>(output))
            appendLed(out, led->ledMode, led->brightness, led->ledDuration, led->colour1, led->colour2);
        break;
    case OutputType::OledShow:
        if (const auto *oled = dynamic_cast<const OutputAction_Oled *>(output))
            appendOled(out, oled->oledMode, oled->message);
        break;
    case OutputType::OledFlash:
        if (const auto *oled = dynamic_cast<const OutputAction_Oled *>(output)) {
            appendByte(out, oled->flashOption);
            appendLe16(out, oled->flashDuration.value());
            appendOled(out, oled->oledMode, oled->message);
        }
        break;
    case OutputType::RepeatFrom:
        if (const auto *act = dynamic_cast<const OutputAction_Act *>(output)) {
            appendByte(out, act->repeatTarget);
            appendLe16(out, act->countOrTime.value());
        }
        break;
    case OutputType::Alternate:
        if (const auto *act = dynamic_cast<const OutputAction_Act *>(output))
            appendByte(out, act->alternateCount);
        break;
    case OutputType::StopLooping:
        if (const auto *act = dynamic_cast<const OutputAction_Act *>(output)) {
            out.append("\xFF\xFF\xFF", 3);
            appendByte(out, act->skipWaits);
        }
        break;
    case OutputType::Wait:
        if (const auto *act = dynamic_cast<const OutputAction_Act *>(output)) {
            appendLe16(out, act->countOrTime.value());
            out.append("\x00\x00", 2);
        }
        break;
    case OutputType::TiltReset:
        if (const auto *tilts = dynamic_cast<const OutputAction_Tilts *>(output))
            appendByte(out, tilts->tiltAxis);
        break;
    }
    endItem(out, start);
}

// ---------------------------------------------------------------- pieces

// A piece on its own buffer; nothing for a null profile or mapping.
template<class Source, class Append>
static QByteArray piece(const Source *source, Append append)
{
    QByteArray out;
    if (source)
        append(out, *source);
    return out;
}

QByteArray PackageEncoder::encodeProfile(const ProfileData *profile)
{
    return piece(profile, [this](QByteArray &out, const ProfileData &p) { appendProfile(out, p); });
}

QByteArray PackageEncoder::encodeProfileHeader(const ProfileData *profile)
{
    return piece(profile, [this](QByteArray &out, const ProfileData &p) { appendProfileHeader(out, p); });
}

QByteArray PackageEncoder::encodeStartupJump()
{
    QByteArray out;
    appendStartupJump(out);
    return out;
}

QByteArray PackageEncoder::encodeSettings(const ProfileData *profile)
{
    return piece(profile, [this](QByteArray &out, const ProfileData &p) { appendSettings(out, p); });
}

QByteArray PackageEncoder::encodeSettingsRecord(const ProfileData *profile, int tag)
{
    return piece(profile, [this, tag](QByteArray &out, const ProfileData &p) { appendSettingsRecord(out, p, tag); });
}

QByteArray PackageEncoder::encodeProfileOutputs(const ProfileData *profile)
{
    return piece(profile, [this](QByteArray &out, const ProfileData &p) { appendProfileOutputs(out, p); });
}

QByteArray PackageEncoder::encodeInputMaps(const ProfileData *profile)
{
    return piece(profile, [this](QByteArray &out, const ProfileData &p) { appendInputMaps(out, p); });
}

QByteArray PackageEncoder::encodeChildInputMaps(const InputMapActionConfig *mapping, int parentIndex)
{
    return piece(mapping, [this, parentIndex](QByteArray &out, const InputMapActionConfig &m) {
        appendChildInputMaps(out, m, parentIndex);
    });
}

QByteArray PackageEncoder::encodeInputMap(const InputMapActionConfig *mapping, int parentIndex)
{
    return piece(mapping, [this, parentIndex](QByteArray &out, const InputMapActionConfig &m) {
        appendInputMap(out, m, parentIndex);
    });
}

QByteArray PackageEncoder::encodeOutput(const OutputActionConfig *output)
{
    QByteArray out;
    appendOutput(out, output);
    return out;
}
