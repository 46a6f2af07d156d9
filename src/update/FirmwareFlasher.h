#pragma once
#include "FirmwareImage.h"

#include <QString>

#include <cstdint>
#include <functional>

class Blfwk;

// The flashing sequence of a firmware update, once the mouse is in a
// bootloader: the working copy of the image, the connection, the wait for
// USB to settle, then the segments and the reduced image through the
// bootloader library. It knows nothing of windows; progress goes out as the
// progress bar's value.
//
// Every failure after the connection throws std::runtime_error with a
// message for the log.
class FirmwareFlasher
{
public:
    enum class Outcome {
        Flashed,
        NoBootloader, // connect() failed at the start; nothing was written
    };
    using Progress = std::function<void(int barValue)>;
    using Step = std::function<void()>;

    static constexpr int verifyAttempts = 3;

    explicit FirmwareFlasher(Blfwk &binding);

    // The per-user working folder "TempFW", and the files in it.
    static QString workingFolder();
    static QString workingCopyPath();
    static QString reducedFilePath();

    // The whole sequence for the image at sourcePath. The image is read and
    // checked before the connection, so a refused one reaches no bootloader.
    // beforeFinalReset runs once everything is written, before the reset that
    // starts the new firmware. The working copy is deleted after success and
    // kept after a failure.
    Outcome run(const QString &sourcePath, const Progress &progress, const Step &beforeFinalReset);

    // Copies the image to the working copy; the copy of an earlier update is
    // deleted first, so a failed copy cannot leave it to be flashed.
    void makeWorkingCopy(const QString &sourcePath);
    // From the working copy at path: prepare, write the segments, flash the
    // reduced file.
    void flashImage(const QString &path, const Progress &progress, const Step &beforeFinalReset);
    // Up to verifyAttempts of erase, write and read back; throws when none
    // reads back data.
    void eraseWriteVerify(uint32_t address, const QByteArray &data, bool skipFirstErase);

    // The bar's value for a percentage of the library's flashing.
    static int barValueForPercent(int percent);

    const FirmwareImage &image() const { return m_image; }

private:
    static void progressCallback(int percent, unsigned int, unsigned int);
    // flashImage() once the image is read.
    void flashPrepared(const Progress &progress, const Step &beforeFinalReset);
    void updateBootloaderConfigExt();

    Blfwk &m_binding;
    FirmwareImage m_image;
};
