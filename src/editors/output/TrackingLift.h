#pragma once

#include "oawidget.h"

// The lift-off height, minimum or maximum: output type 93. A fresh page
// holds the minimum.
class TrackingLift : public oawidget
{
    Q_OBJECT

public:
    explicit TrackingLift(QWidget *parent = nullptr);

    void load(const OutputPtr &record) override;
    void ensureConfig() override;

public slots:
    void save() override;

private:
    ComboBox *levelCombo;
};
