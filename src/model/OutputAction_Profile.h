#pragma once

#include "OutputActionConfig.h"

#include <QString>

// Relative profile change (90) and go-to-profile (91) outputs.
class OutputAction_Profile : public OutputActionOf<OutputAction_Profile>
{
    Q_DECLARE_TR_FUNCTIONS(OutputAction_Profile)

public:
    // profileSelection values.
    enum : int { NextProfile = 1, PreviousProfile = 2, ParentProfile = 3, SubProfile = 4 };

    explicit OutputAction_Profile(int typeCode = 0);

    bool equals(const OutputActionConfig &other) const override;
    QString descriptionText() const override;

    quint8 profileIndex = 255;    // 255 none
    quint8 subProfileIndex = 255; // 255 none
    QString profileName;
    int profileSelection = 0;     // 1 next, 2 previous, 3 parent, 4 sub-profile
};
