#pragma once
#include "HidDeviceInfo.h"

#include <QObject>
#include <QVector>

// What the HID transport needs of the system: the list of HID devices, opening
// one, and notices of devices arriving and leaving and of sleep and wake. The
// Linux implementation is HidrawSystem; tests give their own.
class HidSystem : public QObject
{
    Q_OBJECT

public:
    explicit HidSystem(QObject *parent = nullptr);
    ~HidSystem() override;

    // The HID devices present, in the system's order; false when they cannot
    // be listed.
    virtual bool enumerate(QVector<HidDeviceInfo> &devices) = 0;
    // Opens a device node for reading and writing: a file descriptor, or -1
    // with errno in error.
    virtual int open(const QString &node, int &error) = 0;
    // Starts the notices below; until then none is sent.
    virtual void startWatching() = 0;

signals:
    void deviceArrived(const QString &node);
    void deviceRemoved(const QString &node);
    void goingToSleep();
    void wakingUp();
};
