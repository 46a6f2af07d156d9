#include "PickerEdits.h"

#include "DisplayText.h"
#include "OutputAction_Haptic.h"
#include "PackageCreator.h"

#include <QFontMetrics>

namespace PickerEdits {

QString outputSummary(const InputMapActionConfig &mapping)
{
    return OutputActionConfig::summaryTexts(mapping.activationOutputs, mapping.deactivationOutputs)
        .join(QStringLiteral(", "));
}

QString comboText(const InputMapActionConfig &mapping, bool simple)
{
    if (simple)
        return mapping.name.isEmpty() ? outputSummary(mapping) : mapping.name;
    const QString outputs = OutputActionConfig::listText(mapping.activationOutputs, false, QStringLiteral(" | "));
    return mapping.name.isEmpty() ? outputs : mapping.name + QStringLiteral(" : ") + outputs;
}

QString elided(const QString &text, const QFontMetrics &metrics, int room)
{
    if (metrics.horizontalAdvance(text) <= room)
        return text;
    // Cut between whole characters only, so that none is left in halves.
    const QString shown = DisplayText::longestFittingStart(
        text, [&metrics, room](const QString &start) { return metrics.horizontalAdvance(start) <= room; });
    return shown + QStringLiteral("...");
}

InputMapActionConfig *writable(InputMapActionConfig *mapping, bool *copied)
{
    *copied = false;
    PackageCreator *model = PackageCreator::instance();
    if (!mapping || model->containsInputMap(mapping))
        return mapping;
    const InputMapPtr copy = model->copyIntoCurrentProfile(mapping);
    if (!copy)
        return mapping; // no current profile to copy into
    *copied = true;
    return copy.get();
}

void storeOutputs(InputMapActionConfig *mapping, OutputList press, OutputList release, const QString &pressName)
{
    PackageCreator *model = PackageCreator::instance();
    if (!mapping || model->loading)
        return;
    if (mapping->isActivationOnly()) {
        press += release;
        release.clear();
    }
    model->editActivationOutputs(&mapping->activationOutputs, mapping);
    model->setEditedOutputs(press, true, pressName);
    model->editDeactivationOutputs(&mapping->deactivationOutputs, mapping);
    model->setEditedOutputs(release, false, QString());
}

QList<InputMapActionConfig *> addChildren(InputMapActionConfig *mapping, const LibraryEntry &entry)
{
    QList<InputMapActionConfig *> added;
    if (!mapping || mapping->isActivationOnly() || PackageCreator::instance()->loading)
        return added;
    for (const LibraryEntryPtr &child : entry.children) {
        if (!child || !child->inputMapping)
            continue;
        // Child entries share their mappings with the library's own.
        InputMapPtr copy = child->inputMapping->deepCopy();
        copy->name = child->name;
        mapping->addChild(copy);
        added << copy.get();
    }
    return added;
}

void rename(InputMapActionConfig *mapping, const QString &name)
{
    PackageCreator *model = PackageCreator::instance();
    if (!mapping || model->loading)
        return;
    model->editActivationOutputs(&mapping->activationOutputs, mapping);
    model->setEditedMappingName(name);
}

std::shared_ptr<OutputAction_Haptic> firstHaptic(const OutputList &outputs)
{
    for (const OutputPtr &output : outputs) {
        if (output && output->typeCode == OutputType::Haptic) {
            if (auto haptic = std::dynamic_pointer_cast<OutputAction_Haptic>(output))
                return haptic;
        }
    }
    return nullptr;
}

bool vibrates(const InputMapActionConfig &mapping)
{
    const auto haptic = firstHaptic(mapping.activationOutputs);
    return haptic && haptic->strength != 0;
}

} // namespace PickerEdits
