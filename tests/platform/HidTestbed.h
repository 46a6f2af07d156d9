#pragma once
// Emulated HID devices for the HID layer's tests, built with umockdev: USB
// devices with HID interfaces and their hidraw nodes, and Bluetooth HID
// devices behind a USB adapter, laid out in sysfs with the attributes and
// uevent properties the kernel gives them. The program's own udev
// enumeration, udev monitor and device nodes then run against them. The test
// must run under umockdev's preload (umockdev-wrapper); isActive() tells.
//
//     HidTestbed testbed;
//     const QString mouse = testbed.addUsbDevice(0x214E, 0x0014);
//     const QString node = testbed.addHidInterface(mouse, 3); // "/dev/hidraw0", announced
//     ...
//     testbed.unplug(mouse); // "remove" events, children first, then gone
//
// A hidraw node is a pseudo-terminal in raw mode: what the test writes to
// deviceFd(node) the program reads from the node. It stays open after the
// device is unplugged, so the program learns of the removal from the udev
// event, not from the node. Every device gets a name of its own (port, hid
// instance, node number), also when the same device is plugged in again.

#include <QHash>
#include <QString>
#include <QStringList>

#include <cstdint>

typedef struct _UMockdevTestbed UMockdevTestbed;

class HidTestbed
{
public:
    HidTestbed();
    ~HidTestbed();
    HidTestbed(const HidTestbed &) = delete;
    HidTestbed &operator=(const HidTestbed &) = delete;

    // The process runs under umockdev's preload, so the program sees this
    // testbed instead of the system's devices. (umockdev answers this once
    // per process, so ask only while a testbed exists.)
    bool isActive() const;

    // A USB device on a port of its own: its sysfs path.
    QString addUsbDevice(quint16 vendorId, quint16 productId);
    // A HID interface of that number on the USB device, its HID device and
    // hidraw node: the node ("/dev/hidrawN").
    QString addHidInterface(const QString &usbDevice, int interfaceNumber);
    // A Bluetooth adapter: a USB device whose interface of that number is its
    // controller; the controller's sysfs path.
    QString addBluetoothAdapter(int interfaceNumber);
    // A Bluetooth HID device connected through the adapter's controller, its
    // HID device and hidraw node: the node.
    QString addBluetoothHid(const QString &controller, quint16 vendorId, quint16 productId);

    // Sends the "remove" events of the device and everything below it,
    // children first as the kernel does, then takes it out of sysfs.
    void unplug(const QString &syspath);

    // The device's end of a node.
    int deviceFd(const QString &node) const;
    // The nodes that this process has open, in the order they were added.
    QStringList openNodes() const;

    UMockdevTestbed *testbed() const { return bed; }

private:
    struct UsbIds
    {
        quint16 vendorId;
        quint16 productId;
    };
    struct UsbClass
    {
        int interfaceClass;
        int subClass;
        int protocol;
    };

    // The device's sysfs path; it is announced with an "add" event.
    QString addDevice(const char *subsystem, const QString &name, const QString &parent, const QStringList &attributes,
                      const QStringList &properties);
    // Interface number of the USB device, of that class, bound to that driver.
    QString addUsbInterface(const QString &usbDevice, int number, const UsbClass &type, const char *driver);
    // A HID device on that bus below parent, and its hidraw node: the node.
    QString addHid(const QString &parent, quint16 bus, quint16 vendorId, quint16 productId, const QString &phys,
                   const QString &uniq);

    UMockdevTestbed *bed;
    QString root;
    QHash<QString, UsbIds> usbIds;
    int ports = 0;
    int hidInstances = 0;
    int hidrawNodes = 0;
    int controllers = 0;
    QStringList nodes;
    // The pseudo-terminal behind each node, as its open descriptors name it.
    QHash<QString, QString> terminals;
};
