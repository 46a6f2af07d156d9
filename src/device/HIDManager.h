#pragma once
#include "HIDInterface.h"
#include "HidReport.h"
#include "HidStopEvent.h"

#include <QString>

#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

class HidSystem;

// The HID transport: finds the mouse (or one of its bootloaders) among the HID
// devices, opens it, reads its input reports on a thread of its own, writes
// 64-byte output reports, reads feature reports, and reports arrival, removal
// and waking from sleep.
//
// States: no device; open without reader (after findMouse); open and reading
// (after subscribe). Everything but the reader runs on the GUI thread; the
// reader hands removal back to the GUI thread, so the device file is closed
// only once the reader has finished with it.
class HIDManager : public HIDInterface
{
    Q_OBJECT

public:
    // On the Linux HID system (hidraw, udev, logind).
    explicit HIDManager(QObject *parent = nullptr);
    // On the given system (tests).
    explicit HIDManager(std::unique_ptr<HidSystem> system, QObject *parent = nullptr);
    ~HIDManager() override;

    // Enumerates the devices and opens the first that matches; sets the
    // product id. False when none matches or the match cannot be opened.
    bool findMouse();
    // Stops the reader and waits for it to end; returns whether it was running.
    bool stopReadThread();

    int productId() const { return mousePID; }
    bool isOpen() const { return device >= 0; }
    // A reader is running (it clears this once it has posted a removal).
    bool isReading() const { return running; }

    static constexpr int writeTimeoutMs = 1000;
    // Consecutive read errors (other than the device going away) after which
    // the device counts as removed, and the pause after each.
    static constexpr int maxReadFailures = 10;
    static constexpr int readRetryMs = 20;
    // Without a stop event the reader wakes this often to see whether to stop.
    static constexpr int stopCheckMs = 100;

public slots:
    void subscribe() override;
    void writePacket(QVector<uint8_t> packet) override;
    void getFeature(QVector<uint8_t> &buffer) override;
    void onMouseRemoval();

private slots:
    void deviceArrived(const QString &node);
    void deviceRemoved(const QString &node);
    void systemGoingToSleep();
    void systemWakingUp();

private:
    void read_thread(int fd, quint64 generation);
    void readerLostDevice(quint64 generation);
    void removeReaderDevice(quint64 generation);

    int mousePID = 0;
    int device = -1;
    // Counts the devices opened: a removal noticed by a reader names its
    // device by this, not by the descriptor, whose number the next can reuse.
    quint64 deviceGeneration = 0;
    QString devicePath;
    std::unique_ptr<HidSystem> system;

    std::unique_ptr<std::thread> readThread;
    std::mutex startMutex;
    std::condition_variable startCondition;
    bool started = false;
    std::atomic<bool> running{false};
    std::atomic<bool> destroyed{false};
    HidStopEvent stopEvent;
};
