#include "OutputAction_Oled.h"

OutputAction_Oled::OutputAction_Oled(int typeCode)
    : OutputActionOf(classTypeCode(typeCode, {OutputType::OledShow, OutputType::OledPrevious, OutputType::OledFlash},
                                   "OutputAction_Oled"))
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
    case OledBlank:
        return tr("Blank");
    case OledMessage:
        return QString::fromLatin1(message);
    case OledDpiLevels:
        return tr("DPI");
    case OledProfile:
        return tr("Profile");
    case OledForces:
        return tr("Forces");
    case OledAngles:
        return tr("Angles");
    case OledCube:
        return tr("Cube");
    case OledFirmwareVersion:
        return tr("Vers");
    default:
        return QString();
    }
}

QString OutputAction_Oled::descriptionText() const
{
    switch (typeCode) {
    case OutputType::OledShow:
        return tr("OLED") + QLatin1Char(' ') + modeText();
    case OutputType::OledPrevious:
        return tr("Previous") + QLatin1Char(' ') + tr("OLED");
    case OutputType::OledFlash:
        // flashDuration is in hundredths of a second.
        return tr("OLED") + QLatin1Char(' ') + tr("Flash") + QLatin1Char(' ') + modeText() + QLatin1Char(' ')
               + QString::number(flashDuration.value() / 100.0, 'g', 6) + tr("s");
    default:
        return QString();
    }
}
