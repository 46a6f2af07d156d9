#include "OutputActionConfig.h"

#include "Markers.h"
#include "OutputAction_Keyboard.h"
#include "OutputAction_Mouse.h"

#include <typeinfo>

namespace {

OutputActionConfig::SupportFilter &supportFilter()
{
    static OutputActionConfig::SupportFilter filter;
    return filter;
}

// The button state of a click, key or media key output; -1 for other outputs.
int pairedState(const OutputActionConfig &output)
{
    switch (output.typeCode) {
    case OutputType::MouseButton:
        if (auto mouse = dynamic_cast<const OutputAction_Mouse *>(&output))
            return mouse->buttonState;
        break;
    case OutputType::Key:
    case OutputType::MediaKey:
        if (auto key = dynamic_cast<const OutputAction_Keyboard *>(&output))
            return key->buttonState;
        break;
    default:
        break;
    }
    return -1;
}

// Both outputs act on the same button, key or media key.
bool sameTarget(const OutputActionConfig &a, const OutputActionConfig &b)
{
    if (a.typeCode != b.typeCode)
        return false;
    if (a.typeCode == OutputType::MouseButton) {
        const auto *ma = dynamic_cast<const OutputAction_Mouse *>(&a);
        const auto *mb = dynamic_cast<const OutputAction_Mouse *>(&b);
        return ma && mb && ma->buttonId == mb->buttonId;
    }
    const auto *ka = dynamic_cast<const OutputAction_Keyboard *>(&a);
    const auto *kb = dynamic_cast<const OutputAction_Keyboard *>(&b);
    if (!ka || !kb)
        return false;
    if (a.typeCode == OutputType::Key)
        return ka->keyUsage == kb->keyUsage;
    return ka->mediaUsage.low() == kb->mediaUsage.low();
}

void setState(OutputActionConfig &output, int state)
{
    if (auto mouse = dynamic_cast<OutputAction_Mouse *>(&output))
        mouse->buttonState = state;
    else if (auto key = dynamic_cast<OutputAction_Keyboard *>(&output))
        key->buttonState = state;
}

// Position in list of the first release of the same target as press, or -1.
int findRelease(const OutputList &list, const OutputActionConfig &press)
{
    for (int i = 0; i < list.size(); ++i) {
        const OutputPtr &candidate = list.at(i);
        if (candidate && sameTarget(*candidate, press) && pairedState(*candidate) == OutputActionConfig::ButtonRelease)
            return i;
    }
    return -1;
}

} // namespace

OutputActionConfig::OutputActionConfig(int typeCode)
    : typeCode(typeCode)
{
}

OutputActionConfig::~OutputActionConfig() = default;

OutputList OutputActionConfig::cloneList(const OutputList &list)
{
    OutputList copies;
    copies.reserve(list.size());
    for (const OutputPtr &record : list)
        copies.append(record ? record->clone() : OutputPtr());
    return copies;
}

QString OutputActionConfig::listText(const OutputList &outputs, bool stopFurther, const QString &separator)
{
    QString text;
    bool shown = false;
    for (const OutputPtr &output : outputs) {
        if (!output || !isSupported(*output))
            continue;
        if (shown)
            text += separator;
        text += output->descriptionText();
        shown = true;
    }
    if (!shown)
        text = tr("Do Nothing");
    if (stopFurther)
        text += QStringLiteral(" | ") + tr("Stop Further Outputs");
    return text;
}

QStringList OutputActionConfig::summaryTexts(const OutputList &press, const OutputList &release)
{
    OutputList pressList = cloneList(press);
    OutputList releaseList = cloneList(release);

    for (int i = 0; i < pressList.size(); ++i) {
        OutputActionConfig *output = pressList.at(i).get();
        if (!output || pairedState(*output) != ButtonPress)
            continue;
        int found = findRelease(pressList, *output);
        if (found >= 0) {
            pressList.removeAt(found);
            // The release stood before the press: the press moved one place
            // towards the front, and the loop must not step over its follower.
            if (found < i)
                --i;
        } else {
            found = findRelease(releaseList, *output);
            if (found < 0)
                continue;
            releaseList.removeAt(found);
        }
        setState(*output, ButtonTap);
    }

    QStringList lines;
    if (!pressList.isEmpty())
        lines << listText(pressList, false, QStringLiteral(" + "));
    if (!releaseList.isEmpty())
        lines << listText(releaseList, false, QStringLiteral(" | "));
    if (lines.isEmpty())
        lines << tr("None");
    return lines;
}

void OutputActionConfig::setOutputSupportFilter(SupportFilter filter)
{
    supportFilter() = std::move(filter);
}

bool OutputActionConfig::isSupported(const OutputActionConfig &output)
{
    const SupportFilter &filter = supportFilter();
    return !filter || filter(output);
}

QString OutputActionConfig::stateMarker(int buttonState)
{
    if (buttonState == ButtonPress)
        return pressMarker;
    if (buttonState == ButtonRelease)
        return releaseMarker;
    return QString();
}

bool OutputActionConfig::sameClassAndType(const OutputActionConfig &other) const
{
    return typeid(*this) == typeid(other) && typeCode == other.typeCode;
}
