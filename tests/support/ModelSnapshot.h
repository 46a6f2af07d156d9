#pragma once

#include "InputMapAction_Angle.h"
#include "InputMapAction_Button.h"
#include "InputMapAction_Force.h"
#include "InputMapAction_Movement.h"
#include "InputMapAction_Scroll.h"
#include "PackageCreator.h"
#include "ProfileData.h"

#include <QString>

#include <memory>
#include <typeinfo>
#include <vector>

// An independent copy of everything the configuration file keeps of the
// model, so that a model can be compared with the one read back after the
// store was reset.
class ModelSnapshot
{
public:
    static ModelSnapshot take()
    {
        ModelSnapshot snapshot;
        PackageCreator *model = PackageCreator::instance();
        QList<ProfileData *> all = model->profiles();
        if (model->globalProfile())
            all.prepend(model->globalProfile());
        for (const ProfileData *profile : qAsConst(all))
            snapshot.m_profiles.push_back(copyOf(*profile));
        snapshot.m_autoSwitching = model->autoSwitching();
        snapshot.m_lastSelected = model->lastSelectedList();
        return snapshot;
    }

    // Empty when both hold the same; otherwise the first difference.
    QString differenceFrom(const ModelSnapshot &other) const
    {
        if (m_autoSwitching != other.m_autoSwitching)
            return QStringLiteral("automatic switching");
        if (m_lastSelected.size() != other.m_lastSelected.size())
            return QStringLiteral("number of last-selected entries");
        for (int i = 0; i < m_lastSelected.size(); ++i) {
            const LastSelectedEntry &a = m_lastSelected.at(i);
            const LastSelectedEntry &b = other.m_lastSelected.at(i);
            if (a.path != b.path || a.profileIndex != b.profileIndex || a.value != b.value)
                return QStringLiteral("last-selected entry %1").arg(i);
        }
        if (m_profiles.size() != other.m_profiles.size())
            return QStringLiteral("number of profiles %1 / %2").arg(m_profiles.size()).arg(other.m_profiles.size());
        for (size_t i = 0; i < m_profiles.size(); ++i) {
            const QString difference = profileDifference(*m_profiles[i], *other.m_profiles[i]);
            if (!difference.isEmpty())
                return QStringLiteral("profile \"%1\": %2").arg(m_profiles[i]->name, difference);
        }
        return QString();
    }

    static QString mappingDifference(const InputMapActionConfig &a, const InputMapActionConfig &b)
    {
        if (a.inputType != b.inputType || a.name != b.name || a.blockOnDeactivation != b.blockOnDeactivation)
            return QStringLiteral("mapping \"%1\" type, name or block flag").arg(a.name);
        if (!sameOutputs(a.activationOutputs, b.activationOutputs)
            || !sameOutputs(a.deactivationOutputs, b.deactivationOutputs))
            return QStringLiteral("outputs of mapping \"%1\"").arg(a.name);
        if (!sameInput(a, b))
            return QStringLiteral("input of mapping \"%1\"").arg(a.name);
        if (a.children.size() != b.children.size())
            return QStringLiteral("children of mapping \"%1\"").arg(a.name);
        for (int i = 0; i < a.children.size(); ++i) {
            if (!a.children.at(i) || !b.children.at(i))
                return QStringLiteral("empty child of mapping \"%1\"").arg(a.name);
            if (a.children.at(i)->parent != &a || b.children.at(i)->parent != &b)
                return QStringLiteral("parent link below mapping \"%1\"").arg(a.name);
            const QString difference = mappingDifference(*a.children.at(i), *b.children.at(i));
            if (!difference.isEmpty())
                return difference;
        }
        return QString();
    }

private:
    static std::unique_ptr<ProfileData> copyOf(const ProfileData &source)
    {
        auto copy = std::make_unique<ProfileData>(source.index, source.subIndex, source.name);
        copy->isDefault = source.isDefault;
        copy->linkedAppPaths = source.linkedAppPaths;
        copy->linkedAppNames = source.linkedAppNames;
        copy->dpiRecord = source.dpiRecord;
        copy->reportIntervalRecord = source.reportIntervalRecord;
        copy->liftOffRecord = source.liftOffRecord;
        copy->gameDeviceRecord = source.gameDeviceRecord;
        copy->ledRecord = source.ledRecord;
        copy->oledRecord = source.oledRecord;
        copy->autoReleaseRecord = source.autoReleaseRecord;
        copy->tiltAutoZeroingRecord = source.tiltAutoZeroingRecord;
        copy->setOwnSettings(source.hasOwnSettings());
        copy->profileOutputs = OutputActionConfig::cloneList(source.profileOutputs);
        for (const InputMapPtr &mapping : source.inputMaps)
            copy->inputMaps.append(mapping ? mapping->deepCopy() : InputMapPtr());
        return copy;
    }

    static bool sameOutputs(const OutputList &a, const OutputList &b)
    {
        if (a.size() != b.size())
            return false;
        for (int i = 0; i < a.size(); ++i) {
            if (!a.at(i) || !b.at(i) || !a.at(i)->equals(*b.at(i)))
                return false;
        }
        return true;
    }

    static bool sameInput(const InputMapActionConfig &a, const InputMapActionConfig &b)
    {
        if (typeid(a) != typeid(b))
            return false;
        if (const auto *x = dynamic_cast<const InputMapAction_Button *>(&a)) {
            const auto *y = static_cast<const InputMapAction_Button *>(&b);
            return x->buttonId == y->buttonId && x->activeState == y->activeState;
        }
        if (const auto *x = dynamic_cast<const InputMapAction_Movement *>(&a)) {
            const auto *y = static_cast<const InputMapAction_Movement *>(&b);
            return x->direction == y->direction && x->countDivisor == y->countDivisor && x->repeat == y->repeat;
        }
        if (const auto *x = dynamic_cast<const InputMapAction_Scroll *>(&a))
            return x->wheelDirection == static_cast<const InputMapAction_Scroll *>(&b)->wheelDirection;
        if (const auto *x = dynamic_cast<const InputMapAction_Force *>(&a)) {
            const auto *y = static_cast<const InputMapAction_Force *>(&b);
            return x->buttonId == y->buttonId && x->entryStart == y->entryStart && x->entryEnd == y->entryEnd
                   && x->exitStart == y->exitStart && x->exitEnd == y->exitEnd
                   && x->forceDirection == y->forceDirection && x->rangeMode == y->rangeMode
                   && x->activeState == y->activeState;
        }
        if (const auto *x = dynamic_cast<const InputMapAction_Angle *>(&a)) {
            const auto *y = static_cast<const InputMapAction_Angle *>(&b);
            return x->axis == y->axis && x->entryStart == y->entryStart && x->entryEnd == y->entryEnd
                   && x->exitStart == y->exitStart && x->exitEnd == y->exitEnd && x->rangeMode == y->rangeMode
                   && x->angleDirection == y->angleDirection && x->activeState == y->activeState;
        }
        return true;
    }

    static QString profileDifference(const ProfileData &a, const ProfileData &b)
    {
        if (a.index != b.index || a.subIndex != b.subIndex || a.name != b.name)
            return QStringLiteral("identity %1/%2 \"%3\"").arg(b.index).arg(b.subIndex).arg(b.name);
        if (a.isDefault != b.isDefault)
            return QStringLiteral("default flag");
        if (a.linkedAppPaths != b.linkedAppPaths || a.linkedAppNames != b.linkedAppNames)
            return QStringLiteral("linked applications");
        if (a.hasOwnSettings() != b.hasOwnSettings())
            return QStringLiteral("own settings");
        for (int tag : {94, 104, 93, 102, 95, 97, 115, 116}) {
            if (!a.settingsRecord(tag)->equals(*b.settingsRecord(tag)))
                return QStringLiteral("settings record %1").arg(tag);
        }
        if (!sameOutputs(a.profileOutputs, b.profileOutputs))
            return QStringLiteral("profile outputs");
        if (a.inputMaps.size() != b.inputMaps.size())
            return QStringLiteral("number of mappings %1 / %2").arg(a.inputMaps.size()).arg(b.inputMaps.size());
        for (int i = 0; i < a.inputMaps.size(); ++i) {
            if (!a.inputMaps.at(i) || !b.inputMaps.at(i))
                return QStringLiteral("empty mapping");
            if (a.inputMaps.at(i)->parent || b.inputMaps.at(i)->parent)
                return QStringLiteral("top-level mapping with a parent");
            const QString difference = mappingDifference(*a.inputMaps.at(i), *b.inputMaps.at(i));
            if (!difference.isEmpty())
                return difference;
        }
        return QString();
    }

    std::vector<std::unique_ptr<ProfileData>> m_profiles;
    bool m_autoSwitching = false;
    QList<LastSelectedEntry> m_lastSelected;
};
