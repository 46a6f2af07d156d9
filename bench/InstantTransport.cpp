#include "InstantTransport.h"

#include "CommandAddress.h"
#include "ExpectedReply.h"
#include "GeneralControlCommand.h"
#include "HidReport.h"
#include "SharedConstants.h"

namespace {

constexpr int productId = 20;
constexpr uint8_t globalProfile = 255;
constexpr uint8_t ownSwitch = 2;

QVector<uint8_t> le32Twice(int value)
{
    QVector<uint8_t> data;
    for (int copy = 0; copy < 2; ++copy) {
        for (int shift = 0; shift < 32; shift += 8)
            data.append(uint8_t(uint32_t(value) >> shift));
    }
    return data;
}

bool isAddress(const QVector<uint8_t> &packet, CommandAddress address)
{
    return packet.size() > GeneralControlCommand::lengthPosition && address.is(packet[2], packet[3]);
}

} // namespace

InstantTransport::InstantTransport(int memorySize, QObject *parent)
    : HIDInterface(parent)
    , m_memorySize(memorySize)
{
    m_delivery.setSingleShot(true);
    m_delivery.setInterval(0);
    connect(&m_delivery, &QTimer::timeout, this, &InstantTransport::deliverNext);
}

void InstantTransport::subscribe()
{
    emit mouseConnect(true, productId);
}

void InstantTransport::writePacket(QVector<uint8_t> packet)
{
    ++m_written;
    if (isAddress(packet, DeviceCommand::memoryQuery)) {
        reply(packet, ReplyCode::memory, le32Twice(m_memorySize));
    } else if (isAddress(packet, DeviceCommand::sensorIdQuery) || isAddress(packet, DeviceCommand::dpiStepQuery)) {
        reply(packet, ReplyCode::sensor, {0}); // sensor 0, DPI step 100
    } else if (isAddress(packet, DeviceCommand::activeProfileQuery)) {
        notice();
    } else {
        reply(packet, ReplyCode::acknowledgement, {ExpectedReply::statusOk});
        const bool lastPacket =
            !(packet[GeneralControlCommand::lengthPosition] & GeneralControlCommand::morePacketsFlag);
        if (isAddress(packet, DeviceCommand::uploadCommand) && lastPacket) {
            // Stored, and the profile the new configuration starts in.
            reply(packet, ReplyCode::uploadResult, {ExpectedReply::statusOk});
            notice();
        }
    }
}

void InstantTransport::getFeature(QVector<uint8_t> &buffer)
{
    const QByteArray build = requiredFirmwareBuild.toLatin1();
    for (int i = 0; i < build.size() && 6 + i < buffer.size(); ++i)
        buffer[6 + i] = uint8_t(build[i]);
}

void InstantTransport::reply(const QVector<uint8_t> &packet, uint8_t code, const QVector<uint8_t> &data)
{
    QVector<uint8_t> report{ExpectedReply::replyReportId, 2, packet[2], packet[3], code};
    report += data;
    send(report);
}

void InstantTransport::notice()
{
    send({ExpectedReply::profileNoticeId, 0, ownSwitch, globalProfile, globalProfile});
}

void InstantTransport::send(const QVector<uint8_t> &report)
{
    m_outbox.push_back(HidReport::padded(report));
    if (!m_delivery.isActive())
        m_delivery.start();
}

void InstantTransport::deliverNext()
{
    if (m_outbox.empty())
        return;
    const QVector<uint8_t> report = m_outbox.front();
    m_outbox.pop_front();
    if (!m_outbox.empty())
        m_delivery.start();
    emit response(report);
}
