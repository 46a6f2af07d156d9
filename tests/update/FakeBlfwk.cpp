// A stand-in for the bootloader library, built by the tests into the "fw"
// folder beside their executables: the seven entry points over a simulated
// 256 KiB flash, with failures, corrupted read-backs and the bootloader that
// answers scripted by the test through the fakeblfwk_* control functions,
// which the test resolves from the same loaded library.
//
// How the simulated chip behaves:
// - connect succeeds for the bootloader present: 7 answers to 214E:0007,
//   115 to 15A2:0073. It writes the fake's own handle into the slot; every
//   other call needs that handle and an open connection.
// - Erasing sets bytes to 0xFF; writing can only clear bits (the flash's
//   AND), so a write over unerased bytes reads back wrong. Regions are byte
//   exact. The library's own flashing erases what it programs.
// - reset ends the connection. The chip then starts in its ROM bootloader
//   (115) when the boot option bits 0xC0 of byte 13 of the security block at
//   0x400 are set, otherwise on its firmware (no bootloader answers). The
//   reset hook tells the test which, so it can move the simulated mouse.
// - Error texts are NUL-ended, or with fakeblfwk_setFullErrorText fill the
//   whole buffer without a NUL.
//
// The library's "connect" clashes with the C library's: the library exports
// only its entry points and control functions and binds its own calls to
// itself (-Bsymbolic).

#include "BlfwkApi.h"
#include "TestHex.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#define FAKE_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

constexpr uint32_t flashSize = 256 * 1024;
constexpr uint32_t bootOptionAddress = 0x400 + 13;

using ResetHook = void (*)(int bootedProductId, void *context);

struct Fake
{
    std::vector<uint8_t> flash = std::vector<uint8_t>(flashSize, 0xFF);
    int present = 7;
    bool connected = false;
    std::map<std::string, int> failures;
    uint32_t corruptAddress = 0;
    int corruptReads = 0;
    bool fullErrorText = false;
    std::vector<int> percentages = {0, 50, 100};
    ResetHook resetHook = nullptr;
    void *hookContext = nullptr;
    std::vector<std::string> calls;
};

Fake &fake()
{
    static Fake state;
    return state;
}

std::string hex(uint32_t value)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%x", value);
    return text;
}

void logCall(const std::string &call)
{
    fake().calls.push_back(call);
}

int32_t fail(char *error, int32_t length, const std::string &text)
{
    if (!error || length <= 0)
        return 0;
    if (fake().fullErrorText) {
        for (int32_t i = 0; i < length; ++i)
            error[i] = text[size_t(i) % text.size()];
    } else {
        const size_t n = std::min(text.size(), size_t(length - 1));
        std::memcpy(error, text.data(), n);
        error[n] = '\0';
    }
    return 0;
}

bool scriptedFailure(const char *entry)
{
    auto it = fake().failures.find(entry);
    if (it == fake().failures.end() || it->second <= 0)
        return false;
    --it->second;
    return true;
}

bool inFlash(uint32_t address, uint32_t length)
{
    return address <= flashSize && length <= flashSize - address;
}

// Why a call on handle (for length bytes from address) cannot go ahead, or
// empty.
std::string refusal(const char *entry, void *handle, uint32_t address = 0, uint32_t length = 0)
{
    if (scriptedFailure(entry))
        return std::string("scripted failure of ") + entry;
    if (handle != &fake() || !fake().connected)
        return "not connected";
    if (!inFlash(address, length))
        return "outside the flash";
    return {};
}

} // namespace

// --- The library's entry points.

FAKE_EXPORT int32_t connect(void **handle, int32_t vendorId, int32_t productId, char *error, int32_t errorLength)
{
    logCall("connect " + hex(uint32_t(vendorId)) + " " + hex(uint32_t(productId)));
    if (scriptedFailure("connect"))
        return fail(error, errorLength, "scripted failure of connect");
    const int present = fake().present;
    const bool answers = (present == 7 && vendorId == 0x214E && productId == 0x0007)
                         || (present == 115 && vendorId == 0x15A2 && productId == 0x0073);
    if (!answers)
        return fail(error, errorLength,
                    "no bootloader answers at " + hex(uint32_t(vendorId)) + ":" + hex(uint32_t(productId)));
    *handle = &fake();
    fake().connected = true;
    return 1;
}

FAKE_EXPORT int32_t disconnect(void *handle, char *error, int32_t errorLength)
{
    logCall("disconnect");
    if (handle != &fake())
        return fail(error, errorLength, "not connected");
    fake().connected = false;
    return 1;
}

FAKE_EXPORT int32_t readFlash(void *handle, uint32_t address, uint32_t length, uint8_t *destination, char *error,
                              int32_t errorLength)
{
    logCall("read " + hex(address) + " " + std::to_string(length));
    const std::string why = refusal("readFlash", handle, address, length);
    if (!why.empty())
        return fail(error, errorLength, why);
    std::memcpy(destination, fake().flash.data() + address, length);
    if (length > 0 && fake().corruptReads > 0 && fake().corruptAddress == address) {
        --fake().corruptReads;
        destination[0] ^= 0xFF;
    }
    return 1;
}

FAKE_EXPORT int32_t eraseFlashRegion(void *handle, uint32_t address, uint32_t length, char *error, int32_t errorLength)
{
    logCall("erase " + hex(address) + " " + std::to_string(length));
    const std::string why = refusal("eraseFlashRegion", handle, address, length);
    if (!why.empty())
        return fail(error, errorLength, why);
    std::memset(fake().flash.data() + address, 0xFF, length);
    return 1;
}

FAKE_EXPORT int32_t writeFlashData(void *handle, uint32_t address, const uint8_t *data, uint32_t length, char *error,
                                   int32_t errorLength)
{
    logCall("write " + hex(address) + " " + std::to_string(length));
    const std::string why = refusal("writeFlashData", handle, address, length);
    if (!why.empty())
        return fail(error, errorLength, why);
    for (uint32_t i = 0; i < length; ++i)
        fake().flash[address + i] &= data[i];
    return 1;
}

FAKE_EXPORT int32_t reset(void *handle, char *error, int32_t errorLength)
{
    logCall("reset");
    const std::string why = refusal("reset", handle);
    if (!why.empty())
        return fail(error, errorLength, why);
    fake().connected = false;
    const bool romBoot = (fake().flash[bootOptionAddress] & 0xC0) == 0xC0;
    fake().present = romBoot ? 115 : 0;
    if (fake().resetHook)
        fake().resetHook(fake().present, fake().hookContext);
    return 1;
}

FAKE_EXPORT int32_t flashFirmwareWithProgressCallback(void *handle, const char *hexPath, int32_t option,
                                                      BlfwkProgressCallback progress, char *error, int32_t errorLength)
{
    logCall(std::string("flash ") + (hexPath ? hexPath : "") + " " + std::to_string(option));
    const std::string why = refusal("flashFirmwareWithProgressCallback", handle);
    if (!why.empty())
        return fail(error, errorLength, why);
    std::ifstream file(hexPath ? hexPath : "", std::ios::binary);
    if (!file)
        return fail(error, errorLength, "cannot open the image");
    const std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    std::vector<std::pair<uint32_t, uint8_t>> bytes;
    bool inside = true;
    if (!TestHex::forEachDataByte(text, [&](uint32_t address, uint8_t value) {
            inside = inside && address < flashSize;
            bytes.emplace_back(address, value);
        }))
        return fail(error, errorLength, "damaged record in the image");
    if (!inside)
        return fail(error, errorLength, "image outside the flash");

    const std::vector<int> percentages = fake().percentages;
    const size_t steps = percentages.size();
    size_t written = 0;
    for (size_t k = 0; k < steps; ++k) {
        const size_t upTo = steps == 1 ? bytes.size() : bytes.size() * k / (steps - 1);
        for (; written < upTo; ++written)
            fake().flash[bytes[written].first] = bytes[written].second;
        if (progress)
            progress(percentages[k], unsigned(written), unsigned(bytes.size()));
    }
    for (; written < bytes.size(); ++written)
        fake().flash[bytes[written].first] = bytes[written].second;
    return 1;
}

// --- Control functions for the tests.

FAKE_EXPORT void fakeblfwk_restore()
{
    fake() = Fake();
}

FAKE_EXPORT void fakeblfwk_setPresent(int productId)
{
    fake().present = productId;
}

FAKE_EXPORT void fakeblfwk_failNext(const char *entry, int count)
{
    fake().failures[entry] = count;
}

FAKE_EXPORT void fakeblfwk_corruptReads(uint32_t address, int count)
{
    fake().corruptAddress = address;
    fake().corruptReads = count;
}

FAKE_EXPORT void fakeblfwk_setFullErrorText(int on)
{
    fake().fullErrorText = on != 0;
}

FAKE_EXPORT void fakeblfwk_setPercentages(const int *values, int count)
{
    fake().percentages.assign(values, values + count);
}

FAKE_EXPORT void fakeblfwk_setResetHook(ResetHook hook, void *context)
{
    fake().resetHook = hook;
    fake().hookContext = context;
}

FAKE_EXPORT void fakeblfwk_fill(uint8_t value)
{
    std::fill(fake().flash.begin(), fake().flash.end(), value);
}

// The flash from address; false outside it.
FAKE_EXPORT int fakeblfwk_peek(uint32_t address, uint8_t *out, uint32_t length)
{
    if (!inFlash(address, length))
        return 0;
    std::memcpy(out, fake().flash.data() + address, length);
    return 1;
}

// The calls so far, one a line; returns the length the whole log needs and
// copies as much of it as fits (NUL-ended).
FAKE_EXPORT int fakeblfwk_callLog(char *buffer, int size)
{
    std::string all;
    for (const std::string &call : fake().calls)
        all += call + "\n";
    if (buffer && size > 0) {
        const size_t n = std::min(all.size(), size_t(size - 1));
        std::memcpy(buffer, all.data(), n);
        buffer[n] = '\0';
    }
    return int(all.size());
}
