#pragma once
// The 40 % and 100 % levels: the user presses the sensor's button as hard as
// the level asks and releases it; the hardest press counts. A level must not
// be below any level measured before it.

#include "StageHandler.h"

class ForcePercentHandler : public StageHandler
{
    Q_OBJECT

public:
    ForcePercentHandler(CalibrationUiModel *uiModel, Force::Model *model, Force::Calibrator *calibrator,
                        QObject *parent);

    // The level to measure next (Force40 or Force100) and its two texts.
    void setLevel(int level, const QString &pressText, const QString &releaseText);

    void activate(int actStage) override;
    void input(const uint8_t *report) override;
    void stageComplete(int sensor, int level, int result, uint16_t forceValue) override;

private:
    QString m_pressText;
    QString m_releaseText;
};
