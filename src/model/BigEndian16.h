#pragma once

#include <QtGlobal>

// A 16-bit quantity kept as two separate bytes, most significant byte first.
// The output records and some mapping fields keep their 16-bit parameters
// this way because the editors, the descriptions and the file reader and
// writer all split and assemble them byte by byte.
struct BigEndian16
{
    quint8 bytes[2] = {0, 0}; // bytes[0] is the high byte

    constexpr BigEndian16() = default;
    // Keeps the low 16 bits of value (negative values in two's complement).
    static BigEndian16 fromValue(int value)
    {
        BigEndian16 result;
        result.setValue(value);
        return result;
    }

    quint8 high() const { return bytes[0]; }
    quint8 low() const { return bytes[1]; }
    quint16 value() const { return quint16((bytes[0] << 8) | bytes[1]); }
    qint16 signedValue() const { return qint16(value()); }
    void setValue(int value)
    {
        const quint16 bits = quint16(value);
        bytes[0] = quint8(bits >> 8);
        bytes[1] = quint8(bits & 0xFF);
    }

    bool operator==(const BigEndian16 &other) const
    {
        return bytes[0] == other.bytes[0] && bytes[1] == other.bytes[1];
    }
    bool operator!=(const BigEndian16 &other) const { return !(*this == other); }
};
