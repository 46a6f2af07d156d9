#include "FirmwareImage.h"

#include "HexRecord.h"

#include <QDebug>
#include <QFile>
#include <QSaveFile>

#include <algorithm>
#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

const QString FirmwareImage::keilHeader = QStringLiteral(":020000040000FA");

namespace {

const QString keilUpperHeader = QStringLiteral(":020000040003F7");

// The lines a segment was read from: count lines from index.
struct LineSpan
{
    int index = -1;
    int count = 0;
};

// The segments' lines are marked and dropped together, so that removing one
// segment cannot shift the lines of another, whatever order they stand in.
void removeSpans(QStringList &lines, std::initializer_list<LineSpan> spans)
{
    std::vector<bool> drop(size_t(lines.size()), false);
    for (const LineSpan &span : spans) {
        for (int i = std::max(span.index, 0); i < span.index + span.count && i < lines.size(); ++i)
            drop[size_t(i)] = true;
    }
    QStringList kept;
    kept.reserve(lines.size());
    for (int i = 0; i < lines.size(); ++i) {
        if (!drop[size_t(i)])
            kept.append(lines[i]);
    }
    lines.swap(kept);
}

// The data of the run of data records that starts at line first; count is
// the run's length.
QByteArray dataRun(const QStringList &lines, int first, int &count)
{
    QByteArray bytes;
    count = 0;
    for (int i = first; i < lines.size(); ++i) {
        const HexRecord record(lines[i]);
        if (!record.isData())
            break;
        bytes += record.data();
        ++count;
    }
    return bytes;
}

// The data of consecutive data records from line first on, each at the
// address where the one before ended, until size bytes are taken.
QByteArray addressRun(const QStringList &lines, int first, int size, int &count)
{
    QByteArray bytes;
    count = 0;
    int expected = HexRecord(lines[first]).offset();
    for (int i = first; i < lines.size() && bytes.size() < size; ++i) {
        const HexRecord record(lines[i]);
        if (!record.isData() || record.offset() != expected)
            break;
        bytes += record.data();
        expected += record.length();
        ++count;
    }
    return bytes;
}

[[noreturn]] void fail(const char *message)
{
    throw std::runtime_error(message);
}

// One data byte of an image and the address it has in the chip.
struct AddressedByte
{
    uint32_t address;
    uint8_t value;
};
using AddressedBytes = std::vector<AddressedByte>;

// Every data byte of the lines at the address any HEX reader gives it, the
// bootloader library's among them: data records under the latest extended
// segment (type 02) or linear (type 04) address, up to the end record. Where
// an address is given twice, the later byte counts. Sorted by address.
AddressedBytes addressedBytes(const QStringList &lines)
{
    AddressedBytes bytes;
    uint32_t base = 0;
    for (const QString &line : lines) {
        if (line.isEmpty())
            continue;
        const HexRecord record(line);
        const int type = record.type();
        if (type == HexRecord::EndOfFile)
            break;
        if (type == HexRecord::ExtendedSegmentAddress) {
            base = uint32_t(record.segmentBase());
        } else if (type == HexRecord::ExtendedLinearAddress) {
            base = record.linearBase();
        } else if (type == HexRecord::Data) {
            const QByteArray data = record.data();
            const uint32_t start = base + uint32_t(record.offset());
            for (int i = 0; i < data.size(); ++i)
                bytes.push_back({start + uint32_t(i), uint8_t(data[i])});
        }
    }
    std::stable_sort(bytes.begin(), bytes.end(),
                     [](const AddressedByte &a, const AddressedByte &b) { return a.address < b.address; });
    AddressedBytes last;
    last.reserve(bytes.size());
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (i + 1 == bytes.size() || bytes[i + 1].address != bytes[i].address)
            last.push_back(bytes[i]);
    }
    return last;
}

// The byte at address, or null when there is none.
const AddressedByte *byteAt(const AddressedBytes &bytes, uint32_t address)
{
    const auto it = std::lower_bound(bytes.begin(), bytes.end(), address,
                                     [](const AddressedByte &b, uint32_t at) { return b.address < at; });
    return it != bytes.end() && it->address == address ? &*it : nullptr;
}

bool holds(const AddressedBytes &bytes, uint32_t address, uint8_t value)
{
    const AddressedByte *found = byteAt(bytes, address);
    return found && found->value == value;
}

// Bytes written at an address of their own, beside the reduced file.
struct Block
{
    uint32_t address;
    QByteArray bytes;

    bool covers(uint32_t at) const { return at >= address && at - address < uint32_t(bytes.size()); }
    uint8_t at(uint32_t where) const { return uint8_t(bytes[int(where - address)]); }
};

std::string hexAddress(uint32_t address)
{
    char hex[16];
    std::snprintf(hex, sizeof hex, "0x%X", address);
    return hex;
}

} // namespace

void FirmwareImage::clearSegments()
{
    vectors.clear();
    bootloaderConfig.clear();
    flashConfig.clear();
    bootloaderConfigExt.clear();
}

void FirmwareImage::requireSegments() const
{
    if (bootloaderConfig.isEmpty())
        fail("Could not find bootloader configuration in firmware upgrade file");
    if (flashConfig.isEmpty())
        fail("Could not find security block in firmware upgrade file");
    if (vectors.isEmpty())
        fail("Could not find Vectors segment in firmware upgrade file");
}

void FirmwareImage::checkSegmentSizes() const
{
    if (vectors.size() > int(bootloaderConfigAddress - vectorsAddress))
        fail("Vectors segment overlaps the bootloader configuration in firmware upgrade file");
    if (bootloaderConfig.size() > bootloaderConfigSize)
        fail("bootloader configuration longer than 64 bytes in firmware upgrade file");
    if (flashConfig.size() < minimumFlashConfigSize)
        fail("security block shorter than 14 bytes in firmware upgrade file");
}

// The segments go to the chip as blocks of their own and the rest of the
// image as the reduced file: together they must put every byte of the image
// at its own address, and nothing the image does not hold. Where the rules cut a run
// across a gap, took another segment's data for one of the four, or took an
// extended address record that later lines of the reduced file relied on,
// that is not so, and the image is refused rather than flashed with bytes
// moved.
void FirmwareImage::checkPlacement(const QStringList &image, const QStringList &reduced) const
{
    const AddressedBytes imageBytes = addressedBytes(image);
    const AddressedBytes reducedBytes = addressedBytes(reduced);

    const struct
    {
        const char *name;
        uint32_t address;
        const QByteArray &bytes;
    } segments[] = {
        {"Vectors segment", vectorsAddress, vectors},
        {"bootloader configuration", bootloaderConfigAddress, bootloaderConfig},
        {"security block", flashConfigAddress, flashConfig},
        {"BootloaderConfigExt", bootloaderConfigExtAddress, bootloaderConfigExt},
    };
    for (const auto &segment : segments) {
        for (int i = 0; i < segment.bytes.size(); ++i) {
            const uint32_t address = segment.address + uint32_t(i);
            if (!holds(imageBytes, address, uint8_t(segment.bytes[i])))
                throw Misplaced(std::string(segment.name) + " differs from the image at " + hexAddress(address)
                                + " in firmware upgrade file");
        }
    }

    // The sector image fills the gaps of the Vectors/bootconfig sector.
    const Block blocks[] = {
        {vectorsAddress, sectorImage()},
        {flashConfigAddress, flashConfig},
        {bootloaderConfigExtAddress, bootloaderConfigExt},
    };
    const auto blockAt = [&](uint32_t address) -> const Block * {
        for (const Block &block : blocks) {
            if (block.covers(address))
                return &block;
        }
        return nullptr;
    };
    for (const AddressedByte &byte : imageBytes) {
        const Block *block = blockAt(byte.address);
        if (block ? block->at(byte.address) != byte.value : !holds(reducedBytes, byte.address, byte.value))
            throw Misplaced("byte at " + hexAddress(byte.address)
                            + " in firmware upgrade file would not be flashed at its address");
    }
    // A byte of the reduced file inside a block is the block's byte then:
    // written twice, the same.
    for (const AddressedByte &byte : reducedBytes) {
        if (!holds(imageBytes, byte.address, byte.value))
            throw Misplaced("reduced firmware file would write other bytes than the image at "
                            + hexAddress(byte.address));
    }
}

QStringList FirmwareImage::splitLines(const QString &text)
{
    QStringList lines;
    int start = 0;
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c != QLatin1Char('\r') && c != QLatin1Char('\n'))
            continue;
        lines.append(text.mid(start, i - start));
        if (c == QLatin1Char('\r') && i + 1 < text.size() && text[i + 1] == QLatin1Char('\n'))
            ++i;
        start = i + 1;
    }
    lines.append(text.mid(start));
    return lines;
}

void FirmwareImage::prepareImage(const QString &sourcePath, const QString &reducedPath)
{
    clearSegments();
    if (QFile::exists(reducedPath) && !QFile::remove(reducedPath))
        fail("could not remove the reduced firmware file of an earlier update");

    QStringList lines;
    QFile source(sourcePath);
    if (source.open(QIODevice::ReadOnly))
        lines = splitLines(QString::fromUtf8(source.readAll()));

    // A damaged record would put wrong bytes into the chip, the security
    // block among them: nothing is flashed from such an image.
    for (int i = 0; i < lines.size(); ++i) {
        if (!lines[i].isEmpty() && !HexRecord::isWellFormed(lines[i]))
            throw std::runtime_error("damaged record in line " + std::to_string(i + 1) + " of firmware upgrade file");
    }

    // The rules cut by record prefix or by an address that ignores type 04
    // records; what they cut is checked against the image as it stands.
    const QStringList image = lines;
    if (!lines.isEmpty() && lines.first() == keilHeader) {
        qInfo() << "FWUpdate: Keil Firmware Detected";
        readKeilSegments(lines);
    } else {
        qInfo() << "FWUpdate: GCC Firmware Detected";
        readGccSegments(lines);
    }
    checkSegmentSizes();
    checkPlacement(image, lines);

    QSaveFile reduced(reducedPath);
    if (!reduced.open(QIODevice::WriteOnly) || reduced.write(lines.join(QLatin1Char('\n')).toLatin1()) < 0
        || !reduced.commit())
        fail("could not write the reduced firmware file");
}

void FirmwareImage::readKeilSegments(QStringList &lines)
{
    LineSpan vectorsLines, configLines, flashConfigLines, extLines;
    bool haveVectors = false, haveConfig = false, haveFlashConfig = false, haveExt = false;
    int run = 0;
    for (int i = 0; i + 1 < lines.size(); ++i) {
        if (haveVectors && haveConfig && haveFlashConfig && haveExt)
            break;
        const QString &line = lines[i];
        const QString &next = lines[i + 1];
        if (line == keilHeader) {
            if (next.startsWith(QLatin1String(":10040000"))) {
                flashConfig = HexRecord(next).data();
                flashConfigLines = {i, 2};
                haveFlashConfig = true;
            } else if (next.startsWith(QLatin1String(":1003C000"))) {
                bootloaderConfig = dataRun(lines, i + 1, run);
                configLines = {i, run + 1};
                haveConfig = true;
            } else if (next.startsWith(QLatin1String(":10000000"))) {
                vectors = dataRun(lines, i + 1, run);
                vectorsLines = {i, run + 1};
                haveVectors = true;
            }
        } else if (line == keilUpperHeader && next.startsWith(QLatin1String(":10D80000"))) {
            bootloaderConfigExt = dataRun(lines, i + 1, run);
            extLines = {i, run + 1};
            haveExt = true;
        }
    }
    requireSegments();
    removeSpans(lines,
                {bootloaderConfigExt.isEmpty() ? LineSpan() : extLines, flashConfigLines, configLines, vectorsLines});
}

void FirmwareImage::readGccSegments(QStringList &lines)
{
    struct Segment
    {
        uint32_t address;
        int size;
        QByteArray *bytes;
        LineSpan lines;
        bool found;
    };
    Segment segments[] = {
        {vectorsAddress, 256, &vectors, {}, false},
        {bootloaderConfigAddress, bootloaderConfigSize, &bootloaderConfig, {}, false},
        {flashConfigAddress, 16, &flashConfig, {}, false},
        {bootloaderConfigExtAddress, 160, &bootloaderConfigExt, {}, false},
    };
    const auto allFound = [&] {
        for (const Segment &segment : segments) {
            if (!segment.found)
                return false;
        }
        return true;
    };

    uint32_t base = 0;
    uint32_t address = 0;
    for (int i = 0; i < lines.size() && !allFound(); ++i) {
        const HexRecord record(lines[i]);
        if (lines[i].isEmpty()) {
            // No record: the address stays.
        } else if (record.type() == HexRecord::ExtendedSegmentAddress) {
            base = uint32_t(record.segmentBase());
            address = base;
        } else if (record.type() == HexRecord::Data) {
            address = base + uint32_t(record.offset());
        }
        // Only a data record starts a segment: another record merely at the
        // same address holds none of its bytes.
        if (!record.isData())
            continue;
        for (Segment &segment : segments) {
            if (segment.address != address)
                continue;
            int count = 0;
            *segment.bytes = addressRun(lines, i, segment.size, count);
            segment.lines = {i, count};
            segment.found = true;
        }
    }
    requireSegments();
    removeSpans(lines, {bootloaderConfigExt.isEmpty() ? LineSpan() : segments[3].lines, segments[2].lines,
                        segments[1].lines, segments[0].lines});
}

QByteArray FirmwareImage::bootloaderModeFlashConfig() const
{
    QByteArray block = flashConfig;
    if (block.size() > bootOptionByte)
        block[bootOptionByte] = char(block[bootOptionByte] | romBootBits);
    return block;
}

QByteArray FirmwareImage::sectorImage() const
{
    QByteArray sector(sectorLength, char(0xFF));
    sector.replace(int(vectorsAddress), vectors.size(), vectors);
    sector.replace(int(bootloaderConfigAddress), bootloaderConfig.size(), bootloaderConfig);
    return sector;
}
