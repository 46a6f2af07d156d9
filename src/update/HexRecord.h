#pragma once
#include <QByteArray>
#include <QString>

#include <cstdint>

// One line of an Intel HEX file, read by character position as the image
// rules read it: 1-2 the data length, 3-6 the 16-bit offset, 7-8 the record
// type, from 9 the data, two hex digits a byte. A field that is cut short or
// not hexadecimal reads as 0; isWellFormed tells whether the line can be
// trusted at all. It reads the line in place: the line must outlive it.
class HexRecord
{
public:
    enum Type {
        Data = 0,
        EndOfFile = 1,
        ExtendedSegmentAddress = 2,
        StartSegmentAddress = 3,
        ExtendedLinearAddress = 4,
        StartLinearAddress = 5,
    };

    explicit HexRecord(const QString &line)
        : m_line(line)
    {}

    int length() const { return field(1, 2); }
    int offset() const { return field(3, 4); }
    int type() const { return field(7, 2); }
    // An empty line is no record.
    bool isData() const { return !m_line.isEmpty() && type() == Data; }
    // length() bytes from position 9.
    QByteArray data() const;
    // The four digits at positions 9-12 times 16 (an extended segment
    // address record's base).
    int segmentBase() const { return field(9, 4) * 16; }
    // The four digits at positions 9-12 as the upper half of an address (an
    // extended linear address record's base).
    uint32_t linearBase() const { return uint32_t(field(9, 4)) << 16; }

    // A colon, hexadecimal digits only, as many data bytes as the length
    // field says, a known type with the length that type needs, and a
    // checksum that brings the sum of all bytes to 0.
    static bool isWellFormed(const QString &line);

private:
    int field(int position, int digits) const;

    const QString &m_line;
};
