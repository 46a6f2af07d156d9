#pragma once
#include <QString>

// One HID device as the system lists it: its device node and its hardware id in
// the form "HID\VID_214E&PID_0014&MI_03" (see HidHardwareId).
struct HidDeviceInfo
{
    QString node;
    QString hardwareId;
};
