#pragma once

#include "OutputActionConfig.h"

// DPI (92) and lift-off (93) outputs. dpiValue is an ordinary integer.
class OutputAction_Tracking : public OutputActionOf<OutputAction_Tracking>
{
    Q_DECLARE_TR_FUNCTIONS(OutputAction_Tracking)

public:
    // dpiSelectionType values.
    enum : int {
        DpiNextLevel = 1,
        DpiPreviousLevel = 2,
        DpiGoToLevel = 5, // dpiValue is the 0-based level
        DpiSet = 6,
        DpiIncrease = 7,
        DpiDecrease = 8,
    };
    // liftOffLevel values.
    enum : int { LiftOffMinimum = 2, LiftOffMaximum = 3 };

    explicit OutputAction_Tracking(int typeCode = 0);

    bool equals(const OutputActionConfig &other) const override;
    QString descriptionText() const override;

    int liftOffLevel = 0;     // 2 minimum, 3 maximum
    int dpiSelectionType = 0; // 1 next, 2 previous, 5 go to level, 6 set, 7 increase, 8 decrease
    quint16 dpiValue = 0;
};
