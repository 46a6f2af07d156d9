#pragma once

#include "SettingsRecord.h"

// Lift-off height (93).
class LiftOffSelectRecord : public SettingsRecordOf<LiftOffSelectRecord>
{
public:
    LiftOffSelectRecord();

    auto fields() const { return std::tie(liftOffLevel); }

    int liftOffLevel = 3; // 2 minimum, 3 maximum
};
