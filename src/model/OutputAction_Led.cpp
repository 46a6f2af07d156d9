#include "OutputAction_Led.h"

#include <algorithm>

OutputAction_Led::OutputAction_Led(int typeCode)
    : OutputActionOf(classTypeCode(typeCode, {OutputType::Led}, "OutputAction_Led"))
{
    // The values a new record of the editor starts with.
    ledDuration.setValue(500);
}

bool OutputAction_Led::equals(const OutputActionConfig &other) const
{
    if (!sameClassAndType(other))
        return false;
    const auto &o = static_cast<const OutputAction_Led &>(other);
    return ledMode == o.ledMode && brightness == o.brightness && ledDuration == o.ledDuration
           && std::equal(colour1, colour1 + 3, o.colour1) && std::equal(colour2, colour2 + 3, o.colour2);
}

QString OutputAction_Led::descriptionText() const
{
    if (typeCode != OutputType::Led)
        return QString();
    QString text = tr("Backlight") + QLatin1Char(' ');
    switch (ledMode) {
    case LedOff:
        return text + tr("Off");
    case LedSolidColour:
        return text + tr("Solid Colour");
    case LedColourCycle:
        return text + tr("Cycle");
    default:
        return text;
    }
}
