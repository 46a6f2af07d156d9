#pragma once
#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <stdexcept>

// A firmware image in Intel HEX form, as the update flashes it: four small
// segments that configure the chip and its boot are cut out of the image and
// written on their own, and the rest goes to the bootloader library as the
// reduced file. Two kinds of image are known: one starting with the Keil tool
// chain's header line (found by header and record prefix), any other read as
// the GCC tool chain's (found by address).
//
// Every failure throws std::runtime_error with a message for the log.
class FirmwareImage
{
public:
    // The refusal of an image whose bytes would not all reach the chip at the
    // addresses the image gives them.
    class Misplaced : public std::runtime_error
    {
    public:
        using std::runtime_error::runtime_error;
    };

    // Where the segments go in the chip's flash.
    static constexpr uint32_t vectorsAddress = 0x0000;
    static constexpr uint32_t bootloaderConfigAddress = 0x03C0;
    static constexpr uint32_t flashConfigAddress = 0x0400;
    static constexpr uint32_t bootloaderConfigExtAddress = 0x3D800;
    // The Vectors/bootconfig sector at vectorsAddress.
    static constexpr int sectorLength = 1024;
    static constexpr int bootloaderConfigSize = 64;
    // The smallest security block that holds the boot option byte.
    static constexpr int minimumFlashConfigSize = 14;
    // The byte of the security block that selects the boot source, and the
    // bits that make the chip start in its ROM bootloader.
    static constexpr int bootOptionByte = 13;
    static constexpr char romBootBits = char(0xC0);

    static const QString keilHeader;

    // The segments of the image read last; empty until then.
    QByteArray vectors;
    QByteArray bootloaderConfig;
    QByteArray flashConfig; // the security block
    QByteArray bootloaderConfigExt;

    // Reads sourcePath, fills the segments and writes the reduced file (the
    // image without the segments' lines, "\n" line ends) to reducedPath. The
    // reduced file of an earlier image is removed first, so that it can never
    // be taken for this one's. Throws, before anything is written, when a
    // line is not a well-formed record, a required segment is missing or a
    // segment does not fit where it goes, and throws Misplaced when the
    // blocks and the reduced file would not put every byte of the image at
    // its own address; throws when the reduced file cannot be written whole.
    void prepareImage(const QString &sourcePath, const QString &reducedPath);

    // The two rule sets: fill the segments from lines and remove the
    // segments' lines from it; throw when a required segment is missing.
    void readKeilSegments(QStringList &lines);
    void readGccSegments(QStringList &lines);

    // The security block with the boot option set to the ROM bootloader.
    QByteArray bootloaderModeFlashConfig() const;
    // The security block as the image holds it.
    QByteArray firmwareFlashConfig() const { return flashConfig; }
    // sectorLength bytes of 0xFF with the Vectors segment at 0 and the
    // bootloader configuration at bootloaderConfigAddress.
    QByteArray sectorImage() const;

    // Lines split at "\r\n", "\r" or "\n"; a final line break leaves an empty
    // last line.
    static QStringList splitLines(const QString &text);

private:
    void clearSegments();
    void requireSegments() const;
    void checkSegmentSizes() const;
    void checkPlacement(const QStringList &image, const QStringList &reduced) const;
};
