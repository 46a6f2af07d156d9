#pragma once
// Measures the force levels of one calibration sensor stage by stage from the
// mouse's live input reports, and reads and writes the mouse's calibration
// block. It only measures and reports: the stage's result goes out as
// StageComplete, and the force calibration dialog keeps the values.
//
// A stage runs from startStage to FinaliseStage, which ends the live stream
// and emits StageComplete exactly once. startZeroing switches the stream on
// without a stage: the reports are then ignored here (the dialog shows them).

#include "CommandAddress.h"
#include "ForceModel.h"
#include "MouseFunctions.h"

#include <QObject>
#include <QPointer>
#include <QVector>

#include <array>
#include <cstdint>

class QEventLoop;

namespace Force {

class Calibrator : public QObject
{
    Q_OBJECT

public:
    // Stage results.
    static constexpr int resultOk = 0;
    static constexpr int resultWrongButton = 3;
    static constexpr int zeroSamples = 32;
    // How long the block read waits for the block at most.
    static constexpr int blockReadTimeoutMs = 2000;

    Calibrator(Model *model, QObject *parent);
    ~Calibrator() override;

    void startStage(int sensor, int level);
    void startZeroing();
    void stopStreaming();
    // Ends the running stage with this result (or, with none running, reports
    // it with level 4): the stream stops and StageComplete goes out.
    void FinaliseStage(int result);

    // Reads the block stored in the mouse: waits for it at most
    // blockReadTimeoutMs, and not at all when the read could not be sent or
    // the mouse goes away. When no block came, fromMouse is false and the
    // defaults are returned.
    Block readCalibration(bool *fromMouse = nullptr);
    // Stores the model's block in the mouse; how its send ended (its answer
    // is not read: a time-out is no failure).
    MouseFunctions::ReplyWait writeCalibration(const Model &model);

    int currentSensor() const { return m_currentSensor; }
    int currentLevel() const { return m_currentLevel; }
    bool zeroSampleTaken() const { return m_zeroSampleTaken; }
    // The displayed force (0xFFFF - raw) of the last zero sample per side.
    uint16_t leftZeroSample() const { return m_leftZeroSample; }
    uint16_t rightZeroSample() const { return m_rightZeroSample; }
    int sampleCount() const { return m_sampleCount; }
    int motionCount() const { return m_motionCount; }
    int clickStep() const { return m_clickStep; }
    // The block read last (the defaults until one was read).
    Block block() const { return m_block; }

signals:
    void StageComplete(int currentButton, int currentLevel, int result, uint16_t forceValue);
    void ReportActivationChange(int actStage);

public slots:
    void UserInputEvent(QVector<uint8_t> data);
    void genericResponse(QVector<uint8_t> data);

private:
    void resetStage();
    void zeroStep(uint16_t bits, uint16_t left, uint16_t right);
    void clickStep(uint16_t bits);
    void pressStep(uint16_t bits, uint16_t left, uint16_t right);
    void sendInStep(CommandAddress address, int step, void (Calibrator::*again)());
    void armCapture();
    void readCapture();
    void captureReply(const QVector<uint8_t> &data);
    void blockReply(const QVector<uint8_t> &data);
    void endBlockRead();
    void connectInput();
    void disconnectInput();
    void appendSample(uint16_t left, uint16_t right);

    Model *m_model;
    QPointer<MouseFunctions> m_mouse;
    int m_currentSensor = none;
    int m_currentLevel = none;
    std::array<uint8_t, 16> m_latestSample{};
    std::array<uint8_t, 37> m_latestMotion{};
    int m_sampleCount = 0;
    int m_motionCount = 0;
    QVector<uint16_t> m_samples;
    int m_clickStep = 0;
    uint16_t m_leftPeak = 0xFFFF;
    uint16_t m_rightPeak = 0xFFFF;
    uint8_t m_clickButton = 255;
    bool m_zeroSampleTaken = false;
    uint16_t m_leftZeroSample = 0;
    uint16_t m_rightZeroSample = 0;
    Block m_block;
    bool m_readingBlock = false;
    bool m_blockRead = false;
    // FinaliseStage runs (it waits for the stream to stop): a second call
    // from inside that wait would report the stage twice.
    bool m_finalising = false;
    QEventLoop *m_blockWait = nullptr;
};

} // namespace Force
