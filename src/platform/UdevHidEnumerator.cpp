#include "UdevHidEnumerator.h"

#include "HidHardwareId.h"

#include <libudev.h>

namespace {
HidDeviceInfo describe(udev_device *hidraw)
{
    HidDeviceInfo info;
    const char *node = udev_device_get_devnode(hidraw);
    udev_device *hid = udev_device_get_parent_with_subsystem_devtype(hidraw, "hid", nullptr);
    const char *hidId = hid ? udev_device_get_property_value(hid, "HID_ID") : nullptr;
    quint16 bus = 0;
    quint16 vendorId = 0;
    quint16 productId = 0;
    if (!node || !hidId || !HidHardwareId::parseHidId(QString::fromLatin1(hidId), bus, vendorId, productId))
        return info;

    // Only a device on the USB bus is a USB interface of its own. A Bluetooth
    // mouse also has a USB interface above it, that of the adapter it talks
    // through, whose number says nothing about the mouse.
    int interfaceNumber = -1;
    udev_device *usbInterface = bus == HidHardwareId::usbBus
                                    ? udev_device_get_parent_with_subsystem_devtype(hid, "usb", "usb_interface")
                                    : nullptr;
    if (const char *number = usbInterface ? udev_device_get_sysattr_value(usbInterface, "bInterfaceNumber") : nullptr) {
        bool ok = false;
        const int value = QString::fromLatin1(number).trimmed().toInt(&ok, 16);
        if (ok)
            interfaceNumber = value;
    }
    info.node = QString::fromLocal8Bit(node);
    info.hardwareId = HidHardwareId::compose(vendorId, productId, interfaceNumber);
    return info;
}
} // namespace

bool UdevHidEnumerator::enumerate(QVector<HidDeviceInfo> &devices)
{
    udev *context = udev_new();
    if (!context)
        return false;
    udev_enumerate *enumeration = udev_enumerate_new(context);
    bool ok = enumeration && udev_enumerate_add_match_subsystem(enumeration, "hidraw") >= 0
              && udev_enumerate_scan_devices(enumeration) >= 0;
    if (ok) {
        udev_list_entry *entry = nullptr;
        udev_list_entry_foreach(entry, udev_enumerate_get_list_entry(enumeration))
        {
            udev_device *device = udev_device_new_from_syspath(context, udev_list_entry_get_name(entry));
            if (!device)
                continue;
            const HidDeviceInfo info = describe(device);
            if (!info.node.isEmpty())
                devices.append(info);
            udev_device_unref(device);
        }
    }
    if (enumeration)
        udev_enumerate_unref(enumeration);
    udev_unref(context);
    return ok;
}
