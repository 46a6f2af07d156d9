#include "OutputAction_Joystick.h"

OutputAction_Joystick::OutputAction_Joystick(int typeCode)
    : OutputActionOf(classTypeCode(typeCode,
                                   {OutputType::JoystickStick, OutputType::JoystickButton, OutputType::JoystickSlider},
                                   "OutputAction_Joystick"))
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
    case OutputType::JoystickStick:
        return tr("Joystick Output");
    case OutputType::JoystickButton:
        return tr("Joystick") + QLatin1Char(' ') + tr("B%1").arg(buttonId + 1) + QLatin1Char(' ')
               + stateMarker(buttonState);
    case OutputType::JoystickSlider:
        // Bounds are tenths of a percent; the text shows percent.
        return QStringLiteral("%1 - %2")
            .arg(QString::number(firstRangeStart / 10.0, 'g', 6), QString::number(firstRangeEnd / 10.0, 'g', 6));
    default:
        return QString();
    }
}
