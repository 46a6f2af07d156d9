#pragma once

#include "OutputActionConfig.h"
#include "BigEndian16.h"

// Logo LED output (95). Colours are red, green, blue.
class OutputAction_Led : public OutputActionOf<OutputAction_Led>
{
    Q_DECLARE_TR_FUNCTIONS(OutputAction_Led)

public:
    // ledMode values; the LED settings record uses the same.
    enum : int { LedOff = 0, LedSolidColour = 1, LedColourCycle = 2 };

    explicit OutputAction_Led(int typeCode = 0);

    bool equals(const OutputActionConfig &other) const override;
    QString descriptionText() const override;

    quint8 ledMode = 0;           // 0 off, 1 solid colour, 2 colour cycle
    quint8 brightness = 100;
    BigEndian16 ledDuration;      // hundredths of a second
    quint8 colour1[3] = {0, 0, 0};
    quint8 colour2[3] = {0, 0, 0};
};
