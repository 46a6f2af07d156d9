#include "OutputAction_Joystick.h"

OutputAction_Joystick::OutputAction_Joystick(int typeCode)
    : OutputActionOf(typeCode)
{}

bool OutputAction_Joystick::equals(const OutputActionConfig &other) const
{
    if (!sameClassAndType(other))
        return false;
    const auto &o = static_cast<const OutputAction_Joystick &>(other);
    return buttonId == o.buttonId && buttonState == o.buttonState && stickAxis == o.stickAxis
           && rangeMode == o.rangeMode && firstRangeStart == o.firstRangeStart && firstRangeEnd == o.firstRangeEnd
           && secondRangeStart == o.secondRangeStart && secondRangeEnd == o.secondRangeEnd;
}

QString OutputAction_Joystick::descriptionText() const
{
    switch (typeCode) {
    case 50:
        return tr("Joystick Output");
    case 51:
        return tr("Joystick") + QLatin1Char(' ') + tr("B%1").arg(buttonId + 1) + QLatin1Char(' ')
               + stateMarker(buttonState);
    case 52:
        // Bounds are tenths of a percent; the text shows percent.
        return QStringLiteral("%1 - %2")
            .arg(QString::number(firstRangeStart / 10.0, 'g', 6), QString::number(firstRangeEnd / 10.0, 'g', 6));
    default:
        return QString();
    }
}
