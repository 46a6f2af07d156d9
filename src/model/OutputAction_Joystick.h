#pragma once

#include "OutputActionConfig.h"

// Joystick stick (50), button (51) and slider (52) outputs. The range bounds
// are ordinary integers in tenths of a percent of the input's travel.
class OutputAction_Joystick : public OutputActionOf<OutputAction_Joystick>
{
    Q_DECLARE_TR_FUNCTIONS(OutputAction_Joystick)

public:
    explicit OutputAction_Joystick(int typeCode = 0);

    bool equals(const OutputActionConfig &other) const override;
    QString descriptionText() const override;

    quint8 buttonId = 0;
    int buttonState = 0;
    int stickAxis = 0;      // 0 left-right, 1 forward-back, 2 rotate
    int rangeMode = 0;      // 2 one range, 3 mirrored, 4 two ranges
    quint16 firstRangeStart = 0;
    quint16 firstRangeEnd = 0;
    quint16 secondRangeStart = 0;
    quint16 secondRangeEnd = 0;
};
