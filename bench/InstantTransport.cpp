#include "InstantTransport.h"

#include "HidReport.h"
#include "SharedConstants.h"

namespace {

constexpr uint8_t replyReportId = 40;
constexpr uint8_t ackReply = 66;
constexpr uint8_t uploadResultReply = 68;
constexpr uint8_t memoryReply = 72;
constexpr uint8_t morePacketsFlag = 0x80;
constexpr int productId = 20;

QVector<uint8_t> le32Twice(int value)
{
    QVector<uint8_t> data;
    for (int copy = 0; copy < 2; ++copy) {
        for (int shift = 0; shift < 32; shift += 8)
            data.append(uint8_t(uint32_t(value) >> shift));
    }
    return data;
}

bool isAddress(const QVector<uint8_t> &packet, int commandClass, int group, int command)
{
    return packet.size() > 5 && packet[2] == uint8_t(commandClass << 6 | group) && packet[3] == command;
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
    if (isAddress(packet, 0, 10, 10)) {
        reply(packet, memoryReply, le32Twice(m_memorySize));
        return;
    }
    reply(packet, ackReply, {0});
    if (isAddress(packet, 1, 10, 1) && !(packet[5] & morePacketsFlag))
        reply(packet, uploadResultReply, {0});
}

void InstantTransport::getFeature(QVector<uint8_t> &buffer)
{
    const QByteArray build = requiredFirmwareBuild.toLatin1();
    for (int i = 0; i < build.size() && 6 + i < buffer.size(); ++i)
        buffer[6 + i] = uint8_t(build[i]);
}

void InstantTransport::reply(const QVector<uint8_t> &packet, uint8_t code, const QVector<uint8_t> &data)
{
    QVector<uint8_t> report{replyReportId, 2, packet[2], packet[3], code};
    report += data;
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
