#include "InitialClickedHandler.h"

#include "CalibrationUiModel.h"
#include "ForceCalibrator.h"

InitialClickedHandler::InitialClickedHandler(CalibrationUiModel *uiModel, Force::Model *model,
                                             Force::Calibrator *calibrator, QObject *parent)
    : StageHandler(uiModel, model, calibrator, Force::ClickForce, parent)
{}

void InitialClickedHandler::activate(int actStage)
{
    m_activationState = actStage;
    if (actStage == 0) {
        m_uiModel->setTitleText(stageTitle(Force::ClickForce));
        m_uiModel->setInstructionText(tr("Gently press the button until it just clicks\n\n"));
        m_calibrator->startStage(m_uiModel->calibrationButton(), Force::ClickForce);
    } else if (actStage == 2) {
        m_uiModel->setInstructionText(tr("Gently release the button."));
        // Where the force stood when the button went down, until the mouse
        // tells the force it clicked at.
        m_uiModel->setLeftClickLevel(m_uiModel->leftProgress());
        m_uiModel->setRightClickLevel(m_uiModel->rightProgress());
    }
}

void InitialClickedHandler::input(const uint8_t *report)
{
    m_uiModel->setLeftProgress(displayedLeft(report));
    m_uiModel->setRightProgress(displayedRight(report));
}

void InitialClickedHandler::stageComplete(int sensor, int, int result, uint16_t forceValue)
{
    if (result != Force::Calibrator::resultOk) {
        failIncorrectButton();
        return;
    }
    const uint16_t click = uint16_t(~forceValue);
    Force::Levels levels = levelsOf(sensor);
    levels[Force::ClickForce] = click;
    if (click < levels[Force::Zeroing]) {
        fail(tr("Calibration failed.\n\nClick force is lower than zero reading.\n\n"));
        return;
    }
    m_model->setSensorLevels(sensor, levels);
    if (Force::isRightSide(sensor))
        m_uiModel->setRightClickLevel(click);
    else
        m_uiModel->setLeftClickLevel(click);
    emit m_uiModel->reportResult(CalibrationUiModel::resultNext);
}
