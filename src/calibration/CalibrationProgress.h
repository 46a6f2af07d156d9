#pragma once
// The tilt calibration dialog: asks the user to put the mouse down and let
// go, counts four seconds on its bar, has the mouse calibrate its tilt sensor
// and tells how it went: complete, or failed when the mouse was not there to
// take the command. Nothing happens while the device object's operation mode
// is 1.
//
// The views make it with a parent and call showIntro, which runs it modally;
// the calibration starts from inside. Cancel and Finish hide it; the opener
// deletes it.

#include <QDialog>
#include <QPointer>

#include <memory>

class MouseFunctions;
class QTimer;
namespace Ui {
class calibrationProgress;
}

class CalibrationProgress : public QDialog
{
    Q_OBJECT

public:
    static constexpr int tickMs = 1000;
    static constexpr int progressStep = 5;
    // Where the count ends and the command goes out: four ticks.
    static constexpr int countEnd = 20;
    // The operation mode in which the dialog does nothing.
    static constexpr int blockedOperationMode = 1;

    explicit CalibrationProgress(QWidget *parent);
    ~CalibrationProgress() override;

    // The introduction, modally (exec()).
    void showIntro();

public slots:
    void startCalibration();
    void showComplete();

private:
    enum class State { Intro, Counting, Sending, Done };

    void tick();
    void sendCalibration();
    void mouseConnected(bool connected);
    void showFailed();
    // Operation mode 0, the text, the bar's end, and Finish in Cancel's place.
    void showEnd(const QString &text);

    std::unique_ptr<Ui::calibrationProgress> ui;
    QPointer<MouseFunctions> m_mouse;
    int m_progress = 0;
    QTimer *m_timer = nullptr;
    State m_state = State::Intro;
};
