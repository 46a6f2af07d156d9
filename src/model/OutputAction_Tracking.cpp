#include "OutputAction_Tracking.h"

OutputAction_Tracking::OutputAction_Tracking(int typeCode)
    : OutputActionOf(classTypeCode(typeCode, {OutputType::DpiSelect, OutputType::LiftOff}, "OutputAction_Tracking"))
{}

bool OutputAction_Tracking::equals(const OutputActionConfig &other) const
{
    if (!sameClassAndType(other))
        return false;
    const auto &o = static_cast<const OutputAction_Tracking &>(other);
    return liftOffLevel == o.liftOffLevel && dpiSelectionType == o.dpiSelectionType && dpiValue == o.dpiValue;
}

QString OutputAction_Tracking::descriptionText() const
{
    if (typeCode == OutputType::DpiSelect) {
        QString text = tr("DPI") + QLatin1Char(' ');
        switch (dpiSelectionType) {
        case DpiNextLevel:
            return text + tr("Next Level");
        case DpiPreviousLevel:
            return text + tr("Prev Level");
        case DpiGoToLevel:
            // dpiValue is the 0-based level; the text counts from 1.
            return text + tr("Level") + QLatin1Char(' ') + QString::number(dpiValue + 1);
        case DpiSet:
            return text + tr("Set") + QLatin1Char(' ') + QString::number(dpiValue);
        case DpiIncrease:
        case DpiDecrease:
            return text + QString::number(dpiValue);
        default:
            return text;
        }
    }
    if (typeCode == OutputType::LiftOff) {
        QString text = tr("Lift Off") + QLatin1Char(' ');
        if (liftOffLevel == LiftOffMinimum)
            text += QStringLiteral("Min");
        else if (liftOffLevel == LiftOffMaximum)
            text += QStringLiteral("Max");
        return text;
    }
    return QString();
}
