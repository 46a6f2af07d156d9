#pragma once
// The zero stage: a countdown of 8 × 100 ms with the stream on, then the
// calibrator's 32 zero samples. Either displayed force moving more than 1000
// from its first reading, all along, fails it (the hand is on the mouse).

#include "StageHandler.h"

class QTimer;

class ZeroHandler : public StageHandler
{
    Q_OBJECT

public:
    static constexpr int countdownTicks = 8;
    static constexpr int tickMs = 100;
    static constexpr int allowedMovement = 1000;
    // The calibrator's result when the hand moved.
    static constexpr int resultMoved = 2;

    ZeroHandler(CalibrationUiModel *uiModel, Force::Model *model, Force::Calibrator *calibrator, QObject *parent);

    void activate(int actStage) override;
    void input(const uint8_t *report) override;
    void stageComplete(int sensor, int level, int result, uint16_t forceValue) override;

private:
    void tick();

    QTimer *m_countdownTimer = nullptr;
    int m_counter = 0;
    uint16_t m_firstLeft = 0;
    uint16_t m_firstRight = 0;
    bool m_awaitingFirst = true;
};
