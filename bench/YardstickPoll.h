#pragma once
// The yardsticks' wake-up: every 100 ms, as the control panel's open-window
// poll, doing next to nothing.

#include <QObject>
#include <QTimer>

inline void startYardstickPoll(QTimer &poll)
{
    static volatile int polls = 0;
    poll.setInterval(100);
    QObject::connect(&poll, &QTimer::timeout, [] { polls = polls + 1; });
    poll.start();
}
