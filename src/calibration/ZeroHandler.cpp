#include "ZeroHandler.h"

#include "CalibrationUiModel.h"
#include "ForceCalibrator.h"

#include <QTimer>

#include <cstdlib>

namespace {
QString zeroingText()
{
    return ZeroHandler::tr("Zeroing force sensors. \n\nPlease wait... ");
}
} // namespace

ZeroHandler::ZeroHandler(CalibrationUiModel *uiModel, Force::Model *model, Force::Calibrator *calibrator,
                         QObject *parent)
    : StageHandler(uiModel, model, calibrator, Force::Zeroing, parent)
{}

void ZeroHandler::activate(int actStage)
{
    m_activationState = actStage;
    if (actStage != 0)
        return;
    m_firstLeft = 0;
    m_firstRight = 0;
    m_awaitingFirst = true;
    m_status = 1;
    m_uiModel->setInstructionText(zeroingText());
    delete m_countdownTimer;
    m_countdownTimer = new QTimer(this);
    m_counter = countdownTicks;
    connect(m_countdownTimer, &QTimer::timeout, this, &ZeroHandler::tick);
    m_calibrator->startZeroing();
    m_countdownTimer->start(tickMs);
}

void ZeroHandler::tick()
{
    if (m_status != 1)
        return;
    --m_counter;
    m_uiModel->setInstructionText(zeroingText() + QString::number(m_counter));
    if (m_counter > 0)
        return;
    m_countdownTimer->stop();
    m_calibrator->startStage(m_uiModel->calibrationButton(), Force::Zeroing);
}

void ZeroHandler::input(const uint8_t *report)
{
    const uint16_t left = displayedLeft(report);
    const uint16_t right = displayedRight(report);
    m_uiModel->setLeftProgress(left);
    m_uiModel->setRightProgress(right);
    if (m_awaitingFirst) {
        m_firstLeft = left;
        m_firstRight = right;
        m_awaitingFirst = false;
        return;
    }
    // Both sides, whatever the sensor: a hand anywhere on the mouse spoils
    // the zero.
    if (std::abs(int(m_firstLeft) - int(left)) > allowedMovement
        || std::abs(int(m_firstRight) - int(right)) > allowedMovement)
        m_calibrator->FinaliseStage(resultMoved);
}

void ZeroHandler::stageComplete(int sensor, int, int result, uint16_t forceValue)
{
    m_status = result;
    if (result == Force::Calibrator::resultWrongButton) {
        fail(tr("Calibration failed.\n\nEnsure all buttons are released and your hand is off the mouse."));
        return;
    }
    if (result == resultMoved) {
        fail(tr("Zero failed.\n\nFailed to zero sensors. Ensure your hand is off the mouse."));
        return;
    }
    const uint16_t zero = uint16_t(~forceValue);
    Force::Levels levels = levelsOf(sensor);
    levels[Force::Zeroing] = zero;
    if (Force::isRightSide(sensor)) {
        m_uiModel->setRightZeroLevel(zero);
        m_model->setRightZero(zero);
    } else {
        m_uiModel->setLeftZeroLevel(zero);
        m_model->setLeftZero(zero);
    }
    m_model->setSensorLevels(sensor, levels);
    emit m_uiModel->reportResult(CalibrationUiModel::resultNext);
}
