#pragma once

#include "OutputActionConfig.h"
#include "BigEndian16.h"

// Vibration output (80).
class OutputAction_Haptic : public OutputActionOf<OutputAction_Haptic>
{
    Q_DECLARE_TR_FUNCTIONS(OutputAction_Haptic)

public:
    explicit OutputAction_Haptic(int typeCode = 0);

    bool equals(const OutputActionConfig &other) const override;
    QString descriptionText() const override;

    quint8 strength = 0;  // 0 to 100, the shown percentage divided by 1.2
    BigEndian16 duration; // hundredths of a second
    int hapticOption = 0; // 0 or 128 (wait for the end)
};
