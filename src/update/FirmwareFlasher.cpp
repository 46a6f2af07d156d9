#include "FirmwareFlasher.h"

#include "Blfwk.h"
#include "UpdateClock.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTime>

#include <algorithm>
#include <stdexcept>

namespace {

constexpr int settleSeconds = 13;
constexpr int reconnectWaitMs = 5000;
constexpr int progressEventsMs = 10;

// The library's progress callback is a plain function: it reaches the
// flashing under way through these.
const FirmwareFlasher::Progress *flashingProgress = nullptr;
int lastPercent = -1;

[[noreturn]] void fail(const char *message)
{
    throw std::runtime_error(message);
}

} // namespace

FirmwareFlasher::FirmwareFlasher(Blfwk &binding)
    : m_binding(binding)
{}

QString FirmwareFlasher::workingFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) + QStringLiteral("/TempFW");
}

QString FirmwareFlasher::workingCopyPath()
{
    return workingFolder() + QStringLiteral("/VMFW.hex");
}

QString FirmwareFlasher::reducedFilePath()
{
    return workingFolder() + QStringLiteral("/KVTempFirm.hex");
}

int FirmwareFlasher::barValueForPercent(int percent)
{
    return int(std::min<qint64>(qint64(percent) * 7 / 10 + 30, 95));
}

void FirmwareFlasher::progressCallback(int percent, unsigned int, unsigned int)
{
    if (percent == lastPercent)
        return;
    lastPercent = percent;
    qInfo().noquote() << "FWUpdate: progressCallback" << QTime::currentTime().toString(QStringLiteral("hh:mm:ss.zzz"))
                      << percent << "%";
    if (flashingProgress && *flashingProgress)
        (*flashingProgress)(barValueForPercent(percent));
    QCoreApplication::processEvents(QEventLoop::AllEvents, progressEventsMs);
}

void FirmwareFlasher::makeWorkingCopy(const QString &sourcePath)
{
    const QString copy = workingCopyPath();
    QDir().mkpath(workingFolder());
    if (QFile::exists(copy) && !QFile::remove(copy))
        fail("could not remove the working copy of an earlier update");
    if (!QFile::copy(sourcePath, copy))
        throw std::runtime_error("could not copy the firmware image " + QFile::encodeName(sourcePath).toStdString());
    qInfo().noquote() << "FWUpdate: created " + copy;
}

FirmwareFlasher::Outcome FirmwareFlasher::run(const QString &sourcePath, const Progress &progress,
                                              const Step &beforeFinalReset)
{
    makeWorkingCopy(sourcePath);
    // Read before the bootloader is asked for anything: an image that cannot
    // be flashed as it stands reaches nothing.
    m_image.prepareImage(workingCopyPath(), reducedFilePath());
    if (!m_binding.connect())
        return Outcome::NoBootloader;

    qInfo() << "FWUpdate: Waiting for USB to settle";
    for (int i = 2; i < 2 + settleSeconds; ++i) {
        UpdateClock::sleep(1000);
        progress(2 * i);
    }
    flashPrepared(progress, beforeFinalReset);
    QFile::remove(workingCopyPath());
    return Outcome::Flashed;
}

void FirmwareFlasher::updateBootloaderConfigExt()
{
    const QByteArray &ext = m_image.bootloaderConfigExt;
    if (ext.isEmpty())
        return;
    QByteArray current;
    if (!m_binding.readFlashWithRetries(FirmwareImage::bootloaderConfigExtAddress, uint32_t(ext.size()), current))
        fail("failed while reading BootloaderConfigExt from flash");
    if (current == ext) {
        qDebug() << "FWUpdate: bootloaderConfigExt was up to date.";
        return;
    }
    qDebug() << "FWUpdate: beginning erase write verify of BootloaderConfigExt";
    eraseWriteVerify(FirmwareImage::bootloaderConfigExtAddress, ext, false);
    qDebug() << "FWUpdate: completed erase write verify of BootloaderConfigExt";
}

void FirmwareFlasher::flashImage(const QString &path, const Progress &progress, const Step &beforeFinalReset)
{
    m_image.prepareImage(path, reducedFilePath());
    flashPrepared(progress, beforeFinalReset);
}

void FirmwareFlasher::flashPrepared(const Progress &progress, const Step &beforeFinalReset)
{
    const QString reduced = reducedFilePath();
    updateBootloaderConfigExt();

    qInfo() << "FWUpdate: start erase write verify of Flash Config for bootloader mode";
    eraseWriteVerify(FirmwareImage::flashConfigAddress, m_image.bootloaderModeFlashConfig(), false);

    qInfo() << "FWUpdate: start erase vectors/bootconfig sector (set to Kinetis BL mode)";
    if (!m_binding.eraseFlashRegionWithRetries(FirmwareImage::vectorsAddress, FirmwareImage::sectorLength))
        fail("Failed while erasing vector/bootconfig block");

    qInfo() << "FWUpdate: resetting bootloader (2nd)";
    if (!m_binding.resetWithRetries())
        fail("failed while resetting mouse bootloader");
    UpdateClock::sleep(reconnectWaitMs);
    if (!m_binding.connect())
        fail("failed to reconnect");

    qInfo() << "FWUpdate: start flash firmware file";
    flashingProgress = &progress;
    lastPercent = -1;
    const bool flashed = m_binding.flashFirmware(QFile::encodeName(reduced), 0, &progressCallback);
    flashingProgress = nullptr;
    if (!flashed)
        fail("Failed while flashing new firmware");

    qInfo() << "FWUpdate: start write Vectors/bootconfig sector for firmware";
    eraseWriteVerify(FirmwareImage::vectorsAddress, m_image.sectorImage(), true);
    qInfo() << "FWUpdate: start set Flash Config for firmware";
    eraseWriteVerify(FirmwareImage::flashConfigAddress, m_image.firmwareFlashConfig(), false);

    beforeFinalReset();
    qInfo() << "FWUpdate: resetting bootloader";
    if (!m_binding.resetWithRetries())
        fail("failed while resetting mouse bootloader");
}

void FirmwareFlasher::eraseWriteVerify(uint32_t address, const QByteArray &data, bool skipFirstErase)
{
    const uint32_t length = uint32_t(data.size());
    QByteArray readBack;
    for (int attempt = 0; attempt < verifyAttempts; ++attempt) {
        if (!(skipFirstErase && attempt == 0) && !m_binding.eraseFlashRegionWithRetries(address, length))
            continue;
        if (!m_binding.writeFlashDataWithRetries(address, data))
            continue;
        if (m_binding.readFlashWithRetries(address, length, readBack) && readBack == data)
            return;
    }
    qDebug() << "FWUpdate: failed in verify read phase of erase/write/verify.";
    fail("DoEraseWriteVerifyWithRetries failed");
}
