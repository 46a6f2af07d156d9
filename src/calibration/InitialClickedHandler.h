#pragma once
// The click level: the user clicks the sensor's button gently, and the mouse
// tells the force at which it clicked. It must not be below the zero level.

#include "StageHandler.h"

class InitialClickedHandler : public StageHandler
{
    Q_OBJECT

public:
    InitialClickedHandler(CalibrationUiModel *uiModel, Force::Model *model, Force::Calibrator *calibrator,
                          QObject *parent);

    void activate(int actStage) override;
    void input(const uint8_t *report) override;
    void stageComplete(int sensor, int level, int result, uint16_t forceValue) override;
};
