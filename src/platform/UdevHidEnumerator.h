#pragma once
#include "HidDeviceInfo.h"

#include <QVector>

// Lists the hidraw devices through libudev, each with its node and its
// hardware id composed by HidHardwareId.
class UdevHidEnumerator
{
public:
    // Appends the devices in udev's order; false when udev cannot list them.
    static bool enumerate(QVector<HidDeviceInfo> &devices);
};
