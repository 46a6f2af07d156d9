#include "SimulatedMouse.h"

#include <algorithm>

namespace {
// The framing as the mouse reads it (see the header: not the program's own).
constexpr int reportLength = 64;
constexpr uint8_t outputReportId = 41;
constexpr int chunkSize = 58;
constexpr uint8_t chunkLengthMask = 0x3F;
constexpr uint8_t firstPacketFlag = 0x40;
constexpr uint8_t morePacketsFlag = 0x80;

constexpr uint8_t replyReportId = 40;
constexpr uint8_t profileReportId = 10;
constexpr uint8_t liveSampleReportId = 20;
constexpr uint8_t motionReportId = 23;
constexpr uint8_t causeOwnSwitch = 2;
constexpr uint8_t causeHostSwitch = 1;

void appendLe16(QVector<uint8_t> &data, uint16_t value)
{
    data << uint8_t(value & 0xFF) << uint8_t(value >> 8);
}

void appendLe32(QVector<uint8_t> &data, int32_t value)
{
    const auto v = uint32_t(value);
    data << uint8_t(v) << uint8_t(v >> 8) << uint8_t(v >> 16) << uint8_t(v >> 24);
}

QByteArray defaultForceBlock()
{
    QByteArray block;
    const uint16_t values[14] = {0, 0, 10000, 19660, 52428, 10000, 19660, 52428,
                                 10000, 19660, 52428, 10000, 19660, 52428};
    for (uint16_t v : values)
        block.append(char(v & 0xFF)).append(char(v >> 8));
    return block;
}

QVector<uint8_t> bytes(const QByteArray &data)
{
    return QVector<uint8_t>(data.cbegin(), data.cend());
}

QVector<uint8_t> padded(QVector<uint8_t> report)
{
    report.resize(reportLength);
    return report;
}

// Button id of the lowest button bit that the force calibration knows.
int buttonIdOf(uint16_t bits)
{
    static const struct {
        uint16_t mask;
        int id;
    } buttons[] = {{0x0001, 0}, {0x0002, 1}, {0x0080, 7}, {0x0100, 8}};
    for (const auto &button : buttons) {
        if (bits & button.mask)
            return button.id;
    }
    return 255;
}
} // namespace

SimulatedMouse::SimulatedMouse(QObject *parent)
    : QObject(parent)
    , serialNumber(QByteArray::fromHex("523730303030303031"))
    , cpuId(QByteArray::fromHex("00112233445566778899"))
    , forceBlock(defaultForceBlock())
{
    deliveryTimer.setSingleShot(true);
    deliveryTimer.setInterval(0);
    connect(&deliveryTimer, &QTimer::timeout, this, &SimulatedMouse::deliverNext);
    connect(&scriptTimer, &QTimer::timeout, this, &SimulatedMouse::playScriptedSample);
}

SimulatedMouse::~SimulatedMouse() = default;

uint16_t SimulatedMouse::crc16(const QByteArray &data)
{
    // Bit by bit, the plainest way to write it.
    uint16_t crc = 0xFFFF;
    for (char byte : data) {
        crc ^= uint16_t(uint8_t(byte) << 8);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 0x8000) ? uint16_t((crc << 1) ^ 0x1021) : uint16_t(crc << 1);
    }
    return crc;
}

void SimulatedMouse::setProductId(int pid) { mousePid = pid; }
void SimulatedMouse::setFirmwareBuild(const QByteArray &build) { firmwareBuild = build; }
void SimulatedMouse::setSerial(const QByteArray &serial) { serialNumber = serial.leftJustified(9, '\0', true); }
void SimulatedMouse::setCpuId(const QByteArray &id) { cpuId = id.leftJustified(10, '\0', true); }
void SimulatedMouse::setMemorySize(int bytes) { memoryFirst = memorySecond = bytes; }
void SimulatedMouse::setMemorySizes(int first, int second)
{
    memoryFirst = first;
    memorySecond = second;
}
int SimulatedMouse::memorySize() const { return std::min(memoryFirst, memorySecond); }
void SimulatedMouse::setSensorId(int id) { sensorId = id; }
void SimulatedMouse::setDpiStep(int step) { dpiStep = step; }
void SimulatedMouse::setCalibrationBlock(const QByteArray &block) { forceBlock = block.leftJustified(28, '\0', true); }
void SimulatedMouse::setSilentToBlockRead(bool value) { silentToBlockRead = value; }
void SimulatedMouse::setCaptureButton(int buttonId) { captureButton = buttonId; }
void SimulatedMouse::setBootloaderProductId(int pid) { restartBootloaderPid = pid; }
void SimulatedMouse::setReplyDelay(int ms) { deliveryTimer.setInterval(std::max(0, ms)); }
void SimulatedMouse::setSilent(bool value) { silent = value; }
void SimulatedMouse::setUploadAnnounced(bool announced) { uploadAnnounced = announced; }
void SimulatedMouse::setBurstDelivery(bool burst) { burstDelivery = burst; }

bool SimulatedMouse::hasHaptics() const { return mousePid == 5 || mousePid == 10 || mousePid == 30; }
bool SimulatedMouse::hasTilt() const { return mousePid == 5 || mousePid == 30; }

void SimulatedMouse::plugIn()
{
    if (plugged)
        return;
    plugged = true;
    partial.reset();
    streaming = false;
    captureArmed = false;
    capture.reset();
    if (!bootloaderPid) {
        // Power-on: the configuration stored in flash is what runs.
        ram = flash;
        applyStartupProfile(ram);
    }
    emit pluggedIn(connectedProductId());
}

void SimulatedMouse::unplug()
{
    if (!plugged)
        return;
    plugged = false;
    outbox.clear();
    deliveryTimer.stop();
    partial.reset();
    streaming = false;
    emit unplugged();
}

void SimulatedMouse::plugInAsBootloader(int pid)
{
    unplug();
    bootloaderPid = pid;
    plugIn();
}

void SimulatedMouse::leaveBootloader()
{
    unplug();
    bootloaderPid = 0;
    plugIn();
}

void SimulatedMouse::pressProfileButton(int index, int subIndex)
{
    if (!plugged || bootloaderPid)
        return;
    activeIndex = index;
    activeSubIndex = subIndex;
    profileNotice(causeOwnSwitch);
}

bool SimulatedMouse::sendLiveSample(uint16_t buttons, uint16_t leftForce, uint16_t rightForce)
{
    if (!plugged || !streaming)
        return false;
    if (captureArmed && !capture && buttons != 0) {
        QVector<uint8_t> captured;
        appendLe16(captured, leftForce);
        appendLe16(captured, rightForce);
        captured << uint8_t(captureButton >= 0 ? captureButton : buttonIdOf(buttons));
        capture = captured;
    }
    QVector<uint8_t> report(reportLength, 0);
    report[0] = liveSampleReportId;
    report[1] = uint8_t(buttons & 0xFF);
    report[2] = uint8_t(buttons >> 8);
    report[8] = uint8_t(leftForce & 0xFF);
    report[9] = uint8_t(leftForce >> 8);
    report[10] = uint8_t(rightForce & 0xFF);
    report[11] = uint8_t(rightForce >> 8);
    enqueueReport(report);
    return true;
}

bool SimulatedMouse::sendMotionSample(const QByteArray &data)
{
    if (!plugged || !streaming)
        return false;
    QVector<uint8_t> report{motionReportId};
    report << bytes(data.left(reportLength - 1));
    enqueueReport(padded(report));
    return true;
}

void SimulatedMouse::setLiveStream(const QVector<LiveSample> &samples, int intervalMs, bool withMotion)
{
    script = samples;
    scriptPosition = 0;
    scriptPlayed = 0;
    scriptWithMotion = withMotion;
    if (script.isEmpty()) {
        scriptTimer.stop();
        return;
    }
    scriptTimer.start(std::max(1, intervalMs));
}

void SimulatedMouse::stopLiveStream()
{
    setLiveStream({});
}

void SimulatedMouse::playScriptedSample()
{
    // While streaming is off the script waits where it is.
    const LiveSample &sample = script.at(scriptPosition);
    if (!sendLiveSample(sample.buttons, sample.leftForce, sample.rightForce))
        return;
    ++scriptPlayed;
    if (scriptWithMotion)
        sendMotionSample(QByteArray(36, char(scriptPlayed)));
    if (scriptPosition + 1 < script.size())
        ++scriptPosition;
}

void SimulatedMouse::sendResetInfo(uint8_t code1, uint8_t code2)
{
    if (plugged)
        enqueueReport(padded({replyReportId, 2, 0, 0, ResetReply, 1, code1, code2}));
}

void SimulatedMouse::sendReport(const QVector<uint8_t> &report)
{
    if (plugged)
        enqueueReport(padded(report));
}

int SimulatedMouse::countOf(int commandClass, int group, int command) const
{
    return int(std::count_if(received.cbegin(), received.cend(),
                             [&](const Command &c) { return c.is(commandClass, group, command); }));
}

void SimulatedMouse::clearLog()
{
    received.clear();
    outputLog.clear();
    sentLog.clear();
    ignored = 0;
}

QVector<uint8_t> SimulatedMouse::featureReport(uint8_t reportId) const
{
    if (!plugged || reportId != 1)
        return {};
    QVector<uint8_t> report(reportLength, 0);
    report[0] = 1;
    if (!bootloaderPid) {
        const QByteArray text = firmwareBuild.left(reportLength - 6);
        std::copy(text.cbegin(), text.cend(), report.begin() + 6);
    }
    return report;
}

void SimulatedMouse::receiveOutputReport(const QVector<uint8_t> &report)
{
    if (!plugged)
        return;
    outputLog.append(report);
    const int chunkLength = report.size() > 5 ? report[5] & chunkLengthMask : 0;
    if (report.size() != reportLength || report[0] != outputReportId || report[1] != 1 || chunkLength > chunkSize) {
        ++ignored;
        return;
    }
    if (bootloaderPid)
        return; // a bootloader speaks its own protocol
    const uint8_t classGroup = report[2];
    const uint8_t command = report[3];
    sendStrays(classGroup, command, Moment::BeforeReply);
    if (!silent) // a silent mouse answers nothing
        takePacket(report, chunkLength);
    sendStrays(classGroup, command, Moment::AfterReply);
}

void SimulatedMouse::takePacket(const QVector<uint8_t> &report, int chunkLength)
{
    const uint8_t classGroup = report[2];
    const uint8_t command = report[3];
    const uint8_t sequence = report[4];
    const bool first = report[5] & firstPacketFlag;
    const bool more = report[5] & morePacketsFlag;
    const QVector<uint8_t> chunk = report.mid(6, chunkLength);

    if (first) {
        if (sequence != 0) {
            partial.reset();
            acknowledge(classGroup, command, SequenceError);
            return;
        }
        partial = Partial{classGroup, command, sequence, chunk, 1};
    } else {
        if (!partial || partial->classGroup != classGroup || partial->command != command
            || sequence != uint8_t(partial->sequence + 1)) {
            partial.reset();
            acknowledge(classGroup, command, SequenceError);
            return;
        }
        partial->sequence = sequence;
        partial->payload << chunk;
        ++partial->packets;
    }

    const std::optional<Status> chosen = chosenStatus(classGroup, command, partial->packets - 1, !more);
    if (chosen && *chosen != Ok) {
        partial.reset();
        acknowledge(classGroup, command, *chosen);
        return;
    }
    if (more) {
        if (chunkLength != chunkSize) {
            partial.reset();
            acknowledge(classGroup, command, BadPayload);
            return;
        }
        acknowledge(classGroup, command, Ok);
        return;
    }

    Command done;
    done.commandClass = classGroup >> 6;
    done.group = classGroup & 0x3F;
    done.command = command;
    done.payload = partial->payload;
    done.packets = partial->packets;
    partial.reset();
    received.append(done);
    handle(done, classGroup);
    emit commandReceived(done.commandClass, done.group, done.command);
}

void SimulatedMouse::addStrayReport(int commandClass, int group, int command, const QVector<uint8_t> &report,
                                    Moment moment, int packets)
{
    strays.append({uint8_t(commandClass << 6 | group), uint8_t(command), padded(report), moment, packets});
}

void SimulatedMouse::clearStrayReports() { strays.clear(); }

void SimulatedMouse::setAcknowledgement(int commandClass, int group, int command, Status status, int packet)
{
    chosenAcknowledgements.append({uint8_t(commandClass << 6 | group), uint8_t(command), status, packet});
}

void SimulatedMouse::sendStrays(uint8_t classGroup, uint8_t command, Moment moment)
{
    for (Stray &stray : strays) {
        if (stray.classGroup != classGroup || stray.command != command || stray.moment != moment || stray.packets == 0)
            continue;
        if (stray.packets > 0)
            --stray.packets;
        enqueueReport(stray.report);
    }
}

std::optional<SimulatedMouse::Status> SimulatedMouse::chosenStatus(uint8_t classGroup, uint8_t command, int packet,
                                                                   bool last)
{
    for (int i = 0; i < chosenAcknowledgements.size(); ++i) {
        const ChosenAcknowledgement &chosen = chosenAcknowledgements.at(i);
        if (chosen.classGroup == classGroup && chosen.command == command
            && (chosen.packet == packet || (chosen.packet < 0 && last))) {
            const Status status = chosen.status;
            chosenAcknowledgements.removeAt(i);
            return status;
        }
    }
    return std::nullopt;
}

void SimulatedMouse::handle(const Command &c, uint8_t classGroup)
{
    const uint8_t n = uint8_t(c.command);
    const QVector<uint8_t> &p = c.payload;
    if (c.is(0, 1, 10)) {
        reply(classGroup, n, CpuIdReply, bytes(cpuId));
    } else if (c.is(0, 1, 15)) {
        reply(classGroup, n, SerialReply, bytes(serialNumber));
    } else if (c.is(0, 1, 60)) {
        profileNotice(causeOwnSwitch);
    } else if (c.is(0, 10, 10)) {
        QVector<uint8_t> data;
        appendLe32(data, memoryFirst);
        appendLe32(data, memorySecond);
        reply(classGroup, n, MemoryReply, data);
    } else if (c.is(1, 10, 1)) {
        handleUpload(c, classGroup);
    } else if (c.is(2, 10, 1)) {
        flash = ram;
        ++flashWriteCount;
        acknowledge(classGroup, n, Ok);
    } else if (c.is(1, 10, 30)) {
        if (p.size() < 3 || p[0] != 2) {
            acknowledge(classGroup, n, BadPayload);
            return;
        }
        activeIndex = p[1];
        activeSubIndex = p[2];
        profileNotice(causeHostSwitch);
    } else if (c.is(0, 15, 6)) {
        reply(classGroup, n, SensorReply, {uint8_t(sensorId)});
    } else if (c.is(0, 15, 4)) {
        reply(classGroup, n, SensorReply, {uint8_t(dpiStep)});
    } else if (c.is(2, 1, 1)) {
        // Restarts into the bootloader without answering.
        const int pid = restartBootloaderPid;
        enqueue([this, pid] { plugInAsBootloader(pid); });
    } else if (c.is(2, 1, 2)) {
        ram.clear();
        activeIndex = activeSubIndex = 255;
        ++configResetCount;
        acknowledge(classGroup, n, Ok);
    } else if (c.is(2, 1, 30)) {
        flash.clear();
        ++userDataResetCount;
        acknowledge(classGroup, n, Ok);
    } else if (c.is(2, 20, 1)) {
        if (hasTilt())
            ++imuCount;
        acknowledge(classGroup, n, hasTilt() ? Ok : Unsupported);
    } else if (c.is(2, 40, 1)) {
        if (!hasHaptics()) {
            acknowledge(classGroup, n, Unsupported);
        } else if (p.size() != 5 || p[0] != 1 || p[1] != 0) {
            acknowledge(classGroup, n, BadPayload);
        } else {
            vibrationLog.append({p[2] | (p[3] << 8), p[4]});
            acknowledge(classGroup, n, Ok);
        }
    } else if (c.is(1, 5, 10)) {
        if (p.size() != 1 || (p[0] != 3 && p[0] != 0)) {
            acknowledge(classGroup, n, BadPayload);
            return;
        }
        streaming = p[0] == 3;
        acknowledge(classGroup, n, Ok);
    } else if (c.is(0, 25, 1)) {
        if (!silentToBlockRead)
            reply(classGroup, n, CalibrationReply, bytes(forceBlock));
    } else if (c.is(1, 25, 1)) {
        if (p.size() != 28) {
            acknowledge(classGroup, n, BadPayload);
            return;
        }
        forceBlock = QByteArray(reinterpret_cast<const char *>(p.constData()), p.size());
        acknowledge(classGroup, n, Ok);
    } else if (c.is(2, 25, 5)) {
        captureArmed = true;
        capture.reset();
        acknowledge(classGroup, n, Ok);
    } else if (c.is(0, 25, 5)) {
        QVector<uint8_t> data = capture.value_or(QVector<uint8_t>{0xFF, 0xFF, 0xFF, 0xFF, 255});
        captureArmed = false;
        reply(classGroup, n, CaptureReply, data);
    } else {
        acknowledge(classGroup, n, UnknownCommand);
    }
}

void SimulatedMouse::handleUpload(const Command &c, uint8_t classGroup)
{
    const uint8_t n = uint8_t(c.command);
    acknowledge(classGroup, n, Ok); // the last packet, like every other
    const QVector<uint8_t> &p = c.payload;
    Status status = Ok;
    QByteArray package;
    if (p.size() < 4 || p[0] != 3 || p[1] != 0) {
        status = BadPayload;
    } else {
        package = QByteArray(reinterpret_cast<const char *>(p.constData()) + 4, p.size() - 4);
        const uint16_t crc = uint16_t(p[2] | (p[3] << 8));
        if (crc16(package) != crc)
            status = BadCrc;
        else if (package.size() > memorySize())
            status = TooLarge;
    }
    if (uploadAnnounced)
        reply(classGroup, n, UploadResult, {uint8_t(status)});
    if (status != Ok) {
        ++rejectedCount;
        return;
    }
    ram = package;
    ++uploadCount;
    applyStartupProfile(ram);
    if (uploadAnnounced)
        profileNotice(causeOwnSwitch);
}

bool SimulatedMouse::startupProfile(const QByteArray &package, int &index, int &subIndex)
{
    // The global profile's header item, then its start-up event and the
    // go-to-profile output that names the active profile.
    static const uint8_t startup[] = {2, 5, 0x10, 0x50, 1, 0, 1, 3, 4, 0x5B, 2};
    if (package.size() < 2 || uint8_t(package[0]) != 1)
        return false;
    const int at = 2 + uint8_t(package[1]);
    if (package.size() < at + int(sizeof startup) + 2)
        return false;
    for (size_t i = 0; i < sizeof startup; ++i) {
        if (uint8_t(package[at + int(i)]) != startup[i])
            return false;
    }
    index = uint8_t(package[at + int(sizeof startup)]);
    subIndex = uint8_t(package[at + int(sizeof startup) + 1]);
    return true;
}

void SimulatedMouse::applyStartupProfile(const QByteArray &package)
{
    int index = 0;
    int subIndex = 0;
    if (startupProfile(package, index, subIndex)) {
        activeIndex = index;
        activeSubIndex = subIndex;
    }
}

void SimulatedMouse::reply(uint8_t classGroup, uint8_t command, uint8_t code, const QVector<uint8_t> &data)
{
    QVector<uint8_t> report{replyReportId, 2, classGroup, command, code};
    report << data;
    enqueueReport(padded(report));
}

void SimulatedMouse::acknowledge(uint8_t classGroup, uint8_t command, Status status)
{
    reply(classGroup, command, AckReply, {uint8_t(status)});
}

void SimulatedMouse::profileNotice(uint8_t cause)
{
    enqueueReport(padded({profileReportId, 0, cause, uint8_t(activeIndex), uint8_t(activeSubIndex)}));
}

void SimulatedMouse::enqueueReport(const QVector<uint8_t> &report)
{
    enqueue([this, report] {
        sentLog.append(report);
        emit inputReport(report);
    });
}

void SimulatedMouse::enqueue(std::function<void()> action)
{
    outbox.push_back(std::move(action));
    if (!deliveryTimer.isActive())
        deliveryTimer.start();
}

void SimulatedMouse::deliverNext()
{
    // In a burst, only what was queued before it started.
    size_t count = burstDelivery ? outbox.size() : 1;
    while (count-- > 0 && !outbox.empty()) {
        auto action = std::move(outbox.front());
        outbox.pop_front();
        action(); // may unplug, which empties the outbox
    }
    if (!outbox.empty() && !deliveryTimer.isActive())
        deliveryTimer.start();
}
