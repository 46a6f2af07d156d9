#pragma once
// Firmware images for tests: the fixtures in tests/data/update and variants
// of them built line by line (records made by TestHex, not by the program).
//
// Line positions in the fixtures:
// gcc.hex: Vectors 0-15, bootloader configuration 16-19, security block 20,
// code 21-28, segment 0x1000 and code 29-31, segment 0x3000 32,
// BootloaderConfigExt 33-42, start and end records 43-44, empty last line.
// keil.hex: header 0, Vectors 1-16, header 17, configuration 18-21, header
// 22, security block 23, code 24-31, upper code 32-34, upper header 35,
// BootloaderConfigExt 36-45, start and end records 46-47, empty last line.

#include "TestHex.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringList>
#include <QtTest>

#include <map>

namespace TestImages {

constexpr int gccConfigLine = 16, gccSecurityLine = 20, gccExtLine = 33;
constexpr int keilVectorsHeader = 0, keilConfigHeader = 17, keilSecurityHeader = 22;

inline QString fixturePath(const QString &name)
{
    return QFINDTESTDATA(QStringLiteral("../data/update/") + name);
}

inline QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline bool writeFile(const QString &path, const QByteArray &contents)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(contents) == contents.size();
}

// The fixture's lines as written (an empty last line after the final "\n").
inline QStringList fixtureLines(const QString &name)
{
    return QString::fromLatin1(readAll(fixturePath(name))).split(QLatin1Char('\n'));
}

inline QString line(const std::string &text)
{
    return QString::fromStdString(text);
}

inline QStringList lines(const std::vector<std::string> &texts)
{
    QStringList out;
    for (const std::string &text : texts)
        out.append(line(text));
    return out;
}

// count bytes counting up from start.
inline TestHex::Bytes pattern(int count, int start)
{
    TestHex::Bytes bytes(size_t(count), 0);
    for (int i = 0; i < count; ++i)
        bytes[size_t(i)] = uint8_t(start + i);
    return bytes;
}

// Every data byte of the image by address, read by the tests' own reader.
inline std::map<uint32_t, uint8_t> imageBytes(const QStringList &image)
{
    std::map<uint32_t, uint8_t> bytes;
    TestHex::forEachDataByte(image.join(QLatin1Char('\n')).toStdString(),
                             [&](uint32_t at, uint8_t value) { bytes[at] = value; });
    return bytes;
}

// count bytes of the image from address (0 where it holds none).
inline QByteArray imageBytes(const QStringList &image, uint32_t address, int count)
{
    const std::map<uint32_t, uint8_t> bytes = imageBytes(image);
    QByteArray out;
    for (uint32_t at = address; at < address + uint32_t(count); ++at) {
        const auto it = bytes.find(at);
        out.append(char(it == bytes.end() ? 0 : it->second));
    }
    return out;
}

inline QStringList without(QStringList list, int first, int count)
{
    list.erase(list.begin() + first, list.begin() + first + count);
    return list;
}

// The line at index replaced by the lines given.
inline QStringList replaced(QStringList list, int index, const QStringList &by)
{
    list.erase(list.begin() + index);
    for (int i = by.size() - 1; i >= 0; --i)
        list.insert(index, by[i]);
    return list;
}

// A damaged record at line 6 of the GCC fixture.
inline QStringList withBadChecksum()
{
    QStringList image = fixtureLines(QStringLiteral("gcc.hex"));
    QString &damaged = image[5];
    damaged[damaged.size() - 1] = damaged.endsWith(QLatin1Char('0')) ? QLatin1Char('1') : QLatin1Char('0');
    return image;
}

inline QStringList withCutLine()
{
    QStringList image = fixtureLines(QStringLiteral("gcc.hex"));
    image[5].chop(6);
    return image;
}

// The segments that do not fit where they go.
inline QStringList withLongVectors()
{
    const QStringList keil = fixtureLines(QStringLiteral("keil.hex"));
    return QStringList{keil[0]} + lines(TestHex::dataRecords(0, pattern(61 * 16, 0))) + keil.mid(17);
}

inline QStringList withLongKeilConfig()
{
    const QStringList keil = fixtureLines(QStringLiteral("keil.hex"));
    return replaced(keil, keilConfigHeader + 4,
                    {keil[keilConfigHeader + 4], line(TestHex::record(0, 0x0400, pattern(16, 0x40)))});
}

inline QStringList withLongGccConfig()
{
    const QStringList gcc = fixtureLines(QStringLiteral("gcc.hex"));
    return replaced(without(gcc, gccConfigLine + 1, 3), gccConfigLine,
                    lines({TestHex::record(0, 0x03C0, pattern(48, 1)), TestHex::record(0, 0x03F0, pattern(48, 2))}));
}

inline QStringList withShortSecurityBlock()
{
    return replaced(fixtureLines(QStringLiteral("gcc.hex")), gccSecurityLine,
                    {line(TestHex::record(0, 0x0400, pattern(12, 0xF0)))});
}

// Rows of a table with a QStringList and a QString column: the images whose
// segments do not fit, with the message that refuses each.
inline void addOversizeRows()
{
    // The Keil rules take a whole run of data records.
    QTest::newRow("keil: Vectors over 0x3C0 bytes")
        << withLongVectors() << "Vectors segment overlaps the bootloader configuration in firmware upgrade file";
    QTest::newRow("keil: configuration over 64 bytes")
        << withLongKeilConfig() << "bootloader configuration longer than 64 bytes in firmware upgrade file";
    QTest::newRow("gcc: configuration over 64 bytes")
        << withLongGccConfig() << "bootloader configuration longer than 64 bytes in firmware upgrade file";
    QTest::newRow("gcc: security block under 14 bytes")
        << withShortSecurityBlock() << "security block shorter than 14 bytes in firmware upgrade file";
}

// Images whose segments the rules take from other addresses than their own,
// or whose reduced file would move bytes, with the message that refuses each.
inline void addMisplacedRows()
{
    // Without the Keil header a type 04 record does not count: the data at
    // 0x10000 sits at address 0 for the address rules.
    const QStringList gcc = fixtureLines(QStringLiteral("gcc.hex"));
    const QStringList upperVectors =
        QStringList{line(TestHex::record(4, 0, {0x00, 0x01}))} + lines(TestHex::dataRecords(0, pattern(256, 0x40)));
    QTest::newRow("gcc: data under a type 04 record")
        << QStringList(gcc.mid(0, 29) + upperVectors + gcc.mid(29))
        << "Vectors segment differs from the image at 0x0 in firmware upgrade file";

    // A Keil run takes data records whatever their offsets.
    const QStringList keil = fixtureLines(QStringLiteral("keil.hex"));
    QTest::newRow("keil: gap in the Vectors run")
        << replaced(keil, 2, {line(TestHex::record(0, 0x8000, pattern(16, 0x20)))})
        << "Vectors segment differs from the image at 0x10 in firmware upgrade file";

    // The upper header goes with the BootloaderConfigExt lines; upper data
    // after the start record would then fall to 0xE000.
    const QStringList upperTail = without(keil, 32, 3);
    QTest::newRow("keil: upper data after the upper header's segment")
        << QStringList(upperTail.mid(0, 44) + lines(TestHex::dataRecords(0xE000, pattern(32, 0x70)))
                       + upperTail.mid(44))
        << "byte at 0x3E000 in firmware upgrade file would not be flashed at its address";
}

} // namespace TestImages
