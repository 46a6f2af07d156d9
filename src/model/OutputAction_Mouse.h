#pragma once

#include "OutputActionConfig.h"
#include "BigEndian16.h"

// Pointer movement (10), mouse button (12) and scroll (13) outputs.
class OutputAction_Mouse : public OutputActionOf<OutputAction_Mouse>
{
    Q_DECLARE_TR_FUNCTIONS(OutputAction_Mouse)

public:
    // Buttons with names of their own; buttonId n >= 3 is the extra button n + 1.
    enum : int { LeftButton = 0, RightButton = 1, MiddleButton = 2 };

    explicit OutputAction_Mouse(int typeCode = 0);

    bool equals(const OutputActionConfig &other) const override;
    QString descriptionText() const override;

    int pointerMode = 0;
    BigEndian16 xCount;      // signed counts
    BigEndian16 yCount;      // signed counts
    quint8 pointerOption = 0;
    quint8 buttonId = 0;     // 0 left, 1 right, 2 middle, n >= 3 extra button n + 1
    int buttonState = 0;     // 0 release, 1 tap, 2 press
    int scrollAxis = 0;      // 0 vertical, 1 horizontal
    BigEndian16 scrollCount; // signed: positive up or right
    quint8 scrollOption = 0;
};
