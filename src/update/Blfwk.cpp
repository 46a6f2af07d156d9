#include "Blfwk.h"

#include <QCoreApplication>
#include <QDebug>
#include <QLibrary>
#include <QTimer>

#include "UpdateClock.h"

#include <algorithm>
#include <type_traits>

namespace {

constexpr int32_t makerVendorId = 0x214E;
constexpr int32_t makerBootloaderId = 0x0007;
constexpr int32_t chipVendorId = 0x15A2;
constexpr int32_t chipBootloaderId = 0x0073;

} // namespace

struct Blfwk::EntryPoints
{
    BlfwkConnect connect = nullptr;
    BlfwkDisconnect disconnect = nullptr;
    BlfwkReadFlash readFlash = nullptr;
    BlfwkEraseFlashRegion eraseFlashRegion = nullptr;
    BlfwkWriteFlashData writeFlashData = nullptr;
    BlfwkReset reset = nullptr;
    BlfwkFlashFirmware flashFirmwareWithProgressCallback = nullptr;
};

QString Blfwk::libraryPath()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/fw/blfwk_wrapper_64");
}

const Blfwk::EntryPoints &Blfwk::entryPoints()
{
    // Loaded on first use and never unloaded: every binding of the process
    // shares the one library and its state.
    static const EntryPoints points = [] {
        static QLibrary library(libraryPath());
        EntryPoints found;
        const auto resolve = [](auto &entry, const char *name) {
            entry = reinterpret_cast<std::remove_reference_t<decltype(entry)>>(library.resolve(name));
        };
        resolve(found.connect, "connect");
        resolve(found.disconnect, "disconnect");
        resolve(found.readFlash, "readFlash");
        resolve(found.eraseFlashRegion, "eraseFlashRegion");
        resolve(found.writeFlashData, "writeFlashData");
        resolve(found.reset, "reset");
        resolve(found.flashFirmwareWithProgressCallback, "flashFirmwareWithProgressCallback");
        if (!found.connect)
            qWarning() << "Blfwk: libblfwk_wrapper not loaded";
        return found;
    }();
    return points;
}

Blfwk::Blfwk()
    : m_error(errorBufferSize, 0)
    , m_initialHandle(std::make_unique<int32_t>(0))
{
    m_handle = m_initialHandle.get();
    entryPoints();
}

Blfwk::~Blfwk() = default;

char *Blfwk::clearedError()
{
    std::fill(m_error.begin(), m_error.end(), '\0');
    return m_error.data();
}

QString Blfwk::errorText() const
{
    const auto end = std::find(m_error.begin(), m_error.end(), '\0');
    return QString::fromLocal8Bit(m_error.data(), int(end - m_error.begin()));
}

int32_t Blfwk::connectTo(int32_t vendorId, int32_t productId)
{
    return entryPoints().connect(&m_handle, vendorId, productId, clearedError(), errorBufferSize);
}

bool Blfwk::connect()
{
    qInfo() << "Blfwk: Connecting to Bootloader...";
    if (!entryPoints().connect)
        return false;
    if (connectTo(makerVendorId, makerBootloaderId) == 1) {
        qInfo() << "Blfwk: connected to V Mouse bootloader";
        return true;
    }
    qInfo().noquote().nospace() << "Blfwk: Could not connect to V Mouse Bootloader: " << errorText();
    if (connectTo(chipVendorId, chipBootloaderId) == 1) {
        qInfo() << "Blfwk: connected to Kinesis bootloader";
        return true;
    }
    qWarning().noquote() << "Blfwk: connect fail" << errorText();
    return false;
}

void Blfwk::waitBeforeAttempt()
{
    QTimer::singleShot(UpdateClock::interval(attemptWaitMs), &m_loop, &QEventLoop::quit);
    m_loop.exec();
}

template<class Call>
bool Blfwk::withRetries(const char *operation, bool available, Call call)
{
    if (!available)
        return false;
    for (int attempt = 0; attempt < attempts; ++attempt) {
        waitBeforeAttempt();
        if (call(clearedError()) == 1)
            return true;
        qWarning().noquote() << operation << errorText();
    }
    return false;
}

bool Blfwk::eraseFlashRegionWithRetries(uint32_t address, uint32_t length)
{
    const auto erase = entryPoints().eraseFlashRegion;
    return withRetries("Blfwk: eraseFlashRegionWithRetries", erase != nullptr,
                       [&](char *error) { return erase(m_handle, address, length, error, errorBufferSize); });
}

bool Blfwk::writeFlashDataWithRetries(uint32_t address, const QByteArray &data)
{
    const auto write = entryPoints().writeFlashData;
    return withRetries("Blfwk: writeFlashDataWithRetries", write != nullptr, [&](char *error) {
        return write(m_handle, address, reinterpret_cast<const uint8_t *>(data.constData()), uint32_t(data.size()),
                     error, errorBufferSize);
    });
}

bool Blfwk::readFlashWithRetries(uint32_t address, uint32_t length, QByteArray &out)
{
    const auto read = entryPoints().readFlash;
    out.resize(int(length));
    return withRetries("Blfwk: readFlashWithRetries", read != nullptr, [&](char *error) {
        return read(m_handle, address, length, reinterpret_cast<uint8_t *>(out.data()), error, errorBufferSize);
    });
}

bool Blfwk::resetWithRetries()
{
    qInfo() << "Blfwk: resetWithRetries";
    const auto reset = entryPoints().reset;
    return withRetries("Blfwk: resetWithRetries", reset != nullptr,
                       [&](char *error) { return reset(m_handle, error, errorBufferSize); });
}

bool Blfwk::flashFirmware(const QByteArray &hexPath, int option, BlfwkProgressCallback progress)
{
    const auto flash = entryPoints().flashFirmwareWithProgressCallback;
    return withRetries("Blfwk: flashFirmware", flash != nullptr, [&](char *error) {
        return flash(m_handle, hexPath.constData(), option, progress, error, errorBufferSize);
    });
}
