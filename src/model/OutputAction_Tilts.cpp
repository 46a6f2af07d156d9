#include "OutputAction_Tilts.h"

OutputAction_Tilts::OutputAction_Tilts(int typeCode)
    : OutputActionOf(typeCode)
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
    if (typeCode != 114)
        return QString();
    QString text = tr("Reset") + QLatin1Char(' ');
    if (tiltAxis == 3)
        text += QStringLiteral("Tilt (Roll / Pitch)");
    else if (tiltAxis == 4)
        text += QStringLiteral("Pivot (Yaw)");
    return text;
}
