#include "MouseFunctions.h"

#include "CommandAddress.h"
#include "Crc16.h"
#include "ExpectedReply.h"
#include "GeneralControlCommand.h"
#include "HIDInterface.h"
#include "HIDManager.h"
#include "HidReport.h"
#include "OutputActionConfig.h"
#include "PackageCreator.h"
#include "SettingsFile.h"
#include "SharedConstants.h"

#include <QCoreApplication>
#include <QDebug>
#include <QEventLoop>
#include <QSettings>
#include <QTimer>

#include <algorithm>
#include <cstdlib>

namespace {
using namespace DeviceCommand;

constexpr int serialLength = 9;
constexpr int cpuIdLength = 10;

MouseFunctions *s_instance = nullptr;

MouseFunctions::TransportFactory &transportFactory()
{
    static MouseFunctions::TransportFactory factory;
    return factory;
}

int32_t le32(const QVector<uint8_t> &packet, int at)
{
    return int32_t(uint32_t(packet[at]) | uint32_t(packet[at + 1]) << 8 | uint32_t(packet[at + 2]) << 16
                   | uint32_t(packet[at + 3]) << 24);
}

QByteArray bytesAt(const QVector<uint8_t> &packet, int at, int length)
{
    return QByteArray(reinterpret_cast<const char *>(packet.constData()) + at, length);
}

GeneralControlCommand command(CommandAddress address, QVector<uint8_t> payload = {})
{
    return GeneralControlCommand(address.commandClass, address.group, address.command, std::move(payload));
}

QVector<uint8_t> commandPacket(CommandAddress address, QVector<uint8_t> payload = {})
{
    return command(address, std::move(payload)).packet();
}
} // namespace

struct MouseFunctions::Wait
{
    explicit Wait(const ExpectedReply &expected)
        : expected(expected)
    {}

    ExpectedReply expected;
    QVector<uint8_t> *answer = nullptr;
    bool passOn = false;
    QEventLoop loop;
    ReplyWait outcome = ReplyWait::TimedOut;
    bool done = false;
};

// One command, or a sequence of them (connect, upload), that waits for
// replies: while one lives the device object is busy.
class MouseFunctions::Exchange
{
public:
    explicit Exchange(MouseFunctions *device)
        : device(device)
    {
        ++device->m_exchanges;
    }
    ~Exchange() { device->leaveExchange(); }
    Exchange(const Exchange &) = delete;
    Exchange &operator=(const Exchange &) = delete;

private:
    MouseFunctions *device;
};

MouseFunctions *MouseFunctions::instance()
{
    if (!s_instance) {
        s_instance = new MouseFunctions();
        static bool cleanupRegistered = false;
        if (!cleanupRegistered) {
            cleanupRegistered = true;
            // While the application object still exists, so that the
            // transport's notifiers and threads end in an orderly way.
            if (QCoreApplication::instance())
                qAddPostRoutine(&MouseFunctions::destroyInstance);
            else
                std::atexit(&MouseFunctions::destroyInstance);
        }
    }
    return s_instance;
}

void MouseFunctions::destroyInstance()
{
    delete s_instance;
    s_instance = nullptr;
}

void MouseFunctions::setTransportFactory(TransportFactory factory)
{
    transportFactory() = std::move(factory);
}

MouseFunctions::MouseFunctions()
    : m_packageSource(PackageCreator::instance())
    , m_mousePID(lastMouseConnected())
    , m_capabilities(MouseCapabilities::forModel(m_mousePID))
{
    qRegisterMetaType<QVector<uint8_t>>("QVector<uint8_t>");
    qRegisterMetaType<MouseFunctions::UploadResult>("MouseFunctions::UploadResult");
    // Descriptions of output lists leave out what the model cannot perform.
    OutputActionConfig::setOutputSupportFilter(
        [this](const OutputActionConfig &output) { return m_capabilities.supportsOutput(output); });
}

MouseFunctions::~MouseFunctions()
{
    OutputActionConfig::setOutputSupportFilter({});
    m_transport.reset();
}

void MouseFunctions::init()
{
    if (m_transport)
        return;
    const TransportFactory &factory = transportFactory();
    m_transport.reset(factory ? factory() : new HIDManager());
    if (!m_transport)
        return;
    connect(m_transport.get(), &HIDInterface::response, this, &MouseFunctions::responseParser, Qt::QueuedConnection);
    connect(m_transport.get(), &HIDInterface::mouseConnect, this, &MouseFunctions::mouseConnectState,
            Qt::QueuedConnection);
    connect(m_transport.get(), &HIDInterface::wakeFromSleep, this, &MouseFunctions::wokeFromSleep,
            Qt::QueuedConnection);
    m_transport->subscribe();
}

int MouseFunctions::lastMouseConnected()
{
    return SettingsFile::readInteger(QSettings(SettingsFile::path(), QSettings::IniFormat),
                                     SettingsFile::lastMouseConnectedKey);
}

void MouseFunctions::setFirmwareStateProvider(FirmwareStateProvider provider)
{
    m_firmwareState = std::move(provider);
}

int MouseFunctions::firmwareState() const
{
    return m_firmwareState ? m_firmwareState() : fwStateNone;
}

// --- Waiting ---------------------------------------------------------------

bool MouseFunctions::deferWhileBusy(std::function<void()> command)
{
    if (!busy())
        return false;
    qDebug() << "MouseFunctions: a command waits for its reply, the next one is queued";
    m_queued.push_back(std::move(command));
    return true;
}

MouseFunctions::ReplyWait MouseFunctions::sendPacket(const QVector<uint8_t> &packet)
{
    if (busy()) {
        qDebug() << "MouseFunctions: a command waits for its reply, command not sent";
        return ReplyWait::Busy;
    }
    Exchange exchange(this);
    return transmit(m_restState, packet, nullptr, true);
}

MouseFunctions::ReplyWait MouseFunctions::sendCommand(const GeneralControlCommand &command)
{
    return sendPacket(command.packet());
}

MouseFunctions::ReplyWait MouseFunctions::startWaitForResponse()
{
    if (busy())
        return ReplyWait::Busy;
    Exchange exchange(this);
    return runWait(m_waitState, ExpectedReply::anyReport(), nullptr, true);
}

void MouseFunctions::stopWaitForResponse()
{
    finishWait(ReplyWait::TimedOut);
}

MouseFunctions::ReplyWait MouseFunctions::transmit(int state, const QVector<uint8_t> &packet, QVector<uint8_t> *answer,
                                                   bool passOn)
{
    if (!canTransmit())
        return ReplyWait::NotSent;
    // Nothing that came in before the packet went out can answer it.
    handleHeldReports();
    if (!canTransmit())
        return ReplyWait::NotSent;
    m_transport->writePacket(packet);
    return runWait(state, ExpectedReply::forCommand(packet), answer, passOn);
}

MouseFunctions::ReplyWait MouseFunctions::awaitReport(int state, const ExpectedReply &expected,
                                                      QVector<uint8_t> *answer, bool passOn)
{
    while (!m_held.empty()) {
        if (expected.matches(m_held.front())) {
            if (answer)
                *answer = m_held.front();
            if (!passOn)
                m_held.pop_front();
            return ReplyWait::Received;
        }
        const QVector<uint8_t> report = std::move(m_held.front());
        m_held.pop_front();
        handleReport(report);
    }
    if (!m_devicePresent)
        return ReplyWait::Disconnected;
    return runWait(state, expected, answer, passOn);
}

MouseFunctions::ReplyWait MouseFunctions::runWait(int state, const ExpectedReply &expected, QVector<uint8_t> *answer,
                                                  bool passOn)
{
    Wait wait(expected);
    wait.answer = answer;
    wait.passOn = passOn;
    QTimer timer;
    timer.setSingleShot(true);
    timer.setInterval(replyTimeoutMs);
    connect(&timer, &QTimer::timeout, this, [this] {
        // When the program was busy past the deadline (a large page polished
        // meanwhile), an answer the mouse gave in time may still wait in the
        // queue behind this timer: it counts.
        QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
        finishWait(ReplyWait::TimedOut);
    });
    m_wait = &wait;
    m_waitState = state;
    timer.start();
    wait.loop.exec();
    m_wait = nullptr;
    m_waitState = m_restState;
    return wait.outcome;
}

void MouseFunctions::finishWait(ReplyWait outcome)
{
    if (!m_wait || m_wait->done)
        return;
    m_wait->done = true;
    m_wait->outcome = outcome;
    m_wait->loop.quit();
}

void MouseFunctions::leaveExchange()
{
    if (--m_exchanges > 0)
        return;
    m_waitState = m_restState;
    // Handled with no command waiting, so that their receivers may send.
    handleHeldReports();
    scheduleDeferred();
}

void MouseFunctions::handleHeldReports()
{
    // One at a time off the front: a receiver may start a command of its own,
    // which handles the rest first.
    while (!m_held.empty()) {
        const QVector<uint8_t> report = std::move(m_held.front());
        m_held.pop_front();
        handleReport(report);
    }
}

void MouseFunctions::scheduleDeferred()
{
    if (m_deferredScheduled || (!m_pendingConnect && m_queued.empty() && !m_pendingWakeUpload))
        return;
    m_deferredScheduled = true;
    QMetaObject::invokeMethod(this, &MouseFunctions::runDeferred, Qt::QueuedConnection);
}

void MouseFunctions::runDeferred()
{
    m_deferredScheduled = false;
    // Each step runs to its end; one that found the device busy again is
    // taken up when that exchange ends.
    if (busy())
        return;
    if (m_pendingConnect) {
        const int pid = *m_pendingConnect;
        m_pendingConnect.reset();
        mouseConnectState(true, pid);
    }
    while (!busy() && !m_queued.empty()) {
        const std::function<void()> command = std::move(m_queued.front());
        m_queued.pop_front();
        command();
    }
    if (m_pendingWakeUpload && !busy()) {
        m_pendingWakeUpload = false;
        wokeFromSleep();
    }
}

// --- Connection ------------------------------------------------------------

void MouseFunctions::mouseConnectState(bool connected, int pid)
{
    if (!connected) {
        // Queued commands were meant for the device that went away.
        m_pendingConnect.reset();
        m_queued.clear();
        m_devicePresent = false;
        m_compatibleMouse = false;
        m_restState = WaitDisconnected;
        m_waitState = WaitDisconnected;
        finishWait(ReplyWait::Disconnected);
        emit mouseConnect(false);
        return;
    }
    if (busy()) {
        // The sequence below waits for replies of its own; it runs once the
        // command that waits now has finished.
        m_pendingConnect = pid;
        return;
    }

    m_devicePresent = true;
    m_compatibleMouse = false;
    m_restState = WaitDisconnected;
    m_waitState = WaitDisconnected;
    m_mousePID = pid;
    const int state = firmwareState();
    const bool bootloader = isBootloaderId(pid);
    if (bootloader && state == fwStateNone) {
        qInfo() << "MouseFunctions: Bootloader detected - starting fw upgrade!";
        emit fwRestoreRequired(fwStateNone);
        return;
    }
    if (!bootloader && state == fwStateUploadApplicationTrying) {
        qInfo() << "MouseFunctions: Incomplete upgrade, continuing";
        emit fwRestoreRequired(fwStateUploadApplicationTrying);
        return;
    }

    const bool ok = checkFirmware();
    if (ok && !bootloader) {
        bool present = false;
        {
            Exchange exchange(this);
            present = runConnectQueries(pid);
        }
        // A disconnection during the queries has already been reported.
        if (!present)
            return;
    } else if (ok) {
        m_restState = WaitConnected;
        m_waitState = WaitConnected;
    }
    emit mouseConnect(ok);
}

bool MouseFunctions::runConnectQueries(int pid)
{
    // On a reconnection after an upload the answer is this program's own
    // configuration coming back, not a switch of the user's.
    queryActiveProfile(WaitConnected, !m_profilesSent);
    if (!m_devicePresent)
        return false;
    m_capabilities = MouseCapabilities::forModel(pid);
    qInfo() << "MouseFunctions: getOpticalSensorId";
    const int sensorId = querySensorByte(WaitSensorId, commandPacket(sensorIdQuery), "WaitForOpticalSensorId");
    if (sensorId >= 0)
        setSensor(sensorId);
    if (!m_devicePresent)
        return false;
    qInfo() << "MouseFunctions: WaitForDpiStep";
    const int step = querySensorByte(WaitDpiStep, commandPacket(dpiStepQuery), "WaitForDpiStep");
    if (step >= 0)
        m_capabilities.dpiStep = step ? step : MouseCapabilities::defaultDpiStep;
    if (!m_devicePresent)
        return false;
    // Before the exchange ends, so that what its end passes on finds the
    // mouse ready for profile commands.
    m_compatibleMouse = true;
    m_restState = WaitIdle;
    return true;
}

int MouseFunctions::querySensorByte(int state, const QVector<uint8_t> &packet, const char *stateName)
{
    QVector<uint8_t> answer;
    const ReplyWait outcome = transmit(state, packet, &answer);
    if (outcome == ReplyWait::Received && ExpectedReply::isReply(answer, ReplyCode::sensor))
        return answer[5];
    if (outcome == ReplyWait::Received)
        qWarning().nospace() << "MouseFunctions: unexpected data in " << stateName;
    else if (outcome == ReplyWait::TimedOut)
        qWarning().nospace() << "MouseFunctions: no reply in " << stateName;
    return -1;
}

MouseFunctions::ReplyWait MouseFunctions::queryActiveProfile(int state, bool passOn)
{
    return transmit(state, commandPacket(activeProfileQuery), nullptr, passOn);
}

bool MouseFunctions::checkFirmware()
{
    if (!m_firmwareCheckEnabled)
        return true;
    const QString build = getBuildNumber();
    qInfo().noquote() << "Firmware version:" << build;
    if (build.isEmpty())
        return false;
    if (build.contains(requiredFirmwareBuild))
        return true;
    qInfo().noquote() << "MouseFunctions: incompatible firmware!" << build;
    emit fwUpdateRequired(build.left(6).toInt() < requiredFirmwareBuild.left(6).toInt());
    return false;
}

QString MouseFunctions::getBuildNumber()
{
    qInfo() << "MouseFunctions: getBuildNumber";
    QVector<uint8_t> buffer(HidReport::length, 0);
    buffer[0] = 1;
    if (m_transport)
        m_transport->getFeature(buffer);
    QString text;
    for (int i = 6; i < buffer.size() && i <= 21 && buffer[i] != 0; ++i)
        text += QLatin1Char(char(buffer[i]));
    return text;
}

// --- Reports ---------------------------------------------------------------

void MouseFunctions::responseParser(QVector<uint8_t> packet)
{
    if (packet.size() < HidReport::length)
        packet = HidReport::padded(packet);
    if (m_wait && !m_wait->done) {
        if (m_wait->expected.matches(packet)) {
            if (m_wait->answer)
                *m_wait->answer = packet;
            // Passed on with no command waiting, when the exchange ends.
            if (m_wait->passOn)
                m_held.push_back(packet);
            finishWait(ReplyWait::Received);
            return;
        }
        handleReport(packet);
        return;
    }
    // Between two waits of one exchange (the wait that just ended has not
    // returned yet): kept for the next wait, or handled when the exchange ends.
    if (busy() || !m_held.empty()) {
        m_held.push_back(packet);
        return;
    }
    handleReport(packet);
}

void MouseFunctions::handleReport(const QVector<uint8_t> &packet)
{
    if (ExpectedReply::isLiveReport(packet))
        emit UserInputEvent(packet);
    else if (ExpectedReply::isOwnProfileNotice(packet))
        emit profileChanged(packet[3], packet[4]);
    else if (ExpectedReply::isReply(packet, ReplyCode::resetCauses))
        logResetCauses(packet);
    else
        emit genericResponse(packet);
}

void MouseFunctions::logResetCauses(const QVector<uint8_t> &packet)
{
    if (packet[5] != 1)
        return;
    static const struct
    {
        uint8_t bit;
        const char *text;
    } first[] = {{0x01, "Reset Info: Wake-up"},
                 {0x02, "Reset Info: Low-voltage"},
                 {0x20, "Reset Info: Watchdog"},
                 {0x40, "Reset Info: Pin"},
                 {0x80, "Reset Info: Power-on"}},
      second[] = {{0x02, "Reset Info: ARM lock-up"},
                  {0x04, "Reset Info: Software reset"},
                  {0x08, "Reset Info: Debug"},
                  {0x20, "Reset Info: Stop-mode Ack"}};
    qWarning() << "Reset Code #1:" << int(packet[6]);
    for (const auto &cause : first) {
        if (packet[6] & cause.bit)
            qWarning("%s", cause.text);
    }
    qWarning() << "Reset Code #2:" << int(packet[7]);
    for (const auto &cause : second) {
        if (packet[7] & cause.bit)
            qWarning("%s", cause.text);
    }
}

void MouseFunctions::setSensor(int sensorId)
{
    if (sensorId == 1) {
        m_capabilities.maxDpi = 26000;
        m_capabilities.dpiStep = 50;
    } else {
        m_capabilities.maxDpi = MouseCapabilities::defaultMaxDpi;
        m_capabilities.dpiStep = MouseCapabilities::defaultDpiStep;
    }
}

// --- Upload ----------------------------------------------------------------

QVector<uint8_t> MouseFunctions::uploadPayload(const QByteArray &package)
{
    const uint16_t crc = Crc16::compute(package);
    QVector<uint8_t> payload{3, 0, uint8_t(crc & 0xFF), uint8_t(crc >> 8)};
    payload.reserve(4 + package.size());
    for (char byte : package)
        payload.append(uint8_t(byte));
    return payload;
}

bool MouseFunctions::fetchPackage(QString *error)
{
    QString problem;
    m_package = m_packageSource->package(&problem);
    if (m_package.isEmpty() && problem.isEmpty())
        problem = tr("The package is empty.");
    if (error)
        *error = m_package.isEmpty() ? problem : QString();
    return !m_package.isEmpty();
}

double MouseFunctions::memoryUsedPercent()
{
    // Until a mouse told its memory size the share is nought whatever the
    // package: it is not encoded for nothing.
    if (m_deviceMemory <= 0)
        return 0;
    fetchPackage();
    return packagePercent();
}

double MouseFunctions::packagePercent() const
{
    if (m_package.isEmpty() || m_deviceMemory <= 0)
        return 0;
    return m_package.size() * 100.0 / m_deviceMemory;
}

MouseFunctions::UploadResult MouseFunctions::sendProfilesToMouse()
{
    if (m_packageSource->loading)
        return UploadSkipped;
    return runUpload(true);
}

MouseFunctions::UploadResult MouseFunctions::saveToRAM()
{
    return runUpload(false);
}

MouseFunctions::UploadResult MouseFunctions::runUpload(bool save)
{
    if (busy())
        return finishUpload(UploadBusy, tr("The mouse is still busy with another command."));
    QString reason;
    UploadResult result;
    {
        Exchange exchange(this);
        result = upload(&reason);
        if (result == UploadOk && save) {
            m_profilesSent = true;
            // The upload took the mouse's announcement of its new
            // configuration's profile; the answer to the query is passed on.
            if (m_resetPending && !m_savedToFlash)
                queryActiveProfile(m_restState, true);
        }
    }
    return finishUpload(result, reason);
}

MouseFunctions::UploadResult MouseFunctions::finishUpload(UploadResult result, const QString &reason)
{
    if (result != UploadOk)
        qWarning().noquote() << "MouseFunctions: upload failed:" << reason;
    emit uploadFinished(result, reason);
    return result;
}

MouseFunctions::UploadResult MouseFunctions::upload(QString *reason)
{
    if (!canTransmit() || !m_compatibleMouse) {
        *reason = tr("No compatible mouse is connected.");
        return UploadNoDevice;
    }
    QVector<uint8_t> answer;
    ReplyWait outcome = transmit(WaitMemory, commandPacket(memoryQuery), &answer);
    if (outcome != ReplyWait::Received)
        return uploadFailed(outcome, reason);
    // Without the memory size the package cannot be checked against it.
    const int32_t memory =
        ExpectedReply::isReply(answer, ReplyCode::memory) ? std::min(le32(answer, 5), le32(answer, 9)) : 0;
    if (memory <= 0) {
        *reason = tr("The mouse did not report its memory size.");
        return UploadRejected;
    }
    m_deviceMemory = memory;

    QString problem;
    if (!fetchPackage(&problem)) {
        *reason = tr("The profiles could not be encoded for the mouse: %1").arg(problem);
        return UploadEncodingFailed;
    }
    const double percent = packagePercent();
    if (percent > 100) {
        *reason = tr("The profiles need %1 % of the mouse's memory.").arg(percent, 0, 'f', 1);
        return UploadTooLarge;
    }
    qInfo() << "MouseFunctions: saveToRAM";
    return sendPackage(reason);
}

MouseFunctions::UploadResult MouseFunctions::sendPackage(QString *reason)
{
    GeneralControlCommand upload = command(uploadCommand, uploadPayload(m_package));
    QVector<uint8_t> answer;
    ReplyWait outcome;
    do {
        outcome = transmit(WaitUpload, upload.packet(), &answer);
        if (outcome == ReplyWait::Received && ExpectedReply::status(answer) != ExpectedReply::statusOk) {
            *reason = tr("The mouse refused the profiles (status %1).").arg(ExpectedReply::status(answer));
            return UploadRejected;
        }
    } while (outcome == ReplyWait::Received && upload.nextPacket());
    if (outcome != ReplyWait::Received)
        return uploadFailed(outcome, reason);

    // Then the mouse tells whether it took the package, and announces the
    // profile its new configuration starts in (not a switch of the user's).
    // A mouse that tells nothing has not refused it; one that went away has
    // lost it.
    outcome = awaitReport(WaitUpload, ExpectedReply::uploadAnnouncement(uploadCommand), &answer);
    if (outcome == ReplyWait::Received && ExpectedReply::isReply(answer, ReplyCode::uploadResult)) {
        if (ExpectedReply::status(answer) != ExpectedReply::statusOk) {
            *reason = tr("The mouse refused the profiles (status %1).").arg(ExpectedReply::status(answer));
            return UploadRejected;
        }
        outcome = awaitReport(WaitUpload, ExpectedReply::ownProfileNotice(), &answer);
    }
    if (outcome == ReplyWait::TimedOut) {
        qDebug() << "MouseFunctions: no report after the upload";
        outcome = ReplyWait::Received;
    }
    if (outcome != ReplyWait::Received)
        return uploadFailed(outcome, reason);
    return UploadOk;
}

MouseFunctions::UploadResult MouseFunctions::uploadFailed(ReplyWait outcome, QString *reason)
{
    if (outcome == ReplyWait::TimedOut && m_devicePresent) {
        *reason = tr("The mouse did not answer.");
        return UploadTimedOut;
    }
    *reason = tr("The mouse was disconnected.");
    return UploadDisconnected;
}

void MouseFunctions::wokeFromSleep()
{
    if (busy()) {
        m_pendingWakeUpload = true;
        return;
    }
    if (!m_compatibleMouse) {
        qInfo() << "MouseFunctions: woke from sleep without a compatible mouse, nothing to upload";
        return;
    }
    sendProfilesToMouse();
}

// --- Commands --------------------------------------------------------------

bool MouseFunctions::saveToFlash()
{
    if (deferWhileBusy([this] { saveToFlash(); }))
        return false;
    if (!m_compatibleMouse || m_waitState != WaitIdle)
        return false;
    QVector<uint8_t> answer;
    ReplyWait outcome;
    {
        Exchange exchange(this);
        qInfo() << "MouseFunctions: saveToFlash";
        outcome = transmit(m_restState, commandPacket(storeToFlashCommand), &answer, true);
    }
    // Only an acknowledgement says the flash holds the profiles now; a mouse
    // that stayed silent or refused keeps what it stored before.
    const bool stored = outcome == ReplyWait::Received && ExpectedReply::status(answer) == ExpectedReply::statusOk;
    if (stored)
        m_savedToFlash = true;
    else
        qWarning() << "MouseFunctions: saveToFlash not acknowledged" << outcome;
    return stored;
}

void MouseFunctions::configReset()
{
    if (deferWhileBusy([this] { configReset(); }))
        return;
    if (!m_compatibleMouse)
        return;
    Exchange exchange(this);
    qInfo() << "MouseFunctions: userDataReset";
    transmit(m_restState, commandPacket(userDataResetCommand), nullptr, true);
    qInfo() << "MouseFunctions: configReset";
    transmit(m_restState, commandPacket(configResetCommand), nullptr, true);
    m_resetPending = true;
    m_savedToFlash = false;
}

void MouseFunctions::userDataReset()
{
    if (deferWhileBusy([this] { userDataReset(); }))
        return;
    if (!m_compatibleMouse)
        return;
    qInfo() << "MouseFunctions: userDataReset";
    sendPacket(commandPacket(userDataResetCommand));
}

void MouseFunctions::switchToProfile(int index, int subIndex)
{
    if (deferWhileBusy([this, index, subIndex] { switchToProfile(index, subIndex); }))
        return;
    if (!m_compatibleMouse)
        return;
    qDebug() << "MouseFunctions: switchToProfile" << index << subIndex;
    sendPacket(commandPacket(switchProfileCommand, {2, uint8_t(index), uint8_t(subIndex)}));
}

void MouseFunctions::triggerVibration(uint16_t duration, uint8_t strength)
{
    if (deferWhileBusy([this, duration, strength] { triggerVibration(duration, strength); }))
        return;
    if (!hasHaptics())
        return;
    qInfo() << "MouseFunctions: Vibration";
    sendPacket(commandPacket(vibrationCommand, {1, 0, uint8_t(duration & 0xFF), uint8_t(duration >> 8), strength}));
}

void MouseFunctions::setInputStreaming(bool on)
{
    if (deferWhileBusy([this, on] { setInputStreaming(on); }))
        return;
    sendPacket(commandPacket(inputStreamingCommand, {uint8_t(on ? 3 : 0)}));
}

MouseFunctions::ReplyWait MouseFunctions::calibrateIMU()
{
    if (busy()) {
        qDebug() << "MouseFunctions: a command waits for its reply, calibrateIMU not sent";
        return ReplyWait::Busy;
    }
    qInfo() << "MouseFunctions: calibrateIMU";
    return sendPacket(commandPacket(calibrateImuCommand));
}

void MouseFunctions::startBootloader()
{
    if (deferWhileBusy([this] { startBootloader(); }))
        return;
    qInfo() << "MouseFunctions: startBootloader";
    sendPacket(commandPacket(startBootloaderCommand));
}

void MouseFunctions::getCpuUniqueId()
{
    if (deferWhileBusy([this] { getCpuUniqueId(); }))
        return;
    qInfo() << "MouseFunctions: getCpuUniqueId";
    QVector<uint8_t> answer;
    ReplyWait outcome;
    {
        Exchange exchange(this);
        outcome = transmit(WaitCpuId, commandPacket(cpuIdQuery), &answer);
    }
    if (outcome == ReplyWait::Received && ExpectedReply::isReply(answer, ReplyCode::cpuId)
        && m_operationMode == operationModeFirmwareUpdate)
        emit fwReply_cpu(bytesAt(answer, 5, cpuIdLength));
}

void MouseFunctions::getSerialNumber()
{
    if (deferWhileBusy([this] { getSerialNumber(); }))
        return;
    qInfo() << "MouseFunctions: getSerialNumber";
    QVector<uint8_t> answer;
    ReplyWait outcome;
    {
        Exchange exchange(this);
        outcome = transmit(WaitSerial, commandPacket(serialQuery), &answer);
    }
    if (outcome != ReplyWait::Received && outcome != ReplyWait::TimedOut)
        return; // not sent, or the mouse went away
    // A refusal or no answer at all still gives the caller a serial.
    if (outcome == ReplyWait::Received && ExpectedReply::isReply(answer, ReplyCode::serial)) {
        emit fwReply_serial(bytesAt(answer, 5, serialLength));
        return;
    }
    qWarning() << "Invalid Serial Reply, using empty serial 0xFF";
    emit fwReply_serial(QByteArray(serialLength, char(0xFF)));
}

void MouseFunctions::getActiveProfile()
{
    if (deferWhileBusy([this] { getActiveProfile(); }))
        return;
    if (!m_compatibleMouse)
        return;
    Exchange exchange(this);
    queryActiveProfile(m_restState, true);
}
