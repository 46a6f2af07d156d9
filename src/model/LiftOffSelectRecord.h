#pragma once

#include "SettingsRecord.h"

// Lift-off height (93).
class LiftOffSelectRecord : public SettingsRecord
{
public:
    LiftOffSelectRecord();

    bool assignFrom(const SettingsRecord &other) override;
    bool equals(const SettingsRecord &other) const override;

    int liftOffLevel = 3; // 2 minimum, 3 maximum
};
