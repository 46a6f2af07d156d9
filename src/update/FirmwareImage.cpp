#include "FirmwareImage.h"

#include "HexRecord.h"

#include <QDebug>
#include <QFile>
#include <QSaveFile>

#include <algorithm>
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

    if (!lines.isEmpty() && lines.first() == keilHeader) {
        qInfo() << "FWUpdate: Keil Firmware Detected";
        readKeilSegments(lines);
    } else {
        qInfo() << "FWUpdate: GCC Firmware Detected";
        readGccSegments(lines);
    }
    checkSegmentSizes();

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
