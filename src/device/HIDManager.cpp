#include "HIDManager.h"

#include "HidMatch.h"
#include "HidSystem.h"
#include "HidrawFile.h"
#include "HidrawSystem.h"

#include <QDebug>
#include <QElapsedTimer>
#include <QStringList>

#include <algorithm>
#include <cerrno>
#include <vector>

HIDManager::HIDManager(QObject *parent)
    : HIDManager(std::make_unique<HidrawSystem>(), parent)
{
}

HIDManager::HIDManager(std::unique_ptr<HidSystem> hidSystem, QObject *parent)
    : HIDInterface(parent)
    , system(std::move(hidSystem))
{
    if (!stopEvent.isValid())
        qWarning().nospace() << "HIDManager: eventfd failed. Error code: " << stopEvent.error();
    connect(system.get(), &HidSystem::deviceArrived, this, &HIDManager::deviceArrived);
    connect(system.get(), &HidSystem::deviceRemoved, this, &HIDManager::deviceRemoved);
    connect(system.get(), &HidSystem::goingToSleep, this, &HIDManager::systemGoingToSleep);
    connect(system.get(), &HidSystem::wakingUp, this, &HIDManager::systemWakingUp);
    // Watch first, so a mouse plugged in while the list is read is not missed:
    // its arrival, if it comes after the mouse was opened, is ignored.
    system->startWatching();
    findMouse();
}

HIDManager::~HIDManager()
{
    // The reader reads this object's fields: it must be gone before they are.
    destroyed = true;
    stopReadThread();
    HidrawFile::close(device);
    device = -1;
}

bool HIDManager::findMouse()
{
    QVector<HidDeviceInfo> devices;
    if (!system->enumerate(devices)) {
        qWarning() << "HIDManager: udev enumeration failed";
        return false;
    }
    QStringList ids;
    for (const HidDeviceInfo &info : devices)
        ids << info.hardwareId;
    int index = -1;
    const int pid = HidMatch::firstMatch(ids, &index);
    if (pid == HidMatch::romBootloader)
        qInfo() << "HIDManager: Kinetis Bootloader Found.";
    else if (pid == HidMatch::makerBootloader)
        qInfo() << "HIDManager: Corvanelle Mouse Bootloader Found.";
    if (pid == 0)
        return false;
    qInfo() << "HIDManager: mouse match, PID:" << pid;

    int error = 0;
    const int fd = system->open(devices[index].node, error);
    if (fd < 0) {
        qWarning().nospace() << "HIDManager: open failed. Error code: " << error;
        return false;
    }
    device = fd;
    ++deviceGeneration;
    devicePath = devices[index].node;
    mousePID = pid;
    return true;
}

void HIDManager::subscribe()
{
    if (device < 0)
        return;
    if (running) {
        qDebug() << "HIDManager: on_subscribe device already has read thread";
    } else {
        stopReadThread();
        stopEvent.reset();
        running = true;
        {
            std::lock_guard<std::mutex> lock(startMutex);
            started = false;
        }
        readThread = std::make_unique<std::thread>(&HIDManager::read_thread, this, device, deviceGeneration);
        std::unique_lock<std::mutex> lock(startMutex);
        startCondition.wait(lock, [this] { return started; });
    }
    emit mouseConnect(true, mousePID);
}

bool HIDManager::stopReadThread()
{
    const bool wasRunning = running.exchange(false);
    if (readThread) {
        stopEvent.signal();
        if (readThread->joinable())
            readThread->join();
        readThread.reset();
    }
    return wasRunning;
}

void HIDManager::read_thread(int fd, quint64 generation)
{
    {
        std::lock_guard<std::mutex> lock(startMutex);
        started = true;
    }
    startCondition.notify_all();
    if (destroyed) {
        qDebug() << "HIDManager: read_thread end (already destructed)";
        return;
    }

    std::vector<uint8_t> buffer(size_t(HidReport::length), 0);
    // Without a stop event nothing could end an endless wait.
    const int waitMs = stopEvent.isValid() ? -1 : stopCheckMs;
    int failures = 0;
    while (running) {
        int error = 0;
        const HidrawFile::Wait wait = HidrawFile::waitForInput(fd, stopEvent.fd(), waitMs, error);
        if (wait == HidrawFile::Wait::TimedOut)
            continue;
        if (wait == HidrawFile::Wait::Stopped) {
            qDebug() << "HIDManager: read_thread got stop event";
            running = false;
            break;
        }
        if (destroyed) {
            qDebug() << "HIDManager: read_thread stopping because destructed (before producing event)";
            running = false;
            break;
        }
        long count = -1;
        if (wait == HidrawFile::Wait::Readable)
            count = HidrawFile::read(fd, buffer.data(), buffer.size(), error);

        if (count > 0) {
            failures = 0;
            // A short report must not carry over the bytes of the one before.
            std::fill(buffer.begin() + count, buffer.end(), uint8_t(0));
            emit response(QVector<uint8_t>(buffer.begin(), buffer.end()));
        } else if (wait == HidrawFile::Wait::Gone || count == 0 || HidrawFile::isDeviceGone(error)) {
            readerLostDevice(generation);
            break;
        } else if (HidrawFile::isTransient(error)) {
            continue;
        } else {
            // An error that does not say the device is gone: do not spin on it.
            if (++failures == 1)
                qWarning().nospace() << "HIDManager: read failed. Error code: " << error;
            if (failures >= maxReadFailures) {
                qWarning() << "HIDManager: read keeps failing, treating the mouse as removed";
                readerLostDevice(generation);
                break;
            }
            HidrawFile::waitForInput(-1, stopEvent.fd(), readRetryMs, error);
        }
        if (destroyed) {
            qDebug() << "HIDManager: read_thread stopping because destructed (after producing event)";
            running = false;
            break;
        }
    }
}

void HIDManager::readerLostDevice(quint64 generation)
{
    // Removal closes the device file, which this thread still holds: leave it
    // to the GUI thread, which joins this thread first.
    QMetaObject::invokeMethod(
        this, [this, generation] { removeReaderDevice(generation); }, Qt::QueuedConnection);
    running = false;
}

void HIDManager::removeReaderDevice(quint64 generation)
{
    // By now the device may have been removed on the monitor's notice and
    // another opened: that one is not the reader's to remove.
    if (generation == deviceGeneration)
        onMouseRemoval();
}

void HIDManager::onMouseRemoval()
{
    if (device < 0)
        return; // already removed, by the reader's notice or the monitor's
    qInfo() << "HIDManager: mouse removal, PID:" << mousePID;
    const int fd = device;
    device = -1;
    stopReadThread();
    HidrawFile::close(fd);
    devicePath.clear();
    mousePID = 0;
    emit mouseConnect(false, 0);
}

void HIDManager::writePacket(QVector<uint8_t> packet)
{
    const QVector<uint8_t> report = HidReport::padded(packet);
    if (device < 0) {
        qWarning().nospace() << "HIDManager: write failed. Error code: " << EBADF;
        return;
    }
    QElapsedTimer timer;
    timer.start();
    int error = 0;
    // A hidraw node always polls as writable, and its write() blocks in the
    // kernel until the USB output report is sent or the kernel's own time-out
    // (about 5 s) ends it: this time-out only covers devices that really
    // report not writable.
    const int ready = HidrawFile::waitWritable(device, writeTimeoutMs, error);
    long written = -1;
    if (ready > 0)
        written = HidrawFile::write(device, report.constData(), size_t(report.size()), error);
    const qint64 waited = timer.nsecsElapsed();
    if (waited > 3999999)
        qInfo().nospace() << "HIDManager: write delay: " << waited / 1000000;

    if (ready == 0) {
        qInfo().nospace() << "HIDManager: write timeout. Wait res: " << ready;
    } else if (ready < 0 || written < 0) {
        qWarning().nospace() << "HIDManager: write failed. Error code: " << error;
    } else if (written != report.size()) {
        qWarning().nospace() << "HIDManager: write failed. Error code: " << EIO;
    }
}

void HIDManager::getFeature(QVector<uint8_t> &buffer)
{
    // Read into a report of full length, so a short buffer is never overrun.
    QVector<uint8_t> report = HidReport::padded(buffer);
    int error = 0;
    if (HidrawFile::getFeature(device, report.data(), size_t(report.size()), error) < 0) {
        qWarning().nospace() << "HIDManager: getFeature failed. Error code: " << error;
        return;
    }
    if (buffer.size() < report.size())
        buffer.resize(report.size());
    std::copy(report.cbegin(), report.cend(), buffer.begin());
}

void HIDManager::deviceArrived(const QString &)
{
    if (device < 0 && findMouse())
        subscribe();
}

void HIDManager::deviceRemoved(const QString &node)
{
    if (device >= 0 && node == devicePath)
        onMouseRemoval();
}

void HIDManager::systemGoingToSleep()
{
    qDebug() << "HIDManager: System going to sleep";
}

void HIDManager::systemWakingUp()
{
    qDebug() << "HIDManager: System waking from sleep";
    emit wakeFromSleep();
}
