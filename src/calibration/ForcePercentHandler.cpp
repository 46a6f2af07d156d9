#include "ForcePercentHandler.h"

#include "CalibrationUiModel.h"
#include "ForceCalibrator.h"

#include <algorithm>

ForcePercentHandler::ForcePercentHandler(CalibrationUiModel *uiModel, Force::Model *model,
                                         Force::Calibrator *calibrator, QObject *parent)
    : StageHandler(uiModel, model, calibrator, Force::Force40, parent)
{}

void ForcePercentHandler::setLevel(int level, const QString &pressText, const QString &releaseText)
{
    m_level = level;
    m_pressText = pressText;
    m_releaseText = releaseText;
}

void ForcePercentHandler::activate(int actStage)
{
    m_activationState = actStage;
    if (actStage == 0) {
        m_uiModel->setTitleText(stageTitle(m_level));
        m_uiModel->setInstructionText(m_pressText);
        m_calibrator->startStage(m_uiModel->calibrationButton(), m_level);
    } else if (actStage == 2) {
        m_uiModel->setInstructionText(m_releaseText);
    }
}

void ForcePercentHandler::input(const uint8_t *report)
{
    const int left = displayedLeft(report);
    const int right = displayedRight(report);
    if (m_calibrator->zeroSampleTaken()) {
        // Never below the zero: the bar starts there.
        m_uiModel->setLeftProgress(std::max(left, int(m_calibrator->leftZeroSample())));
        m_uiModel->setRightProgress(std::max(right, int(m_calibrator->rightZeroSample())));
    }
    if (m_activationState != 2)
        return;
    if (m_level == Force::Force40) {
        m_uiModel->setLeftP40Level(std::max(left, m_uiModel->leftP40Level()));
        m_uiModel->setRightP40Level(std::max(right, m_uiModel->rightP40Level()));
    } else if (m_level == Force::Force100) {
        m_uiModel->setLeftP100Level(std::max(left, m_uiModel->leftP100Level()));
        m_uiModel->setRightP100Level(std::max(right, m_uiModel->rightP100Level()));
    }
}

void ForcePercentHandler::stageComplete(int sensor, int, int result, uint16_t forceValue)
{
    if (result != Force::Calibrator::resultOk) {
        failIncorrectButton();
        return;
    }
    const uint16_t force = uint16_t(~forceValue);
    Force::Levels levels = levelsOf(sensor);
    levels[m_level] = force;
    for (int earlier = 0; earlier < m_level; ++earlier) {
        if (force < levels[earlier]) {
            fail(tr("Calibration failed.\n\n") + Force::levelLabel(m_level) + QStringLiteral(" < ")
                 + Force::levelLabel(earlier) + QStringLiteral("\n")
                 + tr("Force must be higher than previous level.\n"));
            return;
        }
    }
    m_model->setSensorLevels(sensor, levels);
    emit m_uiModel->reportResult(CalibrationUiModel::resultNext);
}
