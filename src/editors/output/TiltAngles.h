#pragma once

#include "oawidget.h"

// Sets the mouse's present orientation as the zero of the tilt (roll and
// pitch) or of the pivot (yaw): output type 114. A fresh page holds the tilt.
class TiltAngles : public oawidget
{
    Q_OBJECT

public:
    explicit TiltAngles(QWidget *parent = nullptr);

    void load(const OutputPtr &record) override;
    void ensureConfig() override;

public slots:
    void save() override;

private:
    ComboBox *axisCombo;
};
