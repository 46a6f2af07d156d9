#include "NullHandler.h"

NullHandler::NullHandler(CalibrationUiModel *uiModel, Force::Model *model, Force::Calibrator *calibrator,
                         QObject *parent)
    : StageHandler(uiModel, model, calibrator, Force::Zeroing, parent)
{}
