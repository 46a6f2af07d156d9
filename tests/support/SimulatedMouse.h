#pragma once
// A simulated mouse for tests: the device's side of the USB protocol, strict
// about what it accepts. Tests reach it through FakeHidTransport, drive it
// (plug, unplug, profile button, live samples) and inspect what it received.
//
// It reads the packet framing and checks the upload's CRC with code of its
// own, not with the program's GeneralControlCommand and Crc16, so that a
// mistake in those shows as a refused command rather than passing unseen.
//
// Where the real device's inner working is unknown, it works like this:
// - Output reports must be 64 bytes with report id 41 and byte 1 = 1, and a
//   chunk length of at most 58; anything else is ignored without a reply and
//   counted by ignoredReports().
// - A packet with the first-packet flag (0x40) and sequence 0 starts a command
//   and drops an unfinished one. A continuation must carry the same address
//   and the next sequence number (modulo 256); one that does not gets an
//   acknowledgement with status SequenceError and the command is dropped.
//   Every packet but the last of a command must carry a full 58-byte chunk.
// - Replies are input report 40: [40, 2, class << 6 | group, command, code,
//   data...]. Every packet of a command but its last is acknowledged (code
//   AckReply, status in byte 5). The last packet gets the command's reply: the
//   data reply of a query, otherwise an acknowledgement; unknown commands get
//   status UnknownCommand.
// - Upload (1,10,1): the last packet is acknowledged too, then the result
//   follows as a second report (code UploadResult, status Ok, BadPayload,
//   BadCrc or TooLarge), and after a successful upload a profile notice. A
//   rejected upload leaves the package held before in place. With
//   setUploadAnnounced(false) the acknowledgement is all: neither the result
//   nor the notice follows (the package is taken all the same).
// - The active profile after an upload, and after plugging in, is the one the
//   package's start-up item names (its go-to-profile output); without such an
//   item it stays as it was (the global profile 255/255 at first).
// - Profile notice: [10, 0, cause, index, subIndex]; cause 2 when the mouse
//   switched on its own (profile button, after an upload, and as its answer to
//   get-active-profile (0,1,60)); cause 1 as its answer to the host's switch
//   command (1,10,30), which is not a switch of the mouse's own.
// - Memory reply 72 carries two int32: both the memory size unless set apart.
// - Store to flash (2,10,1) copies the package in RAM to flash; plugging in
//   loads flash into RAM. The user data reset (2,1,30) clears flash; the
//   configuration reset (2,1,2) clears RAM and returns to the global profile.
// - Live reports 20 and 23 pushed by the test leave only while streaming is on
//   ((1,5,10) with [3]; [0] switches it off, other values are BadPayload).
// - Click capture: after arming (2,25,5) the first live sample with a button
//   bit set is captured (its two forces and the button id of its lowest set
//   bit, or the id set with setCaptureButton); reading (0,25,5) returns it,
//   or 0xFFFF, 0xFFFF, 255 when none was.
// - A scripted live stream (setLiveStream): the user's hand on the mouse as a
//   list of samples (button bits, raw left and right force). While streaming
//   is on, one sample leaves per interval as a report 20, each followed by a
//   report 23 unless the test leaves those out; while it is off the script
//   waits where it is. The last sample stays: it is sent again at every
//   interval until the test sets another script (the hand stays as it was).
// - The calibration block read (0,25,1) is answered with reply 92 and the
//   block; with setSilentToBlockRead(true) it gets no answer at all, while
//   every other command is answered as usual.
// - Vibration and IMU calibration on a model without haptics or tilt are
//   acknowledged with status Unsupported and have no effect.
// - Start bootloader (2,1,1) gets no reply: the mouse leaves the bus and comes
//   back as its bootloader (product id 7 unless set otherwise). A bootloader
//   answers no command, and its feature report holds no build text.
// - Feature report 1 is [1, 0, 0, 0, 0, 0, build text, zero bytes...]; other
//   feature report ids fail.
// - Every report leaves after replyDelay ms (0: on a later turn of the event
//   loop), in order, never from inside the write that caused it; one report
//   per turn, or with setBurstDelivery(true) everything queued by then in one
//   turn. Unplugging drops what has not left yet. Plugging and unplugging by
//   the test take effect at once.
// - Hostile moments, set by the test: addStrayReport sends a report of the
//   test's choice before or after the reply to each packet of one command (a
//   notice, a live sample, a late or malformed reply), even while silent;
//   setAcknowledgement makes one packet of the next such command be
//   acknowledged with a status of the test's choice, and a status other than
//   Ok drops the command as a refused one (nothing stored, no result).

#include <QByteArray>
#include <QObject>
#include <QTimer>
#include <QVector>

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>

class SimulatedMouse : public QObject
{
    Q_OBJECT

public:
    enum ReplyCode : uint8_t {
        SensorReply = 65, // sensor id or DPI step in byte 5
        AckReply = 66,
        ResetReply = 67,
        UploadResult = 68,
        CaptureReply = 69,
        MemoryReply = 72,
        SerialReply = 73,
        CpuIdReply = 74,
        CalibrationReply = 92,
    };
    enum Status : uint8_t {
        Ok = 0,
        UnknownCommand = 1,
        BadPayload = 2,
        SequenceError = 3,
        BadCrc = 4,
        TooLarge = 5,
        Unsupported = 6,
    };

    struct Command
    {
        int commandClass = 0;
        int group = 0;
        int command = 0;
        QVector<uint8_t> payload;
        int packets = 0;

        bool is(int c, int g, int n) const { return commandClass == c && group == g && command == n; }
    };
    enum class Moment { BeforeReply, AfterReply };
    struct Vibration
    {
        int duration = 0;
        int strength = 0;
    };

    explicit SimulatedMouse(QObject *parent = nullptr);
    ~SimulatedMouse() override;

    // --- Identity; takes effect at the next plug-in where it matters.
    void setProductId(int pid); // 5, 10, 15, 20 (default), 25, 30
    int productId() const { return mousePid; }
    void setFirmwareBuild(const QByteArray &build); // default "000208"
    void setSerial(const QByteArray &serial);       // 9 bytes
    QByteArray serial() const { return serialNumber; }
    void setCpuId(const QByteArray &cpuId); // 10 bytes
    void setMemorySize(int bytes);          // default 32768
    void setMemorySizes(int first, int second);
    int memorySize() const;
    void setSensorId(int id);  // default 0
    void setDpiStep(int step); // byte of the DPI-step reply, default 0 (= 100)
    void setCalibrationBlock(const QByteArray &block); // 28 bytes
    QByteArray calibrationBlock() const { return forceBlock; }
    // No answer to the calibration block read; every other command as usual.
    void setSilentToBlockRead(bool silent);
    // The button id the next captures name, whatever the live samples showed;
    // -1: the one of the captured sample again.
    void setCaptureButton(int buttonId);
    // Comes back as this bootloader after the start-bootloader command.
    void setBootloaderProductId(int pid);
    // Latency of every report; with silent set the mouse answers no command.
    void setReplyDelay(int ms);
    void setSilent(bool silent);
    // Whether the upload's result and profile notice follow its last
    // acknowledgement (default true).
    void setUploadAnnounced(bool announced);
    // Every report queued so far leaves in one turn of the event loop.
    void setBurstDelivery(bool burst);

    // --- Hostile moments.
    // Sends report (padded to 64 bytes) at that moment for each of the next
    // `packets` packets of the command at this address (-1: all of them).
    void addStrayReport(int commandClass, int group, int command, const QVector<uint8_t> &report,
                        Moment moment = Moment::BeforeReply, int packets = -1);
    void clearStrayReports();
    // The acknowledgement of packet number `packet` (0 the first; -1 the
    // last) of the next command at this address carries this status.
    void setAcknowledgement(int commandClass, int group, int command, Status status, int packet = -1);

    // --- The bus.
    void plugIn();
    void unplug();
    bool isPluggedIn() const { return plugged; }
    // Plugs in (again) as the bootloader: pid 7 or 115.
    void plugInAsBootloader(int pid = 7);
    // Restarts on the normal firmware: unplugged, then plugged in as the mouse.
    void leaveBootloader();
    bool inBootloader() const { return bootloaderPid != 0; }
    // The product id seen on the bus: the mouse's or the bootloader's.
    int connectedProductId() const { return bootloaderPid ? bootloaderPid : mousePid; }

    // --- The user at the mouse.
    void pressProfileButton(int index, int subIndex);
    // Live report 20; false (nothing sent) while streaming is off.
    bool sendLiveSample(uint16_t buttons, uint16_t leftForce, uint16_t rightForce);
    // Live report 23 with up to 63 bytes after the report id.
    bool sendMotionSample(const QByteArray &data);
    // One sample of a scripted live stream.
    struct LiveSample
    {
        uint16_t buttons = 0;
        uint16_t leftForce = 0xFFFF; // raw: falls as the force rises
        uint16_t rightForce = 0xFFFF;
    };
    // Plays the samples from the first while streaming is on, one per
    // intervalMs, each followed by a report 23 when withMotion; the last one
    // is repeated until the next script. Replaces a running script.
    void setLiveStream(const QVector<LiveSample> &samples, int intervalMs = 5, bool withMotion = true);
    void stopLiveStream();
    // Samples of the current script sent so far (repetitions of the last
    // counted too).
    int liveSamplesPlayed() const { return scriptPlayed; }
    // Reply 67 with the two reset-cause bytes (sent unasked, as after a reset).
    void sendResetInfo(uint8_t code1, uint8_t code2);
    // Any input report, padded to 64 bytes.
    void sendReport(const QVector<uint8_t> &report);

    // --- Inspection.
    QVector<Command> commands() const { return received; }
    Command lastCommand() const { return received.isEmpty() ? Command() : received.last(); }
    int countOf(int commandClass, int group, int command) const;
    void clearLog();
    QVector<QVector<uint8_t>> outputReports() const { return outputLog; }
    QVector<QVector<uint8_t>> sentReports() const { return sentLog; }
    int ignoredReports() const { return ignored; }
    QByteArray ramPackage() const { return ram; }
    QByteArray flashPackage() const { return flash; }
    int uploads() const { return uploadCount; }
    int rejectedUploads() const { return rejectedCount; }
    int flashWrites() const { return flashWriteCount; }
    int profileIndex() const { return activeIndex; }
    int subProfileIndex() const { return activeSubIndex; }
    bool isStreaming() const { return streaming; }
    QVector<Vibration> vibrations() const { return vibrationLog; }
    int imuCalibrations() const { return imuCount; }
    int userDataResets() const { return userDataResetCount; }
    int configResets() const { return configResetCount; }
    // Reports queued that have not left yet.
    int pendingReports() const { return int(outbox.size()); }

    // --- The transport's side.
    void receiveOutputReport(const QVector<uint8_t> &report);
    // The feature report, or an empty vector when the mouse has none of that id.
    QVector<uint8_t> featureReport(uint8_t reportId) const;

    // A package's start-up profile (index, sub-index), when it names one.
    static bool startupProfile(const QByteArray &package, int &index, int &subIndex);
    // The check the mouse makes on an upload: CRC-16/CCITT-FALSE (polynomial
    // 0x1021, start 0xFFFF, no reflection, no final XOR).
    static uint16_t crc16(const QByteArray &data);

signals:
    void pluggedIn(int productId);
    void unplugged();
    // A whole command was taken (after its replies were queued).
    void commandReceived(int commandClass, int group, int command);
    // One 64-byte input report leaving the mouse.
    void inputReport(QVector<uint8_t> report);

private:
    struct Partial
    {
        uint8_t classGroup = 0;
        uint8_t command = 0;
        uint8_t sequence = 0;
        QVector<uint8_t> payload;
        int packets = 0;
    };

    struct Stray
    {
        uint8_t classGroup;
        uint8_t command;
        QVector<uint8_t> report;
        Moment moment;
        int packets;
    };
    struct ChosenAcknowledgement
    {
        uint8_t classGroup;
        uint8_t command;
        Status status;
        int packet;
    };

    void takePacket(const QVector<uint8_t> &report, int chunkLength);
    void sendStrays(uint8_t classGroup, uint8_t command, Moment moment);
    // The chosen status of this packet of the command, if the test chose one.
    std::optional<Status> chosenStatus(uint8_t classGroup, uint8_t command, int packet, bool last);
    void handle(const Command &command, uint8_t classGroup);
    void handleUpload(const Command &command, uint8_t classGroup);
    void reply(uint8_t classGroup, uint8_t command, uint8_t code, const QVector<uint8_t> &data = {});
    void acknowledge(uint8_t classGroup, uint8_t command, Status status);
    void profileNotice(uint8_t cause);
    void enqueue(std::function<void()> action);
    void enqueueReport(const QVector<uint8_t> &report);
    void deliverNext();
    void applyStartupProfile(const QByteArray &package);
    void playScriptedSample();
    bool hasHaptics() const;
    bool hasTilt() const;

    int mousePid = 20;
    int bootloaderPid = 0;
    int restartBootloaderPid = 7;
    QByteArray firmwareBuild = "000208";
    QByteArray serialNumber;
    QByteArray cpuId;
    int memoryFirst = 32768;
    int memorySecond = 32768;
    int sensorId = 0;
    int dpiStep = 0;
    QByteArray forceBlock;
    bool silent = false;
    bool uploadAnnounced = true;
    bool burstDelivery = false;
    bool plugged = false;
    QVector<Stray> strays;
    QVector<ChosenAcknowledgement> chosenAcknowledgements;

    std::optional<Partial> partial;
    QByteArray ram;
    QByteArray flash;
    int activeIndex = 255;
    int activeSubIndex = 255;
    bool streaming = false;
    bool captureArmed = false;
    std::optional<QVector<uint8_t>> capture; // left LE16, right LE16, button id
    int captureButton = -1;
    bool silentToBlockRead = false;
    QVector<LiveSample> script;
    int scriptPosition = 0;
    int scriptPlayed = 0;
    bool scriptWithMotion = true;
    QTimer scriptTimer;

    QVector<Command> received;
    QVector<QVector<uint8_t>> outputLog;
    QVector<QVector<uint8_t>> sentLog;
    QVector<Vibration> vibrationLog;
    int ignored = 0;
    int uploadCount = 0;
    int rejectedCount = 0;
    int flashWriteCount = 0;
    int imuCount = 0;
    int userDataResetCount = 0;
    int configResetCount = 0;

    std::deque<std::function<void()>> outbox;
    QTimer deliveryTimer;
};
