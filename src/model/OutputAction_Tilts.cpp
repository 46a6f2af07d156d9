#include "OutputAction_Tilts.h"

OutputAction_Tilts::OutputAction_Tilts(int typeCode)
    : OutputActionOf(classTypeCode(typeCode, {OutputType::TiltReset}, "OutputAction_Tilts"))
{}

bool OutputAction_Tilts::equals(const OutputActionConfig &other) const
{
    if (!sameClassAndType(other))
        return false;
    const auto &o = static_cast<const OutputAction_Tilts &>(other);
    return tiltAxis == o.tiltAxis;
}

QString OutputAction_Tilts::descriptionText() const
{
    if (typeCode != OutputType::TiltReset)
        return QString();
    QString text = tr("Reset") + QLatin1Char(' ');
    if (tiltAxis == RollAndPitch)
        text += QStringLiteral("Tilt (Roll / Pitch)");
    else if (tiltAxis == Yaw)
        text += QStringLiteral("Pivot (Yaw)");
    return text;
}
