#pragma once

#include "OutputActionConfig.h"

// Reset of the tilt angles (114).
class OutputAction_Tilts : public OutputActionOf<OutputAction_Tilts>
{
    Q_DECLARE_TR_FUNCTIONS(OutputAction_Tilts)

public:
    // tiltAxis values.
    enum : int { RollAndPitch = 3, Yaw = 4 };

    explicit OutputAction_Tilts(int typeCode = 0);

    bool equals(const OutputActionConfig &other) const override;
    QString descriptionText() const override;

    int tiltAxis = 0; // 3 roll and pitch, 4 yaw
};
