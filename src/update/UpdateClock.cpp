#include "UpdateClock.h"

#include <QThread>

namespace {

int divisor = 1;
UpdateClock::Observer &observer()
{
    static UpdateClock::Observer watching;
    return watching;
}

} // namespace

int UpdateClock::interval(int nominalMs)
{
    if (observer())
        observer()(nominalMs);
    return nominalMs / divisor;
}

void UpdateClock::sleep(int nominalMs)
{
    QThread::msleep(static_cast<unsigned long>(interval(nominalMs)));
}

void UpdateClock::setDivisor(int value)
{
    divisor = value > 0 ? value : 1;
}

void UpdateClock::setObserver(Observer watching)
{
    observer() = std::move(watching);
}
