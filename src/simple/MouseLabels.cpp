#include "MouseLabels.h"

#include "DpiConfigureRecord.h"
#include "InputMapAction_Angle.h"
#include "InputMapAction_Button.h"
#include "InputMapAction_Scroll.h"
#include "ModelCodes.h"
#include "MouseSceneLayout.h"
#include "OledSetRecord.h"
#include "PackageCreator.h"
#include "ProfileData.h"

#include <QCoreApplication>

using namespace MouseSceneLayout;

namespace {

// The current profile, then the profiles it inherits from, each once.
QList<ProfileData *> inheritance(const PackageCreator &store)
{
    QList<ProfileData *> chain;
    ProfileData *current = store.currentProfile();
    if (!current)
        return chain;
    for (ProfileData *profile : {current, store.parentProfile(current), store.globalProfile()}) {
        if (profile && !chain.contains(profile))
            chain << profile;
    }
    return chain;
}

// A mapping's name, or the description of its outputs when it has none.
QStringList describe(const InputMapActionConfig &mapping)
{
    if (!mapping.name.isEmpty())
        return {mapping.name};
    return OutputActionConfig::summaryTexts(mapping.activationOutputs, mapping.deactivationOutputs);
}

} // namespace

int MouseLabels::maxLines(int id)
{
    return id == MiddleButton ? 4 : 3;
}

void MouseLabels::build(const PackageCreator &store)
{
    m_lines.clear();
    m_shown.clear();
    m_icons.clear();
    m_oledLine.clear();
    m_dpi.reset();
    for (const ProfileData *profile : inheritance(store))
        collect(profile->inputMaps);
    if (const ProfileData *owner = settingsOwner(store)) {
        m_oledLine = oledLine(owner->oledRecord);
        m_dpi = dpi(owner->dpiRecord);
    }
}

void MouseLabels::collect(const InputMapList &mappings)
{
    for (const InputMapPtr &mapping : mappings) {
        if (!mapping || mapping->parent)
            continue;
        const int id = sceneId(*mapping);
        if (id == NoId || m_shown.contains(id))
            continue;
        QStringList &lines = m_lines[id];
        lines = describe(*mapping);
        m_shown.insert(id, mapping.get());
        m_icons << Icon{id, inputIcons};
        for (const InputMapPtr &child : mapping->children) {
            if (!child || child->inputType != InputType::ForceRegion)
                continue;
            lines << describe(*child);
            m_icons << Icon{id, forcePressIcon};
        }
    }
}

QStringList MouseLabels::lines(int id) const
{
    QStringList all = m_lines.value(id);
    for (int partner : partners(id))
        all << m_lines.value(partner);
    return all;
}

InputMapActionConfig *MouseLabels::shownMapping(int id) const
{
    return m_shown.value(id);
}

QList<InputMapActionConfig *> MouseLabels::editorMappings(int id) const
{
    QList<InputMapActionConfig *> list;
    if (!m_shown.contains(id))
        return list;
    list << m_shown.value(id);
    for (int partner : partners(id)) {
        if (m_shown.contains(partner))
            list << m_shown.value(partner);
    }
    return list;
}

ProfileData *MouseLabels::settingsOwner(const PackageCreator &store)
{
    for (ProfileData *profile : inheritance(store)) {
        if (profile->hasOwnSettings())
            return profile;
    }
    return nullptr;
}

int MouseLabels::sceneId(const InputMapActionConfig &mapping)
{
    switch (mapping.inputType) {
    case InputType::Button: {
        // A mapping of no button (13) would otherwise land on the tilt label.
        const auto *button = dynamic_cast<const InputMapAction_Button *>(&mapping);
        return button && button->buttonId >= 0 && button->buttonId <= RightTriggerPull ? button->buttonId : NoId;
    }
    case InputType::Scroll: {
        const auto *scroll = dynamic_cast<const InputMapAction_Scroll *>(&mapping);
        if (!scroll)
            return NoId;
        return scroll->wheelDirection == 0 ? ScrollForward : scroll->wheelDirection == 1 ? ScrollBack : NoId;
    }
    case InputType::AngleRegion: {
        const auto *angle = dynamic_cast<const InputMapAction_Angle *>(&mapping);
        if (!angle)
            return NoId;
        if (angle->axis == 0)
            return angle->entryStart == 0 ? RollLeft : RollRight;
        if (angle->axis == 1)
            return angle->entryStart == 0 ? PitchForward : PitchBack;
        return NoId;
    }
    default:
        return NoId;
    }
}

QString MouseLabels::oledLine(const OledSetRecord &record)
{
    static const char *const modes[] = {
        QT_TRANSLATE_NOOP("MouseView", "Blank"),
        nullptr,
        QT_TRANSLATE_NOOP("MouseView", "Current DPI"),
        QT_TRANSLATE_NOOP("MouseView", "Current Profile"),
        QT_TRANSLATE_NOOP("MouseView", "Force Press Forces"),
        QT_TRANSLATE_NOOP("MouseView", "Tilt Angles"),
        QT_TRANSLATE_NOOP("MouseView", "Animated Cube"),
        QT_TRANSLATE_NOOP("MouseView", "Firmware Version"),
    };
    if (record.oledMode == 1)
        return QString::fromLatin1(record.message);
    if (record.oledMode < 0 || record.oledMode >= int(std::size(modes)))
        return QString();
    return QCoreApplication::translate("MouseView", modes[record.oledMode]);
}

std::optional<int> MouseLabels::dpi(const DpiConfigureRecord &record)
{
    const int index = record.currentLevel * (record.separateXY == 1 ? 2 : 1);
    if (index >= record.dpiValues.size())
        return std::nullopt;
    return record.dpiValues.at(index);
}
