#include "OutputAction_Haptic.h"

OutputAction_Haptic::OutputAction_Haptic(int typeCode)
    : OutputActionOf(classTypeCode(typeCode, {OutputType::Haptic}, "OutputAction_Haptic"))
{}

bool OutputAction_Haptic::equals(const OutputActionConfig &other) const
{
    if (!sameClassAndType(other))
        return false;
    const auto &o = static_cast<const OutputAction_Haptic &>(other);
    return strength == o.strength && duration == o.duration && hapticOption == o.hapticOption;
}

QString OutputAction_Haptic::descriptionText() const
{
    if (typeCode != OutputType::Haptic)
        return QString();
    // strength holds the shown percentage divided by 1.2; duration hundredths of a second.
    return tr("Vibrate") + QStringLiteral(" %1%, ").arg(qRound(strength * 1.2))
           + QString::number(duration.value() / 100.0, 'f', 2) + QLatin1Char(' ') + tr("sec");
}
