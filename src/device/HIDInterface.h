#pragma once
#include <QObject>
#include <QVector>

#include <cstdint>

// The USB HID transport as the device object sees it. HIDManager is the one
// implementation on a real system; tests use a simulated device.
class HIDInterface : public QObject
{
    Q_OBJECT

public:
    explicit HIDInterface(QObject *parent = nullptr);
    ~HIDInterface() override;

signals:
    // true and the product id once a device is open and its reports flow;
    // false and 0 when it went away.
    void mouseConnect(bool status, int mousePID);
    // One input report, always 64 bytes.
    void response(QVector<uint8_t> packet);
    // The computer resumed from sleep.
    void wakeFromSleep();

public slots:
    // Starts delivering input reports.
    virtual void subscribe() = 0;
    // Sends one output report (padded to 64 bytes).
    virtual void writePacket(QVector<uint8_t> packet) = 0;
    // Reads the feature report whose id is in buffer[0] into buffer, which
    // must hold at least 64 bytes; left as it was on failure.
    virtual void getFeature(QVector<uint8_t> &buffer) = 0;
};

Q_DECLARE_METATYPE(QVector<uint8_t>)
