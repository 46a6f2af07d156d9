#include "MouseFunctions.h"

#include "Crc16.h"
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
constexpr uint8_t replyReportId = 40;
constexpr uint8_t profileNoticeId = 10;
constexpr uint8_t liveSampleId = 20;
constexpr uint8_t liveMotionId = 23;

constexpr uint8_t sensorReply = 65;
constexpr uint8_t resetReply = 67;
constexpr uint8_t memoryReply = 72;
constexpr uint8_t serialReply = 73;
constexpr uint8_t cpuIdReply = 74;

// Command addresses: class (0 queries, 1 writes, 2 actions), group, command.
struct CommandAddress
{
    int commandClass;
    int group;
    int command;
};
constexpr CommandAddress cpuIdQuery{0, 1, 10};
constexpr CommandAddress serialQuery{0, 1, 15};
constexpr CommandAddress activeProfileQuery{0, 1, 60};
constexpr CommandAddress memoryQuery{0, 10, 10};
constexpr CommandAddress dpiStepQuery{0, 15, 4};
constexpr CommandAddress sensorIdQuery{0, 15, 6};
constexpr CommandAddress inputStreamingCommand{1, 5, 10};
constexpr CommandAddress uploadCommand{1, 10, 1};
constexpr CommandAddress switchProfileCommand{1, 10, 30};
constexpr CommandAddress startBootloaderCommand{2, 1, 1};
constexpr CommandAddress configResetCommand{2, 1, 2};
constexpr CommandAddress userDataResetCommand{2, 1, 30};
constexpr CommandAddress storeToFlashCommand{2, 10, 1};
constexpr CommandAddress calibrateImuCommand{2, 20, 1};
constexpr CommandAddress vibrationCommand{2, 40, 1};

constexpr int serialLength = 9;
constexpr int cpuIdLength = 10;

MouseFunctions *s_instance = nullptr;

MouseFunctions::TransportFactory &transportFactory()
{
    static MouseFunctions::TransportFactory factory;
    return factory;
}

bool isReply(const QVector<uint8_t> &packet, uint8_t code)
{
    return packet[0] == replyReportId && packet[1] == 2 && packet[4] == code;
}

// The mouse switched profile on its own (also its answer to the query).
bool isOwnProfileNotice(const QVector<uint8_t> &packet)
{
    return packet[0] == profileNoticeId && packet[2] == 2;
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
    QEventLoop loop;
    ReplyWait outcome = ReplyWait::TimedOut;
    bool done = false;
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
    return QSettings(SettingsFile::path(), QSettings::IniFormat).value(QStringLiteral("LastMouseConnected"), 0).toInt();
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

MouseFunctions::ReplyWait MouseFunctions::sendPacket(const QVector<uint8_t> &packet)
{
    if (refusedDuringUpload())
        return ReplyWait::NotSent;
    return transmit(packet);
}

bool MouseFunctions::refusedDuringUpload() const
{
    if (!m_uploading)
        return false;
    // A packet of another command in between would break the upload.
    qWarning() << "MouseFunctions: upload in progress, command not sent";
    return true;
}

MouseFunctions::ReplyWait MouseFunctions::sendCommand(const GeneralControlCommand &command)
{
    return sendPacket(command.packet());
}

MouseFunctions::ReplyWait MouseFunctions::sendAwaiting(int state, const QVector<uint8_t> &packet)
{
    // The wait state changes only when the command really goes out: an upload
    // in progress keeps its own, and no device must keep looking absent.
    if (refusedDuringUpload() || !canTransmit())
        return ReplyWait::NotSent;
    m_waitState = state;
    return transmit(packet);
}

MouseFunctions::ReplyWait MouseFunctions::transmit(const QVector<uint8_t> &packet)
{
    if (!canTransmit())
        return ReplyWait::NotSent;
    m_transport->writePacket(packet);
    return startWaitForResponse();
}

void MouseFunctions::stopWaitForResponse()
{
    if (!m_waits.empty())
        finishWait(m_waits.back(), ReplyWait::TimedOut);
}

MouseFunctions::ReplyWait MouseFunctions::startWaitForResponse()
{
    Wait wait;
    QTimer timer;
    timer.setSingleShot(true);
    timer.setInterval(replyTimeoutMs);
    connect(&timer, &QTimer::timeout, this, [this, &wait] { finishWait(&wait, ReplyWait::TimedOut); });
    m_waits.push_back(&wait);
    timer.start();
    if (!wait.done)
        wait.loop.exec();
    m_waits.erase(std::find(m_waits.begin(), m_waits.end(), &wait));
    if (m_waits.empty())
        scheduleDeferred();
    return wait.outcome;
}

void MouseFunctions::finishWait(Wait *wait, ReplyWait outcome)
{
    if (wait->done)
        return;
    wait->done = true;
    wait->outcome = outcome;
    wait->loop.quit();
}

void MouseFunctions::scheduleDeferred()
{
    if (m_deferredScheduled || (!m_pendingConnect && !m_pendingWakeUpload))
        return;
    m_deferredScheduled = true;
    QMetaObject::invokeMethod(this, &MouseFunctions::runDeferred, Qt::QueuedConnection);
}

void MouseFunctions::runDeferred()
{
    m_deferredScheduled = false;
    if (busy())
        return; // the end of the running wait schedules it again
    if (m_pendingConnect) {
        const int pid = *m_pendingConnect;
        m_pendingConnect.reset();
        mouseConnectState(true, pid);
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
        m_pendingConnect.reset();
        m_devicePresent = false;
        for (Wait *wait : m_waits)
            finishWait(wait, ReplyWait::Disconnected);
        m_waitState = WaitDisconnected;
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
    m_waitState = ok ? WaitConnected : WaitDisconnected;
    if (ok && !bootloader) {
        // A disconnection during these queries has already been reported.
        getActiveProfile();
        if (!m_devicePresent)
            return;
        m_capabilities = MouseCapabilities::forModel(pid);
        qInfo() << "MouseFunctions: getOpticalSensorId";
        sendAwaiting(WaitSensorId, commandPacket(sensorIdQuery));
        if (!m_devicePresent)
            return;
        qInfo() << "MouseFunctions: WaitForDpiStep";
        sendAwaiting(WaitDpiStep, commandPacket(dpiStepQuery));
        if (!m_devicePresent)
            return;
    }
    emit mouseConnect(ok);
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
    if (!m_waits.empty())
        finishWait(m_waits.back(), ReplyWait::Received);
    if (packet.size() < HidReport::length)
        packet = HidReport::padded(packet);

    if (packet[0] == liveSampleId || packet[0] == liveMotionId) {
        emit UserInputEvent(packet);
        return;
    }

    switch (m_waitState) {
    case WaitConnected:
        if (m_profilesSent)
            m_waitState = WaitIdle;
        else
            handleIdleReport(packet);
        break;
    case WaitMemory:
        m_waitState = WaitIdle;
        if (isReply(packet, memoryReply))
            m_deviceMemory = std::min(le32(packet, 5), le32(packet, 9));
        break;
    case WaitUpload:
        // Consumed. When the mouse announces its new configuration's profile
        // before the upload is done with, that is the notice to drop.
        if (m_swallowProfileNotice && isOwnProfileNotice(packet))
            m_swallowProfileNotice = false;
        break;
    case WaitSerial: {
        QByteArray serial;
        if (isReply(packet, serialReply)) {
            serial = bytesAt(packet, 5, serialLength);
        } else {
            serial = QByteArray(serialLength, char(0xFF));
            qWarning() << "Invalid Serial Reply, using empty serial 0xFF";
        }
        emit fwReply_serial(serial);
        m_waitState = WaitIdle;
        break;
    }
    case WaitCpuId:
        if (isReply(packet, cpuIdReply)) {
            if (m_operationMode == operationModeFirmwareUpdate)
                emit fwReply_cpu(bytesAt(packet, 5, cpuIdLength));
            m_waitState = WaitIdle;
        }
        break;
    case WaitSensorId:
        if (isReply(packet, sensorReply))
            setSensor(packet[5]);
        else
            qWarning() << "MouseFunctions: unexpected data in WaitForOpticalSensorId";
        m_waitState = WaitIdle;
        break;
    case WaitDpiStep:
        if (isReply(packet, sensorReply))
            m_capabilities.dpiStep = packet[5] ? packet[5] : MouseCapabilities::defaultDpiStep;
        else
            qWarning() << "MouseFunctions: unexpected data in WaitForDpiStep";
        m_waitState = WaitIdle;
        break;
    default:
        handleIdleReport(packet);
        break;
    }
}

void MouseFunctions::handleIdleReport(const QVector<uint8_t> &packet)
{
    if (isOwnProfileNotice(packet)) {
        if (m_swallowProfileNotice)
            m_swallowProfileNotice = false;
        else
            emit profileChanged(packet[3], packet[4]);
    } else if (isReply(packet, resetReply)) {
        logResetCauses(packet);
    } else {
        emit genericResponse(packet);
    }
}

void MouseFunctions::logResetCauses(const QVector<uint8_t> &packet)
{
    if (packet[5] != 1)
        return;
    static const struct {
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
    const UploadResult result = saveToRAM();
    if (result != UploadOk)
        return result;
    m_profilesSent = true;
    m_waitState = WaitIdle;
    if (m_resetPending && !m_savedToFlash) {
        // The mouse first announces the profile its new configuration starts
        // in (dropped: not a switch of the user's). The answer to the query
        // must come after it, and in the idle state, to be passed on.
        if (m_swallowProfileNotice)
            startWaitForResponse();
        m_swallowProfileNotice = false;
        getActiveProfile();
    }
    return result;
}

MouseFunctions::UploadResult MouseFunctions::saveToRAM()
{
    QString reason;
    const UploadResult result = upload(&reason);
    if (result != UploadOk)
        qWarning().noquote() << "MouseFunctions: upload failed:" << reason;
    emit uploadFinished(result, reason);
    return result;
}

MouseFunctions::UploadResult MouseFunctions::upload(QString *reason)
{
    if (!m_transport || !m_devicePresent || m_waitState == WaitDisconnected) {
        *reason = tr("No compatible mouse is connected.");
        return UploadNoDevice;
    }
    if (busy()) {
        *reason = tr("The mouse is still busy with another command.");
        return UploadBusy;
    }
    struct Uploading
    {
        bool &flag;
        explicit Uploading(bool &f) : flag(f) { flag = true; }
        ~Uploading() { flag = false; }
    } uploading(m_uploading);

    m_waitState = WaitMemory;
    ReplyWait outcome = transmit(commandPacket(memoryQuery));
    if (outcome != ReplyWait::Received)
        return uploadFailed(outcome, reason);

    QString problem;
    if (!fetchPackage(&problem)) {
        *reason = tr("The profiles could not be encoded for the mouse: %1").arg(problem);
        return UploadEncodingFailed;
    }
    // Without a memory size from the mouse there is nothing to check against.
    const double percent = packagePercent();
    if (percent > 100) {
        *reason = tr("The profiles need %1 % of the mouse's memory.").arg(percent, 0, 'f', 1);
        return UploadTooLarge;
    }

    GeneralControlCommand upload = command(uploadCommand, uploadPayload(m_package));
    qInfo() << "MouseFunctions: saveToRAM";
    m_swallowProfileNotice = true;
    m_waitState = WaitUpload;
    do {
        outcome = transmit(upload.packet());
    } while (outcome == ReplyWait::Received && upload.nextPacket());
    const bool everyPacketAnswered = outcome == ReplyWait::Received;
    if (everyPacketAnswered) {
        // The report after the last reply is the mouse's announcement of its
        // new configuration. The package is in; a mouse that announces
        // nothing has not failed it. A disconnection, even one that came
        // with the last reply, still fails the upload.
        outcome = m_devicePresent ? startWaitForResponse() : ReplyWait::Disconnected;
        if (outcome == ReplyWait::Received)
            return UploadOk;
    }
    // No announcement is coming (or the package may not be in), so a later
    // notice, such as the user's next switch, must not be taken for it.
    m_swallowProfileNotice = false;
    if (everyPacketAnswered && outcome == ReplyWait::TimedOut && m_devicePresent) {
        qDebug() << "MouseFunctions: no report after the upload";
        return UploadOk;
    }
    return uploadFailed(outcome, reason);
}

MouseFunctions::UploadResult MouseFunctions::uploadFailed(ReplyWait outcome, QString *reason)
{
    if (outcome == ReplyWait::TimedOut && m_devicePresent) {
        // Nothing is awaited any more.
        m_waitState = WaitIdle;
        *reason = tr("The mouse did not answer.");
        return UploadTimedOut;
    }
    m_waitState = WaitDisconnected;
    *reason = tr("The mouse was disconnected.");
    return UploadDisconnected;
}

void MouseFunctions::wokeFromSleep()
{
    if (busy()) {
        m_pendingWakeUpload = true;
        return;
    }
    if (!m_devicePresent || m_waitState == WaitDisconnected) {
        qInfo() << "MouseFunctions: woke from sleep without a mouse, nothing to upload";
        return;
    }
    sendProfilesToMouse();
}

// --- Commands --------------------------------------------------------------

void MouseFunctions::saveToFlash()
{
    if (m_waitState != WaitIdle)
        return;
    qInfo() << "MouseFunctions: saveToFlash";
    sendPacket(commandPacket(storeToFlashCommand));
    m_savedToFlash = true;
}

void MouseFunctions::configReset()
{
    qInfo() << "MouseFunctions: userDataReset";
    sendPacket(commandPacket(userDataResetCommand));
    qInfo() << "MouseFunctions: configReset";
    sendPacket(commandPacket(configResetCommand));
    m_resetPending = true;
    m_savedToFlash = false;
}

void MouseFunctions::userDataReset()
{
    qInfo() << "MouseFunctions: userDataReset";
    sendPacket(commandPacket(userDataResetCommand));
}

void MouseFunctions::switchToProfile(int index, int subIndex)
{
    qDebug() << "MouseFunctions: switchToProfile" << index << subIndex;
    sendPacket(commandPacket(switchProfileCommand, {2, uint8_t(index), uint8_t(subIndex)}));
}

void MouseFunctions::triggerVibration(uint16_t duration, uint8_t strength)
{
    if (!hasHaptics())
        return;
    qInfo() << "MouseFunctions: Vibration";
    sendPacket(commandPacket(vibrationCommand, {1, 0, uint8_t(duration & 0xFF), uint8_t(duration >> 8), strength}));
}

void MouseFunctions::setInputStreaming(bool on)
{
    sendPacket(commandPacket(inputStreamingCommand, {uint8_t(on ? 3 : 0)}));
}

void MouseFunctions::calibrateIMU()
{
    qInfo() << "MouseFunctions: calibrateIMU";
    sendPacket(commandPacket(calibrateImuCommand));
}

void MouseFunctions::startBootloader()
{
    qInfo() << "MouseFunctions: startBootloader";
    sendPacket(commandPacket(startBootloaderCommand));
}

void MouseFunctions::getCpuUniqueId()
{
    qInfo() << "MouseFunctions: getCpuUniqueId";
    sendAwaiting(WaitCpuId, commandPacket(cpuIdQuery));
}

void MouseFunctions::getSerialNumber()
{
    qInfo() << "MouseFunctions: getSerialNumber";
    sendAwaiting(WaitSerial, commandPacket(serialQuery));
}

void MouseFunctions::getActiveProfile()
{
    if (m_waitState == WaitDisconnected)
        return;
    sendPacket(commandPacket(activeProfileQuery));
}
