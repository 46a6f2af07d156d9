#include "StageHandler.h"

#include "CalibrationUiModel.h"
#include "ForceCalibrator.h"

StageHandler::StageHandler(CalibrationUiModel *uiModel, Force::Model *model, Force::Calibrator *calibrator, int level,
                           QObject *parent)
    : QObject(parent)
    , m_uiModel(uiModel)
    , m_model(model)
    , m_calibrator(calibrator)
    , m_level(level)
{}

uint16_t StageHandler::displayedLeft(const uint8_t *report)
{
    return uint16_t(0xFFFF - (report[8] | report[9] << 8));
}

uint16_t StageHandler::displayedRight(const uint8_t *report)
{
    return uint16_t(0xFFFF - (report[10] | report[11] << 8));
}

void StageHandler::fail(const QString &text)
{
    m_uiModel->setInstructionText(text);
    emit m_uiModel->reportResult(CalibrationUiModel::resultFailed);
}

void StageHandler::failIncorrectButton()
{
    fail(tr("Calibration failed.\n\nIncorrect button press detected."));
}

Force::Levels StageHandler::levelsOf(int sensor) const
{
    Force::Levels levels = m_model->sensorLevels(sensor);
    while (levels.size() < Force::levelCount)
        levels.append(0);
    return levels;
}

QString StageHandler::stageTitle(int level) const
{
    return Force::sensorLabel(m_uiModel->calibrationButton()) + QStringLiteral(" - ") + Force::levelLabel(level);
}
