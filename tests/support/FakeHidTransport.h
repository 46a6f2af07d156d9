#pragma once
// The HID transport of tests: connects a device object to a SimulatedMouse as
// HIDManager connects it to a real one. It opens the mouse when constructed
// (if it is plugged in), reports it with subscribe(), follows the mouse being
// unplugged and plugged in (mouseConnect(0, 0) once, then
// mouseConnect(1, pid)), pads every packet to 64 bytes and hands input reports
// on only while subscribed.
//
//     SimulatedMouse mouse;
//     mouse.plugIn();
//     auto *transport = new FakeHidTransport(&mouse); // the device object owns it
//     connect(transport, &HIDInterface::response, device, ..., Qt::QueuedConnection);
//     transport->subscribe(); // mouseConnect(true, 20)

#include "HIDInterface.h"

#include <QPointer>
#include <QStringList>

class SimulatedMouse;

class FakeHidTransport : public HIDInterface
{
    Q_OBJECT

public:
    explicit FakeHidTransport(SimulatedMouse *mouse, QObject *parent = nullptr);
    ~FakeHidTransport() override;

    bool isOpen() const { return open; }
    int productId() const { return pid; }
    // Every packet given to writePacket, as given (before padding).
    QVector<QVector<uint8_t>> writtenPackets() const { return written; }
    void clearWrittenPackets() { written.clear(); }
    // Feature reads and written packets in the order they happened:
    // "feature <id>" and "write <class>,<group>,<command>".
    QStringList activity() const { return log; }
    void clearActivity() { log.clear(); }

    // The computer woke from sleep.
    void simulateWake();

public slots:
    void subscribe() override;
    void writePacket(QVector<uint8_t> packet) override;
    void getFeature(QVector<uint8_t> &buffer) override;

private slots:
    void mousePluggedIn(int productId);
    void mouseUnplugged();
    void mouseReport(QVector<uint8_t> report);

private:
    QPointer<SimulatedMouse> mouse;
    bool open = false;
    bool reading = false;
    int pid = 0;
    QVector<QVector<uint8_t>> written;
    QStringList log;
};
