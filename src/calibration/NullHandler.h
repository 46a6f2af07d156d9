#pragma once
// The idle stage: before a calibration, and after its success or failure.

#include "StageHandler.h"

class NullHandler : public StageHandler
{
    Q_OBJECT

public:
    NullHandler(CalibrationUiModel *uiModel, Force::Model *model, Force::Calibrator *calibrator, QObject *parent);

    void activate(int) override {}
    void input(const uint8_t *) override {}
    void stageComplete(int, int, int, uint16_t) override {}
};
