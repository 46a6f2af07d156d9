#pragma once

#include "OutputActionConfig.h"
#include "BigEndian16.h"

#include <QByteArray>

// OLED show (97), show previous (98) and show for a time (103) outputs.
class OutputAction_Oled : public OutputActionOf<OutputAction_Oled>
{
    Q_DECLARE_TR_FUNCTIONS(OutputAction_Oled)

public:
    // oledMode values; the OLED settings record uses the same.
    enum : int {
        OledBlank = 0,
        OledMessage = 1,
        OledDpiLevels = 2,
        OledProfile = 3,
        OledForces = 4,
        OledAngles = 5,
        OledCube = 6,
        OledFirmwareVersion = 7,
    };

    explicit OutputAction_Oled(int typeCode = 0);

    bool equals(const OutputActionConfig &other) const override;
    QString descriptionText() const override;

    int oledMode = 0;        // 0 blank, 1 custom message, 2 DPI, 3 profile, 4 forces, 5 angles, 6 cube, 7 firmware
    QByteArray message;      // Latin-1, used with oledMode 1
    BigEndian16 flashDuration; // hundredths of a second
    int flashOption = 0;     // 0 none, 1 wait

private:
    // The word for oledMode in descriptions: the message itself for mode 1.
    QString modeText() const;
};
