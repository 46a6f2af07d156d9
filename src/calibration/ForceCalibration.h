#pragma once
// The force sensor calibration dialog. The start page offers the calibration
// sensors of the connected model; Calibrate runs one calibration on the
// progress page (a countdown, then the zero, click, 40 % and 100 % stages,
// each a StageHandler), and a success stores the whole calibration in the
// mouse. Finish goes back to the start page for another sensor.
//
// The views open it with a parent, call loadAndExec and delete it when that
// returns. loadAndExec reads the calibration stored in the mouse first: when
// that fails the start page says so and offers no calibration, since a
// success would overwrite the other sensors' levels with made-up ones.

#include "CalibrationUiModel.h"
#include "ForceModel.h"

#include <QDialog>
#include <QPointer>
#include <QVector>

#include <array>
#include <cstdint>

class ForceLevelProgressBar;
class ForcePercentHandler;
class InitialClickedHandler;
class MouseFunctions;
class NullHandler;
class QComboBox;
class QLabel;
class QPushButton;
class QStackedWidget;
class QTimer;
class StageHandler;
class ZeroHandler;
namespace Force {
class Calibrator;
}

class ForceCalibration : public QDialog
{
    Q_OBJECT

public:
    // The stages of one calibration (stage 0: none started yet).
    enum Stage : int {
        StageNone = 0,
        StageCountdown = 1,
        StageZero = 2,
        StageClick = 3,
        Stage40 = 4,
        Stage100 = 5,
        StageSucceeded = 6,
        StageFailed = 7,
    };

    explicit ForceCalibration(QWidget *parent);
    ~ForceCalibration() override;

    // load(), then exec().
    void loadAndExec();
    // Reads the calibration stored in the mouse into the model; true when
    // the mouse sent it. Otherwise the start page tells the user, and
    // Calibrate stays disabled.
    bool load();

public slots:
    // Calibrate: the countdown of the chosen sensor's calibration.
    void startCalibration();
    // Finish: back to the start page.
    void showStartPage();
    void refreshView();
    void HandleStateChange(int result);
    void UserInputEvent(QVector<uint8_t> data);
    void StageComplete(int currentButton, int currentLevel, int result, uint16_t forceValue);
    void ReportActivationChange(int actStage);

private:
    void buildStartPage(const QString &modelKey);
    void buildProgressPage(const QString &modelKey);
    // The handler of a measuring stage (zero to 100 %), set up for it.
    StageHandler *handlerFor(int stage);
    void runHandler(StageHandler *handler);
    void startCountdown();
    void endCalibration();
    void storeCalibration();
    void writeCalibration();

    QPointer<MouseFunctions> m_mouse;
    Force::Model m_model;
    Force::Calibrator *m_calibrator;
    CalibrationUiModel m_uiModel;
    NullHandler *m_nullHandler;
    ZeroHandler *m_zeroHandler;
    InitialClickedHandler *m_initialClickedHandler;
    ForcePercentHandler *m_forcePercentHandler;
    QComboBox *m_sensorCombo = nullptr;
    ForceLevelProgressBar *m_levelBar = nullptr;
    QPushButton *m_finishButton = nullptr;
    QPushButton *m_cancelButton = nullptr;
    QStackedWidget *m_pages = nullptr;
    QLabel *m_titleLabel = nullptr;
    QLabel *m_instructionLabel = nullptr;
    QLabel *m_startText = nullptr;
    QPushButton *m_calibrateButton = nullptr;
    QTimer *m_countdownTimer = nullptr;
    int m_stage = StageNone;
    std::array<uint8_t, 16> m_reportBuffer{};
};
