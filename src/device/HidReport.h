#pragma once
#include <QVector>

#include <cstdint>

// The fixed length of every report that goes to or comes from the mouse.
class HidReport
{
public:
    static constexpr int length = 64;

    // The packet followed by zero bytes up to 64; a longer packet is cut at 64.
    static QVector<uint8_t> padded(const QVector<uint8_t> &packet);
};
