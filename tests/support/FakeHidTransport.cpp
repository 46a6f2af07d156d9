#include "FakeHidTransport.h"

#include "HidReport.h"
#include "SimulatedMouse.h"

#include <algorithm>

FakeHidTransport::FakeHidTransport(SimulatedMouse *simulated, QObject *parent)
    : HIDInterface(parent)
    , mouse(simulated)
{
    connect(mouse, &SimulatedMouse::pluggedIn, this, &FakeHidTransport::mousePluggedIn);
    connect(mouse, &SimulatedMouse::unplugged, this, &FakeHidTransport::mouseUnplugged);
    connect(mouse, &SimulatedMouse::inputReport, this, &FakeHidTransport::mouseReport);
    if (mouse->isPluggedIn()) {
        open = true;
        pid = mouse->connectedProductId();
    }
}

FakeHidTransport::~FakeHidTransport() = default;

void FakeHidTransport::simulateWake()
{
    emit wakeFromSleep();
}

void FakeHidTransport::subscribe()
{
    if (!open)
        return;
    reading = true;
    emit mouseConnect(true, pid);
}

void FakeHidTransport::writePacket(QVector<uint8_t> packet)
{
    written.append(packet);
    if (packet.size() > 3)
        log.append(QStringLiteral("write %1,%2,%3").arg(packet[2] >> 6).arg(packet[2] & 0x3F).arg(packet[3]));
    if (open && mouse)
        mouse->receiveOutputReport(HidReport::padded(packet));
}

void FakeHidTransport::getFeature(QVector<uint8_t> &buffer)
{
    if (!buffer.isEmpty())
        log.append(QStringLiteral("feature %1").arg(buffer[0]));
    if (!open || !mouse || buffer.isEmpty())
        return;
    const QVector<uint8_t> report = mouse->featureReport(buffer[0]);
    if (report.isEmpty())
        return; // failed: the buffer stays as it was
    if (buffer.size() < report.size())
        buffer.resize(report.size());
    std::copy(report.cbegin(), report.cend(), buffer.begin());
}

void FakeHidTransport::mousePluggedIn(int productId)
{
    if (open)
        return;
    open = true;
    pid = productId;
    subscribe();
}

void FakeHidTransport::mouseUnplugged()
{
    if (!open)
        return;
    open = false;
    reading = false;
    pid = 0;
    emit mouseConnect(false, 0);
}

void FakeHidTransport::mouseReport(QVector<uint8_t> report)
{
    if (open && reading)
        emit response(HidReport::padded(report));
}
