#pragma once

#include "OutputActionConfig.h"
#include "BigEndian16.h"

// Sequence steps: Repeat From (110), Alternate (111), Stop Looping (112), Wait (113).
class OutputAction_Act : public OutputActionOf<OutputAction_Act>
{
    Q_DECLARE_TR_FUNCTIONS(OutputAction_Act)

public:
    explicit OutputAction_Act(int typeCode = 0);

    bool equals(const OutputActionConfig &other) const override;
    QString descriptionText() const override;

    quint8 alternateCount = 0;
    quint8 repeatTarget = 0;  // position in the same sequence
    BigEndian16 countOrTime;  // loops (0 forever) or milliseconds
    quint8 skipWaits = 0;
};
