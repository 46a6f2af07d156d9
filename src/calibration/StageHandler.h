#pragma once
// One stage of a force calibration, run against the calibrator: started with
// activate(0), fed the live samples while it is the current stage, and told
// the calibrator's result. It writes what the page shows into the view model
// and the measured levels into the calibration model, and ends its stage
// with the view model's reportResult: 0 on to the next stage, 2 failed.
// Handlers never touch widgets.

#include "ForceModel.h"

#include <QObject>
#include <QString>

#include <cstdint>

class CalibrationUiModel;
namespace Force {
class Calibrator;
}

class StageHandler : public QObject
{
    Q_OBJECT

public:
    // The first bytes of a live sample 20 that a handler reads.
    static constexpr int reportBytes = 16;

    StageHandler(CalibrationUiModel *uiModel, Force::Model *model, Force::Calibrator *calibrator, int level,
                 QObject *parent);

    virtual void activate(int actStage) = 0;
    virtual void input(const uint8_t *report) = 0;
    virtual void stageComplete(int sensor, int level, int result, uint16_t forceValue) = 0;

    int level() const { return m_level; }
    int status() const { return m_status; }
    int activationState() const { return m_activationState; }

    // The force as shown and stored: the complement of the raw value, which
    // falls as the force rises.
    static uint16_t displayedLeft(const uint8_t *report);
    static uint16_t displayedRight(const uint8_t *report);

protected:
    // Sets the failure's text and ends the calibration.
    void fail(const QString &text);
    void failIncorrectButton();
    // The model's levels of the sensor, four entries.
    Force::Levels levelsOf(int sensor) const;
    // "<sensor> - <level>" for the sensor being calibrated.
    QString stageTitle(int level) const;

    CalibrationUiModel *m_uiModel;
    Force::Model *m_model;
    Force::Calibrator *m_calibrator;
    int m_level;
    int m_status = 1;
    int m_activationState = 0;
};
