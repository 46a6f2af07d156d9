#include "MemoryCrossing.h"

MemoryCrossing::Step MemoryCrossing::check(double usedPercent, bool windowVisible)
{
    const bool over = usedPercent > 100.0;
    if (over == m_over)
        return {false, over, false};
    m_over = over;
    return {true, over, over && windowVisible};
}
