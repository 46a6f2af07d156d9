#include "OutputAction_Oled.h"

OutputAction_Oled::OutputAction_Oled(int typeCode)
    : OutputActionOf(typeCode)
{}

bool OutputAction_Oled::equals(const OutputActionConfig &other) const
{
    if (!sameClassAndType(other))
        return false;
    const auto &o = static_cast<const OutputAction_Oled &>(other);
    return oledMode == o.oledMode && message == o.message && flashDuration == o.flashDuration
           && flashOption == o.flashOption;
}

QString OutputAction_Oled::modeText() const
{
    switch (oledMode) {
    case 0:
        return tr("Blank");
    case 1:
        return QString::fromLatin1(message);
    case 2:
        return tr("DPI");
    case 3:
        return tr("Profile");
    case 4:
        return tr("Forces");
    case 5:
        return tr("Angles");
    case 6:
        return tr("Cube");
    case 7:
        return tr("Vers");
    default:
        return QString();
    }
}

QString OutputAction_Oled::descriptionText() const
{
    switch (typeCode) {
    case 97:
        return tr("OLED") + QLatin1Char(' ') + modeText();
    case 98:
        return tr("Previous") + QLatin1Char(' ') + tr("OLED");
    case 103:
        // flashDuration is in hundredths of a second.
        return tr("OLED") + QLatin1Char(' ') + tr("Flash") + QLatin1Char(' ') + modeText() + QLatin1Char(' ')
               + QString::number(flashDuration.value() / 100.0, 'g', 6) + tr("s");
    default:
        return QString();
    }
}
