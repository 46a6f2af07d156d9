#include "OutputAction_Tracking.h"

OutputAction_Tracking::OutputAction_Tracking(int typeCode)
    : OutputActionOf(typeCode)
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
    if (typeCode == 92) {
        QString text = tr("DPI") + QLatin1Char(' ');
        switch (dpiSelectionType) {
        case 1:
            return text + tr("Next Level");
        case 2:
            return text + tr("Prev Level");
        case 5:
            // dpiValue is the 0-based level; the text counts from 1.
            return text + tr("Level") + QLatin1Char(' ') + QString::number(dpiValue + 1);
        case 6:
            return text + tr("Set") + QLatin1Char(' ') + QString::number(dpiValue);
        case 7:
        case 8:
            return text + QString::number(dpiValue);
        default:
            return text;
        }
    }
    if (typeCode == 93) {
        QString text = tr("Lift Off") + QLatin1Char(' ');
        if (liftOffLevel == 2)
            text += QStringLiteral("Min");
        else if (liftOffLevel == 3)
            text += QStringLiteral("Max");
        return text;
    }
    return QString();
}
