#pragma once
#include "HidSystem.h"

class UdevMonitor;
class LogindSleepWatcher;

// The HID system on Linux: hidraw devices listed and watched through libudev,
// opened as /dev/hidrawN, sleep and wake from logind.
class HidrawSystem : public HidSystem
{
    Q_OBJECT

public:
    explicit HidrawSystem(QObject *parent = nullptr);
    ~HidrawSystem() override;

    bool enumerate(QVector<HidDeviceInfo> &devices) override;
    int open(const QString &node, int &error) override;
    void startWatching() override;

private:
    UdevMonitor *monitor = nullptr;
    LogindSleepWatcher *sleepWatcher = nullptr;
};
