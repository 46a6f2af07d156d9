#include "HexRecord.h"

namespace {

int hexDigit(QChar c)
{
    const ushort u = c.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    if (u >= 'a' && u <= 'f')
        return u - 'a' + 10;
    return -1;
}

// The number in digits characters from position, or -1 when the line is too
// short or one of them is not a hex digit.
int readHex(const QString &line, int position, int digits)
{
    if (position + digits > line.size())
        return -1;
    int value = 0;
    for (int i = position; i < position + digits; ++i) {
        const int digit = hexDigit(line[i]);
        if (digit < 0)
            return -1;
        value = value * 16 + digit;
    }
    return value;
}

} // namespace

int HexRecord::field(int position, int digits) const
{
    const int value = readHex(m_line, position, digits);
    return value < 0 ? 0 : value;
}

QByteArray HexRecord::data() const
{
    const int count = length();
    QByteArray bytes(count, '\0');
    for (int i = 0; i < count; ++i)
        bytes[i] = char(field(9 + 2 * i, 2));
    return bytes;
}

bool HexRecord::isWellFormed(const QString &line)
{
    if (line.size() < 11 || line[0] != QLatin1Char(':') || line.size() % 2 == 0)
        return false;
    const int count = readHex(line, 1, 2);
    if (count < 0 || line.size() != 11 + 2 * count)
        return false;
    int sum = 0;
    for (int position = 1; position < line.size(); position += 2) {
        const int byte = readHex(line, position, 2);
        if (byte < 0)
            return false;
        sum += byte;
    }
    if (sum % 256 != 0)
        return false;
    switch (readHex(line, 7, 2)) {
    case Data:
        return true;
    case EndOfFile:
        return count == 0;
    case ExtendedSegmentAddress:
    case ExtendedLinearAddress:
        return count == 2;
    case StartSegmentAddress:
    case StartLinearAddress:
        return count == 4;
    default:
        return false;
    }
}
