#include "ForceCalibrator.h"

#include "CommandAddress.h"
#include "ExpectedReply.h"
#include "GeneralControlCommand.h"
#include "MouseFunctions.h"

#include <QDebug>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <numeric>

namespace Force {

namespace {
using ReplyWait = MouseFunctions::ReplyWait;

using DeviceCommand::clickCaptureArmCommand;
using DeviceCommand::clickCaptureQuery;
using DeviceCommand::forceCalibrationQuery;
using DeviceCommand::forceCalibrationWriteCommand;

// The mouse keeps the forces of the press for this long before it can be
// asked for them.
constexpr int captureSettleMs = 50;
constexpr int captureSleepStepMs = 10;
// Trying a command again while another one still waits for its reply.
constexpr int busyRetryMs = 10;

// Where a reply's data starts.
constexpr int replyData = 5;

GeneralControlCommand command(CommandAddress address, QVector<uint8_t> payload = {})
{
    return GeneralControlCommand(address.commandClass, address.group, address.command, std::move(payload));
}

uint16_t le16(const uint8_t *at)
{
    return uint16_t(at[0] | at[1] << 8);
}
} // namespace

Calibrator::Calibrator(Model *model, QObject *parent)
    : QObject(parent)
    , m_model(model)
    , m_mouse(MouseFunctions::instance())
    , m_block(defaultBlock())
{
    // StageComplete's force, for queued connections and spies.
    qRegisterMetaType<uint16_t>("uint16_t");
    m_samples.reserve(zeroSamples);
}

Calibrator::~Calibrator()
{
    m_currentSensor = none;
    m_currentLevel = none;
    resetStage();
    if (!m_mouse)
        return;
    disconnect(m_mouse, nullptr, this, nullptr);
    m_mouse->setInputStreaming(false);
}

void Calibrator::resetStage()
{
    m_samples.clear();
    m_sampleCount = 0;
    m_motionCount = 0;
    m_clickStep = 0;
    m_leftPeak = 0xFFFF;
    m_rightPeak = 0xFFFF;
    m_clickButton = 255;
}

void Calibrator::connectInput()
{
    // Once only: startZeroing and the zero stage both ask for the input, and
    // every report must count once.
    if (m_mouse)
        connect(m_mouse, &MouseFunctions::UserInputEvent, this, &Calibrator::UserInputEvent, Qt::UniqueConnection);
}

void Calibrator::disconnectInput()
{
    if (m_mouse)
        disconnect(m_mouse, &MouseFunctions::UserInputEvent, this, &Calibrator::UserInputEvent);
}

void Calibrator::startStage(int sensor, int level)
{
    m_currentSensor = sensor;
    m_currentLevel = level;
    m_latestSample.fill(0);
    m_latestMotion.fill(0);
    resetStage();
    m_samples.reserve(zeroSamples);
    connectInput();
    if (m_mouse)
        m_mouse->setInputStreaming(true);
}

void Calibrator::startZeroing()
{
    connectInput();
    if (m_mouse)
        m_mouse->setInputStreaming(true);
}

void Calibrator::stopStreaming()
{
    disconnectInput();
    if (m_mouse)
        m_mouse->setInputStreaming(false);
}

void Calibrator::FinaliseStage(int result)
{
    if (m_finalising)
        return;
    m_finalising = true;
    qDebug() << "FinaliseStage result:" << result;
    stopStreaming();
    const uint16_t forceValue =
        m_samples.isEmpty()
            ? 0
            : uint16_t(std::accumulate(m_samples.cbegin(), m_samples.cend(), 0u) / unsigned(m_samples.size()));
    resetStage();
    const int level = m_currentLevel;
    m_currentLevel = none;
    m_finalising = false;
    emit StageComplete(m_currentSensor, level, result, forceValue);
}

// --- Live input --------------------------------------------------------------

void Calibrator::UserInputEvent(QVector<uint8_t> data)
{
    if (m_currentSensor == none || m_currentLevel == none || data.isEmpty())
        return;
    if (data[0] == ExpectedReply::liveSampleId) {
        m_latestSample.fill(0);
        std::copy_n(data.cbegin(), std::min(int(m_latestSample.size()), data.size()), m_latestSample.begin());
        ++m_sampleCount;
    } else if (data[0] == ExpectedReply::liveMotionId) {
        m_latestMotion.fill(0);
        std::copy_n(data.cbegin(), std::min(int(m_latestMotion.size()), data.size()), m_latestMotion.begin());
        ++m_motionCount;
    } else {
        return;
    }
    // A report 23 repeats the last report 20's values; before the first
    // one there are none.
    if (m_sampleCount == 0)
        return;
    // Report 20: button bits at bytes 1-2, forces at 8-9 (left), 10-11 (right).
    const uint16_t bits = le16(&m_latestSample[1]);
    const uint16_t left = le16(&m_latestSample[8]);
    const uint16_t right = le16(&m_latestSample[10]);
    switch (m_currentLevel) {
    case Zeroing:
        zeroStep(bits, left, right);
        break;
    case ClickForce:
        clickStep(bits);
        break;
    case Force40:
    case Force100:
        pressStep(bits, left, right);
        break;
    default:
        break;
    }
}

void Calibrator::appendSample(uint16_t left, uint16_t right)
{
    m_samples.append(isRightSide(m_currentSensor) ? right : left);
}

void Calibrator::zeroStep(uint16_t bits, uint16_t left, uint16_t right)
{
    if (bits != 0) {
        FinaliseStage(resultWrongButton);
        return;
    }
    appendSample(left, right);
    if (isRightSide(m_currentSensor))
        m_rightZeroSample = uint16_t(~right);
    else
        m_leftZeroSample = uint16_t(~left);
    m_zeroSampleTaken = true;
    emit m_model->changed();
    if (m_samples.size() >= zeroSamples)
        FinaliseStage(resultOk);
}

void Calibrator::clickStep(uint16_t bits)
{
    const uint16_t mask = buttonMask(m_currentSensor);
    switch (m_clickStep) {
    case 0:
        // Moved on first: reports that arrive while the command waits run
        // the next step.
        m_clickStep = 1;
        armCapture();
        break;
    case 1:
        if (bits == 0)
            break;
        if (bits != mask) {
            FinaliseStage(resultWrongButton);
            break;
        }
        m_clickStep = 2;
        emit ReportActivationChange(2);
        break;
    case 2:
        if (bits != 0 && bits != mask) {
            FinaliseStage(resultWrongButton);
            break;
        }
        if (bits == mask)
            break; // still pressed
        stopStreaming();
        if (m_mouse)
            connect(m_mouse, &MouseFunctions::genericResponse, this, &Calibrator::genericResponse,
                    Qt::ConnectionType(Qt::QueuedConnection | Qt::UniqueConnection));
        {
            QElapsedTimer clock;
            clock.start();
            while (clock.elapsed() < captureSettleMs)
                QThread::msleep(captureSleepStepMs);
        }
        m_clickStep = 3;
        readCapture();
        emit ReportActivationChange(3);
        break;
    default:
        break;
    }
}

// A report may reach the stage while another command waits for its reply:
// the command then goes out as soon as none waits, if the stage still needs
// it.
void Calibrator::sendInStep(CommandAddress address, int step, void (Calibrator::*again)())
{
    if (m_clickStep != step || m_currentLevel != ClickForce || !m_mouse)
        return;
    if (m_mouse->sendCommand(command(address)) == ReplyWait::Busy)
        QTimer::singleShot(busyRetryMs, this, again);
}

void Calibrator::armCapture()
{
    sendInStep(clickCaptureArmCommand, 1, &Calibrator::armCapture);
}

void Calibrator::readCapture()
{
    sendInStep(clickCaptureQuery, 3, &Calibrator::readCapture);
}

void Calibrator::pressStep(uint16_t bits, uint16_t left, uint16_t right)
{
    const uint16_t mask = buttonMask(m_currentSensor);
    if (bits != 0 && bits != mask) {
        FinaliseStage(resultWrongButton);
        return;
    }
    if (m_clickStep == 0)
        m_clickStep = 1;
    if (m_clickStep == 1 && bits != 0) {
        m_clickStep = 2;
        emit ReportActivationChange(2);
    }
    if (m_clickStep == 2) {
        m_leftPeak = std::min(m_leftPeak, left);
        m_rightPeak = std::min(m_rightPeak, right);
        if (bits == 0) {
            appendSample(m_leftPeak, m_rightPeak);
            FinaliseStage(resultOk);
        }
    }
}

// --- Replies -----------------------------------------------------------------

void Calibrator::genericResponse(QVector<uint8_t> data)
{
    if (data.size() < 5)
        return;
    if (m_readingBlock)
        blockReply(data);
    else if (m_clickStep == 3 && m_currentLevel == ClickForce)
        captureReply(data);
}

void Calibrator::captureReply(const QVector<uint8_t> &data)
{
    // Only the capture counts: an acknowledgement that comes late, or a
    // reply to something else, leaves the stage waiting.
    if (!ExpectedReply::isReplyTo(data, ReplyCode::clickCapture, clickCaptureQuery.classGroup(),
                                  uint8_t(clickCaptureQuery.command))
        || data.size() < replyData + 5)
        return;
    m_leftPeak = le16(&data[replyData]);
    m_rightPeak = le16(&data[replyData + 2]);
    m_clickButton = data[replyData + 4];
    m_clickStep = 4;
    if (m_mouse)
        disconnect(m_mouse, &MouseFunctions::genericResponse, this, &Calibrator::genericResponse);
    if (m_clickButton != buttonId(m_currentSensor)) {
        FinaliseStage(resultWrongButton);
        return;
    }
    appendSample(m_leftPeak, m_rightPeak);
    FinaliseStage(resultOk);
}

void Calibrator::blockReply(const QVector<uint8_t> &data)
{
    const uint8_t classGroup = forceCalibrationQuery.classGroup();
    const uint8_t number = uint8_t(forceCalibrationQuery.command);
    if (ExpectedReply::isReplyTo(data, ReplyCode::forceCalibration, classGroup, number)) {
        const std::optional<Block> block = blockFrom(data.constData() + replyData, data.size() - replyData);
        if (!block)
            return;
        m_block = *block;
        m_blockRead = true;
    } else if (!ExpectedReply::isAcknowledgementOf(data, classGroup, number)) {
        return; // not the answer; the mouse's refusal ends the read unread
    }
    endBlockRead();
}

void Calibrator::endBlockRead()
{
    m_readingBlock = false;
    if (m_blockWait)
        m_blockWait->quit();
}

Block Calibrator::readCalibration(bool *fromMouse)
{
    m_block = defaultBlock();
    m_blockRead = false;
    m_readingBlock = true;
    if (m_mouse) {
        QElapsedTimer clock;
        clock.start();
        connect(m_mouse, &MouseFunctions::genericResponse, this, &Calibrator::genericResponse, Qt::UniqueConnection);
        const QMetaObject::Connection lost = connect(m_mouse, &MouseFunctions::mouseConnect, this, [this](bool on) {
            if (!on)
                endBlockRead();
        });
        const ReplyWait sent = m_mouse->sendCommand(command(forceCalibrationQuery));
        // The block may come after the command's own wait gave up.
        const bool wait = sent == ReplyWait::Received || sent == ReplyWait::TimedOut;
        const qint64 left = blockReadTimeoutMs - clock.elapsed();
        if (m_readingBlock && wait && m_mouse->isDevicePresent() && left > 0) {
            QEventLoop loop;
            QTimer deadline;
            deadline.setSingleShot(true);
            connect(&deadline, &QTimer::timeout, &loop, &QEventLoop::quit);
            deadline.start(int(left));
            m_blockWait = &loop;
            loop.exec();
            m_blockWait = nullptr;
        }
        disconnect(lost);
        if (m_mouse)
            disconnect(m_mouse, &MouseFunctions::genericResponse, this, &Calibrator::genericResponse);
    }
    m_readingBlock = false;
    if (!m_blockRead) {
        qWarning() << "Force calibration: the mouse sent no calibration block";
        m_block = defaultBlock();
    }
    if (fromMouse)
        *fromMouse = m_blockRead;
    return m_block;
}

MouseFunctions::ReplyWait Calibrator::writeCalibration(const Model &model)
{
    if (!m_mouse)
        return ReplyWait::NotSent;
    const QByteArray bytes = blockBytesOf(model.toBlock());
    return m_mouse->sendCommand(command(forceCalibrationWriteCommand, QVector<uint8_t>(bytes.cbegin(), bytes.cend())));
}

} // namespace Force
