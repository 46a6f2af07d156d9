#pragma once
#include <QByteArray>

#include <cstddef>
#include <cstdint>

// CRC-16/CCITT-FALSE (polynomial 0x1021, initial 0xFFFF, not reflected, no
// final XOR), the check the mouse makes on an uploaded package.
class Crc16
{
public:
    static uint16_t compute(const uint8_t *data, size_t length);
    static uint16_t compute(const QByteArray &data);
};
