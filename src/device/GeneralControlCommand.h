#pragma once
#include <QObject>
#include <QVector>

#include <cstdint>

// One command to the mouse: its address (class, group, command number) and a
// payload of any length, cut into output reports of at most 64 bytes with at
// most 58 payload bytes each.
//
// Report layout: [41, 1, class << 6 | group, command, sequence,
// flags | chunk length, chunk...]; flags 0x40 on the first packet, 0x80 while
// more packets follow. Callers send packet(), then packet() again for as long
// as nextPacket() is true.
class GeneralControlCommand : public QObject
{
    Q_OBJECT

public:
    static constexpr uint8_t outputReportId = 41;
    static constexpr int lengthPosition = 5;
    static constexpr int chunkSize = 58;
    static constexpr uint8_t firstPacketFlag = 0x40;
    static constexpr uint8_t morePacketsFlag = 0x80;

    GeneralControlCommand(int commandClass, int group, int command, QVector<uint8_t> payload = {},
                          QObject *parent = nullptr);

    // The current packet, built afresh on each call.
    QVector<uint8_t> packet() const;
    // Moves to the next chunk; false (and nothing changed) when the current
    // packet is the last.
    bool nextPacket();

private:
    uint8_t flags;
    uint8_t sequence = 0;
    uint8_t classGroup;
    uint8_t command;
    QVector<uint8_t> payload;
    int offset = 0;
};
