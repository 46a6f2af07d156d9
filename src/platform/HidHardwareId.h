#pragma once
#include <QString>

// Composes the hardware id text by which the transport recognises a device.
// The text has the form "HID\VID_214E&PID_0014&MI_03": vendor and product id in
// upper-case hexadecimal padded to four digits, then the USB interface number
// in two upper-case hexadecimal digits when the device is a USB interface.
class HidHardwareId
{
public:
    // The bus of HID_ID on which devices have interface numbers. Bluetooth
    // (0x0005), I2C (0x0018) and the others have none, even where the
    // controller they sit behind is itself a USB interface.
    static constexpr quint16 usbBus = 0x0003;

    static QString compose(quint16 vendorId, quint16 productId, int interfaceNumber = -1);

    // Reads udev's HID_ID property ("0003:0000214E:00000014": bus, vendor,
    // product in hexadecimal). False when the text is not of that form.
    static bool parseHidId(const QString &hidId, quint16 &bus, quint16 &vendorId, quint16 &productId);
};
