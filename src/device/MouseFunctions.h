#pragma once
#include "MouseCapabilities.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QVector>

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <optional>

class ExpectedReply;
class GeneralControlCommand;
class HIDInterface;
class PackageCreator;
class QEventLoop;

// The one device object of the process: owns the HID transport, knows which
// model is connected and what it can do, sends every command and waits for its
// reply, parses every input report and tells the rest of the program about the
// device through signals. Everything runs on the GUI thread.
//
// A command waits for its own answer or 500 ms in a nested event loop, so the
// GUI stays live and other queued signals are delivered meanwhile. Which
// report answers which command is ExpectedReply's; every other report that
// arrives during a wait gets its usual handling and leaves the wait running.
//
// One command at a time: while one waits (isAwaitingReply), a command given
// without a result to return is queued and runs once the wait is over; one
// that returns a result (sendPacket, sendCommand, startWaitForResponse, the
// uploads) is refused with Busy. A connection and the upload after waking
// are put off the same way, so the connect sequence is never interleaved.
//
// The firmware update lives above this library: it hands in a function that
// reads its state (setFirmwareStateProvider) and sets the operation mode.
class MouseFunctions : public QObject
{
    Q_OBJECT

public:
    // What the running wait expects; with none running, the connection.
    enum WaitState : int {
        WaitDisconnected = 0,
        WaitConnected = 1, // the connect sequence's profile query; a bootloader that passed the check
        WaitIdle = 2,
        WaitMemory = 3,
        WaitUpload = 4,
        WaitSerial = 5,
        WaitCpuId = 6,
        WaitSensorId = 8,
        WaitDpiStep = 9,
    };

    // How one wait for a reply ended.
    enum class ReplyWait {
        Received,     // the command's answer arrived
        TimedOut,     // nothing within replyTimeoutMs
        Disconnected, // the device went away
        NotSent,      // nothing was sent: no transport or no device
        Busy,         // nothing was sent: another command is still waiting for its reply
    };
    Q_ENUM(ReplyWait)

    enum UploadResult {
        UploadOk,
        UploadSkipped,        // the model is inside a batch of changes; nothing was done
        UploadNoDevice,       // no compatible mouse is connected
        UploadBusy,           // another command is still waiting for its reply
        UploadEncodingFailed, // the model could not be encoded into a package
        UploadTooLarge,       // the package does not fit into the mouse's memory
        UploadTimedOut,       // the mouse stopped answering
        UploadDisconnected,   // the mouse went away during the upload
        UploadRejected,       // the mouse refused a packet or the package, or named no memory size
    };
    Q_ENUM(UploadResult)

    static constexpr int replyTimeoutMs = 500;
    // States of the firmware update that matter here.
    static constexpr int fwStateUploadApplicationTrying = 2; // a flashing is under way
    static constexpr int fwStateNone = 6;                    // no update runs
    // Operation mode while a firmware update runs.
    static constexpr int operationModeFirmwareUpdate = 2;

    using TransportFactory = std::function<HIDInterface *()>;
    using FirmwareStateProvider = std::function<int()>;

    // The process-wide object, made on first use, destroyed at exit.
    static MouseFunctions *instance();
    // Destroys the object (with its transport); the next instance() makes a
    // new one. For tests, between cases.
    static void destroyInstance();
    // What init() uses to make the transport; an empty function restores the
    // default (the HIDManager on the system's HID devices). The object takes
    // ownership of what the factory returns.
    static void setTransportFactory(TransportFactory factory);

    ~MouseFunctions() override;

    // Creates the transport, connects its signals queued and subscribes. Once.
    void init();

    // --- The model. These read the stored model code only, so they answer
    // for the last connected model also while none is connected.
    int mousePID() const { return m_mousePID; }
    bool isVModel() const { return m_mousePID == 5 || m_mousePID == 30; }
    bool hasBacklight() const { return m_mousePID == 5 || m_mousePID == 20 || m_mousePID == 30; }
    bool hasHaptics() const { return m_mousePID == 5 || m_mousePID == 10 || m_mousePID == 30; }
    bool isBootloader() const { return isBootloaderId(m_mousePID); }
    static bool isBootloaderId(int pid) { return pid == 7 || pid == 115; }
    MouseCapabilities capabilities() const { return m_capabilities; }
    int dpiStep() const { return m_capabilities.dpiStep; }
    int maxDpi() const { return m_capabilities.maxDpi; }
    int snapDpi(int dpi) const { return m_capabilities.snapDpi(dpi); }
    // "LastMouseConnected" from the settings file, read on every call.
    static int lastMouseConnected();

    // --- State.
    // What the running wait expects; with none running, WaitIdle while a
    // compatible mouse is present, WaitConnected for a bootloader that passed
    // the firmware check, otherwise WaitDisconnected.
    int waitState() const { return m_waitState; }
    // The transport reports a device (mouse or bootloader) as present.
    bool isDevicePresent() const { return m_devicePresent; }
    // A mouse passed the connect sequence and has not gone away since. Only
    // then do the profile commands (uploads, also after waking, store to
    // flash, resets, profile switch and query) reach the device. A refused
    // firmware build stays refused whatever other commands are sent to it.
    bool isCompatibleMousePresent() const { return m_compatibleMouse; }
    // A command, the connect sequence or an upload is waiting for a reply.
    bool isAwaitingReply() const { return busy(); }
    int operationMode() const { return m_operationMode; }
    void setOperationMode(int mode) { m_operationMode = mode; }
    bool firmwareCheckEnabled() const { return m_firmwareCheckEnabled; }
    void setFirmwareCheckEnabled(bool enabled) { m_firmwareCheckEnabled = enabled; }
    // Read on every connection; without one the firmware update counts as
    // idle (fwStateNone).
    void setFirmwareStateProvider(FirmwareStateProvider provider);
    int deviceMemory() const { return m_deviceMemory; }
    bool profilesSent() const { return m_profilesSent; }
    bool resetPending() const { return m_resetPending; }
    bool savedToFlash() const { return m_savedToFlash; }
    // The package fetched last.
    QByteArray package() const { return m_package; }

    // --- Talking to the device.
    // Passes when the check is off or the build text holds the required
    // build; otherwise emits fwUpdateRequired (not for an empty text).
    bool checkFirmware();
    // The firmware build text from feature report 1 (empty when unreadable).
    QString getBuildNumber();
    // Writes one packet and waits for its answer or the time-out; Busy while
    // another command waits. The answer also goes out as genericResponse
    // (or profileChanged), once the wait is over.
    ReplyWait sendPacket(const QVector<uint8_t> &packet);
    // The command's first packet only, through sendPacket.
    ReplyWait sendCommand(const GeneralControlCommand &command);

    // --- Commands.
    // Uploads the current device package into the mouse's memory. Stops at
    // the first failure; the result also goes out as uploadFinished. UploadOk
    // only when the mouse acknowledged every packet and did not refuse the
    // package.
    UploadResult saveToRAM();
    // Package length in percent of the device memory; 0 when either is unknown.
    double memoryUsedPercent();
    // Replaces package() with the model's package; false (with the reason)
    // when the model cannot be encoded.
    bool fetchPackage(QString *error = nullptr);
    // The commands below go out at once, or once the command that waits now
    // is done with (see the class comment).
    // Stores the mouse's profiles in its flash memory. True only when the
    // command went out at once and the mouse acknowledged it without an
    // error; a command put off behind another one gives false.
    bool saveToFlash();
    void configReset();
    void userDataReset();
    void switchToProfile(int index, int subIndex);
    void setInputStreaming(bool on);
    // The tilt sensor's calibration. Its answer is not read: TimedOut is no
    // failure. Busy (nothing sent, nothing queued) while another command
    // waits, so that the caller can tell it was not sent.
    ReplyWait calibrateIMU();
    void startBootloader();
    void getCpuUniqueId();
    void getSerialNumber();
    void getActiveProfile();

    // [3, 0, CRC low, CRC high] followed by the package.
    static QVector<uint8_t> uploadPayload(const QByteArray &package);

signals:
    void mouseConnect(bool connected);
    void profileChanged(int index, int subIndex);
    void fwUpdateRequired(bool deviceIsOlder);
    void fwReply_cpu(QByteArray cpuId);
    void fwReply_serial(QByteArray serial);
    void fwRestoreRequired(int stage);
    void UserInputEvent(QVector<uint8_t> data);
    void genericResponse(QVector<uint8_t> data);
    // The end of every upload attempt (not of one skipped during a batch):
    // UploadOk, or the failure with a reason for the user.
    void uploadFinished(MouseFunctions::UploadResult result, const QString &reason);

public slots:
    // Haptic models only; nothing for the others.
    void triggerVibration(uint16_t duration, uint8_t strength);
    void mouseConnectState(bool connected, int mousePID);
    void responseParser(QVector<uint8_t> packet);
    // Waits for any report or the time-out without sending anything; Busy
    // while a command waits.
    MouseFunctions::ReplyWait startWaitForResponse();
    // Ends the running wait as if its time had run out.
    void stopWaitForResponse();
    // The Save buttons' upload: nothing while the model is inside a batch of
    // changes; otherwise saveToRAM, and after a reset that is not yet stored
    // in flash, a query of the active profile. UploadBusy while a command
    // waits.
    MouseFunctions::UploadResult sendProfilesToMouse();

private slots:
    void wokeFromSleep();
    void runDeferred();

private:
    struct Wait;
    class Exchange;

    MouseFunctions();

    bool busy() const { return m_exchanges > 0; }
    bool canTransmit() const { return m_transport && m_devicePresent; }
    // Queues the command when another waits (true); false: go ahead.
    bool deferWhileBusy(std::function<void()> command);
    // Inside an exchange: sends the packet and waits for what answers its
    // command. With passOn the answer also gets its usual handling once the
    // wait is over; answer receives it when given.
    ReplyWait transmit(int state, const QVector<uint8_t> &packet, QVector<uint8_t> *answer = nullptr,
                       bool passOn = false);
    // Inside an exchange: waits without sending, first looking through the
    // reports that came in since the last wait ended.
    ReplyWait awaitReport(int state, const ExpectedReply &expected, QVector<uint8_t> *answer = nullptr,
                          bool passOn = false);
    ReplyWait runWait(int state, const ExpectedReply &expected, QVector<uint8_t> *answer, bool passOn);
    void finishWait(ReplyWait outcome);
    void leaveExchange();
    void handleHeldReports();
    void handleReport(const QVector<uint8_t> &packet);
    void scheduleDeferred();
    bool runConnectQueries(int pid);
    // The sensor query's reply code in byte 5, or -1 (logged) without one.
    int querySensorByte(int state, const QVector<uint8_t> &packet, const char *stateName);
    ReplyWait queryActiveProfile(int state, bool passOn);
    // Length of the package fetched last in percent of the device memory;
    // 0 when either is unknown.
    double packagePercent() const;
    // saveToRAM's upload as its own exchange; with save, as the Save
    // buttons' (sendProfilesToMouse).
    UploadResult runUpload(bool save);
    UploadResult upload(QString *reason);
    UploadResult sendPackage(QString *reason);
    UploadResult uploadFailed(ReplyWait outcome, QString *reason);
    UploadResult finishUpload(UploadResult result, const QString &reason);
    void logResetCauses(const QVector<uint8_t> &packet);
    void setSensor(int sensorId);
    int firmwareState() const;

    std::unique_ptr<HIDInterface> m_transport;
    PackageCreator *m_packageSource;
    FirmwareStateProvider m_firmwareState;

    bool m_firmwareCheckEnabled = true;
    int m_operationMode = 0;
    int m_waitState = WaitDisconnected;
    // waitState while no wait runs.
    int m_restState = WaitDisconnected;
    bool m_devicePresent = false;
    bool m_compatibleMouse = false;
    QByteArray m_package;
    int m_deviceMemory = 0;
    bool m_profilesSent = false;
    bool m_resetPending = false;
    bool m_savedToFlash = true;
    int m_mousePID = 0;
    MouseCapabilities m_capabilities;

    // Commands (and the connect sequence) that wait for replies in progress,
    // nested calls counted; the one wait that runs, if any.
    int m_exchanges = 0;
    Wait *m_wait = nullptr;
    // Reports that came in while an exchange ran between two of its waits
    // (several reports often arrive in one turn of the event loop): the next
    // wait looks through them first; what is left gets its usual handling
    // when the exchange ends or its next packet goes out.
    std::deque<QVector<uint8_t>> m_held;
    // Work that arrived while a command waited, done once none waits.
    std::optional<int> m_pendingConnect;
    std::deque<std::function<void()>> m_queued;
    bool m_pendingWakeUpload = false;
    bool m_deferredScheduled = false;
};
