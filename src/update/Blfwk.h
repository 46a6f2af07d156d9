#pragma once
#include "BlfwkApi.h"

#include <QByteArray>
#include <QEventLoop>
#include <QObject>
#include <QString>

#include <cstdint>
#include <memory>
#include <vector>

// The program's binding to the bootloader library: loads it once per process
// (application folder + "/fw/blfwk_wrapper_64"), resolves its entry points and
// wraps each call with logging and, for the flash operations, with retries.
// Every operation returns false on failure and throws nothing; an operation
// whose entry point is missing returns false without calling anything.
//
// Each attempt of a retrying operation first waits 200 ms in a nested event
// loop, so queued events run in between; the library calls themselves block.
class Blfwk : public QObject
{
public:
    static constexpr int attempts = 5;
    static constexpr int attemptWaitMs = 200;
    static constexpr int errorBufferSize = 500;

    Blfwk();
    ~Blfwk() override;

    // Opens a connection to whichever bootloader is present: the maker's own
    // first, then the chip's ROM bootloader.
    bool connect();
    bool eraseFlashRegionWithRetries(uint32_t address, uint32_t length);
    bool writeFlashDataWithRetries(uint32_t address, const QByteArray &data);
    // On success out holds exactly length bytes.
    bool readFlashWithRetries(uint32_t address, uint32_t length, QByteArray &out);
    bool resetWithRetries();
    // hexPath in the local 8-bit encoding.
    bool flashFirmware(const QByteArray &hexPath, int option, BlfwkProgressCallback progress);

    // The library's file without its suffix.
    static QString libraryPath();

private:
    struct EntryPoints;
    static const EntryPoints &entryPoints();

    int32_t connectTo(int32_t vendorId, int32_t productId);
    template<class Call>
    bool withRetries(const char *operation, bool available, Call call);
    void waitBeforeAttempt();
    // Emptied before every call, so that no earlier text shows through.
    char *clearedError();
    // At most the buffer's length, whether or not the library ended it.
    QString errorText() const;

    // What connect writes into; at first a 32-bit 0 of our own.
    void *m_handle = nullptr;
    std::vector<char> m_error;
    QEventLoop m_loop;
    std::unique_ptr<int32_t> m_initialHandle;
};
