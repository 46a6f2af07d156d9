#include "GeneralControlCommand.h"

#include <algorithm>

GeneralControlCommand::GeneralControlCommand(int commandClass, int group, int command, QVector<uint8_t> payload,
                                             QObject *parent)
    : QObject(parent)
    , flags(payload.size() > chunkSize ? firstPacketFlag | morePacketsFlag : firstPacketFlag)
    , classGroup(uint8_t(((commandClass & 0x03) << 6) | (group & 0x3F)))
    , command(uint8_t(command))
    , payload(std::move(payload))
{
}

QVector<uint8_t> GeneralControlCommand::packet() const
{
    QVector<uint8_t> packet{outputReportId, 1, classGroup, command, sequence, flags};
    if (!payload.isEmpty()) {
        const int n = std::min(chunkSize, payload.size() - offset);
        packet[lengthPosition] = uint8_t(flags | n);
        packet.reserve(packet.size() + n);
        for (int i = 0; i < n; ++i)
            packet.append(payload[offset + i]);
    }
    return packet;
}

bool GeneralControlCommand::nextPacket()
{
    if (payload.size() - offset <= chunkSize)
        return false;
    ++sequence; // wraps after 255 packets
    flags &= uint8_t(~firstPacketFlag);
    offset += chunkSize;
    if (payload.size() - offset <= chunkSize)
        flags &= uint8_t(~morePacketsFlag);
    return true;
}
