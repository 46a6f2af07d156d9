#include "Crc16.h"

uint16_t Crc16::compute(const uint8_t *data, size_t length)
{
    uint16_t crc = 0xFFFF;
    for (size_t i = 0; i < length; ++i) {
        uint8_t x = uint8_t((crc >> 8) ^ data[i]);
        x = uint8_t(x ^ (x >> 4));
        crc = uint16_t((crc << 8) ^ (uint16_t(x) << 12) ^ (uint16_t(x) << 5) ^ x);
    }
    return crc;
}

uint16_t Crc16::compute(const QByteArray &data)
{
    return compute(reinterpret_cast<const uint8_t *>(data.constData()), size_t(data.size()));
}
