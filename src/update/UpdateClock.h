#pragma once
// Every wait of the firmware update comes from here: the step timer, the
// completion timer, the bootloader binding's waits between attempts and the
// blocking sleeps while the mouse restarts. Tests make them all shorter with
// one divisor, and may watch which waits were asked for.

#include <functional>

class UpdateClock
{
public:
    using Observer = std::function<void(int nominalMs)>;

    // The interval to use for a wait that normally lasts nominalMs.
    static int interval(int nominalMs);
    // Blocks the calling thread for interval(nominalMs); no events are
    // processed meanwhile.
    static void sleep(int nominalMs);

    // For tests: every wait lasts nominalMs / divisor (1 restores the real
    // times), and the observer hears of each wait asked for.
    static void setDivisor(int divisor);
    static void setObserver(Observer observer);
};
