#pragma once
// The test's side of the fake bootloader library: resolves its control
// functions from the library the program loads ("fw" beside the test
// executable), so both share the one simulated flash.
//
//     FakeBlfwkControl fake;            // a member of the test
//     fake.restore();                   // init(): erased flash, bootloader 7 present
//     fake.failNext("eraseFlashRegion", 4);
//     ... the program's calls ...
//     QCOMPARE(fake.callsStartingWith("erase").size(), 5);

#include <QByteArray>
#include <QStringList>
#include <QVector>

#include <cstdint>

class FakeBlfwkControl
{
public:
    using ResetHook = void (*)(int bootedProductId, void *context);

    FakeBlfwkControl();

    // All control functions were found.
    bool isLoaded() const { return m_loaded; }

    // Back to the start: flash erased, bootloader 7 present, nothing scripted.
    void restore();
    // The bootloader that answers connect: 7, 115 or 0 for none.
    void setPresent(int productId);
    // The next count calls of that entry point fail.
    void failNext(const char *entryPoint, int count);
    // The next count reads at address hand back their first byte inverted.
    void corruptReads(uint32_t address, int count);
    void setFullErrorText(bool on);
    void setPercentages(const QVector<int> &percentages);
    // Called at every reset with the product id the chip restarts as: 115
    // for the ROM bootloader, 0 for the firmware.
    void setResetHook(ResetHook hook, void *context);
    void fill(uint8_t value);

    QByteArray flash(uint32_t address, uint32_t length) const;
    // "connect 0x214e 0x7", "erase 0x400 16", "write ...", "read ...",
    // "reset", "flash <path> <option>", in order.
    QStringList calls() const;
    QStringList callsStartingWith(const QString &prefix) const;

private:
    bool m_loaded = false;
    void (*m_restore)() = nullptr;
    void (*m_setPresent)(int) = nullptr;
    void (*m_failNext)(const char *, int) = nullptr;
    void (*m_corruptReads)(uint32_t, int) = nullptr;
    void (*m_setFullErrorText)(int) = nullptr;
    void (*m_setPercentages)(const int *, int) = nullptr;
    void (*m_setResetHook)(ResetHook, void *) = nullptr;
    void (*m_fill)(uint8_t) = nullptr;
    int (*m_peek)(uint32_t, uint8_t *, uint32_t) = nullptr;
    int (*m_callLog)(char *, int) = nullptr;
};
