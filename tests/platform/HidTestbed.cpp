// GLib first: its headers name fields "signals", which Qt defines away.
#include <umockdev.h>

#include "HidTestbed.h"

#include <QDir>
#include <QFile>

#include <termios.h>
#include <unistd.h>
#include <vector>

namespace {
constexpr quint16 usbBus = 0x0003;
constexpr quint16 bluetoothBus = 0x0005;
constexpr int hidrawMajor = 241;
constexpr int usbMajor = 189;

QString hex(uint value, int digits)
{
    return QStringLiteral("%1").arg(value, digits, 16, QLatin1Char('0'));
}

QString upperHex(uint value, int digits)
{
    return hex(value, digits).toUpper();
}

QString decimal(int value, int digits)
{
    return QStringLiteral("%1").arg(value, digits, 10, QLatin1Char('0'));
}

// The target of a symbolic link, or an empty text.
QString linkTarget(const QString &path)
{
    char target[512];
    const ssize_t length = ::readlink(QFile::encodeName(path).constData(), target, sizeof(target) - 1);
    return length > 0 ? QFile::decodeName(QByteArray(target, int(length))) : QString();
}

// The devices at and below syspath, children before their parent.
void devicesBelow(const QString &root, const QString &syspath, QStringList &devices)
{
    const QDir dir(root + syspath);
    for (const QString &child : dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::NoSymLinks, QDir::Name))
        devicesBelow(root, syspath + QLatin1Char('/') + child, devices);
    if (dir.exists(QStringLiteral("uevent")))
        devices << syspath;
}

// Texts as the null-terminated array of pointers that umockdev takes.
class CStrings
{
public:
    explicit CStrings(const QStringList &texts)
    {
        for (const QString &text : texts)
            bytes.push_back(text.toUtf8());
        for (QByteArray &text : bytes)
            pointers.push_back(text.data());
        pointers.push_back(nullptr);
    }
    char **data() { return pointers.data(); }

private:
    std::vector<QByteArray> bytes;
    std::vector<char *> pointers;
};
} // namespace

HidTestbed::HidTestbed()
    : bed(umockdev_testbed_new())
{
    gchar *dir = umockdev_testbed_get_root_dir(bed);
    root = QFile::decodeName(dir);
    g_free(dir);
}

HidTestbed::~HidTestbed()
{
    g_object_unref(bed);
}

bool HidTestbed::isActive() const
{
    return umockdev_in_mock_environment();
}

QString HidTestbed::addDevice(const char *subsystem, const QString &name, const QString &parent,
                              const QStringList &attributes, const QStringList &properties)
{
    CStrings attributeList(attributes);
    CStrings propertyList(properties);
    const QByteArray parentPath = parent.toUtf8();
    gchar *path = umockdev_testbed_add_devicev(bed, subsystem, name.toUtf8().constData(),
                                               parent.isEmpty() ? nullptr : parentPath.constData(),
                                               attributeList.data(), propertyList.data());
    const QString syspath = QString::fromUtf8(path);
    g_free(path);
    return syspath;
}

QString HidTestbed::addUsbDevice(quint16 vendorId, quint16 productId)
{
    const int port = ++ports;
    const int deviceNumber = port + 1; // 1 is the root hub
    const QString syspath = addDevice(
        "usb", QStringLiteral("1-%1").arg(port), QString(),
        {"idVendor", hex(vendorId, 4), "idProduct", hex(productId, 4), "bcdDevice", "0100", "busnum", "1", "devnum",
         QString::number(deviceNumber), "dev", QStringLiteral("%1:%2").arg(usbMajor).arg(deviceNumber - 1)},
        {"MAJOR", QString::number(usbMajor), "MINOR", QString::number(deviceNumber - 1), "DEVNAME",
         "bus/usb/001/" + decimal(deviceNumber, 3), "DEVTYPE", "usb_device", "DRIVER", "usb", "PRODUCT",
         QStringLiteral("%1/%2/100").arg(vendorId, 0, 16).arg(productId, 0, 16), "TYPE", "0/0/0", "BUSNUM", "001",
         "DEVNUM", decimal(deviceNumber, 3)});
    usbIds.insert(syspath, {vendorId, productId});
    return syspath;
}

QString HidTestbed::addUsbInterface(const QString &usbDevice, int number, const UsbClass &type, const char *driver)
{
    const UsbIds ids = usbIds.value(usbDevice);
    const QString port = usbDevice.section(QLatin1Char('/'), -1);
    return addDevice(
        "usb", QStringLiteral("%1:1.%2").arg(port).arg(number), usbDevice,
        {"bInterfaceNumber", hex(uint(number), 2), "bAlternateSetting", " 0", "bInterfaceClass",
         hex(uint(type.interfaceClass), 2), "bInterfaceSubClass", hex(uint(type.subClass), 2), "bInterfaceProtocol",
         hex(uint(type.protocol), 2)},
        {"DEVTYPE", "usb_interface", "DRIVER", driver, "PRODUCT",
         QStringLiteral("%1/%2/100").arg(ids.vendorId, 0, 16).arg(ids.productId, 0, 16), "TYPE", "0/0/0", "INTERFACE",
         QStringLiteral("%1/%2/%3").arg(type.interfaceClass).arg(type.subClass).arg(type.protocol), "MODALIAS",
         QStringLiteral("usb:v%1p%2d0100dc00dsc00dp00ic%3isc%4ip%5in%6")
             .arg(upperHex(ids.vendorId, 4), upperHex(ids.productId, 4), upperHex(uint(type.interfaceClass), 2),
                  upperHex(uint(type.subClass), 2), upperHex(uint(type.protocol), 2), upperHex(uint(number), 2))});
}

QString HidTestbed::addHidInterface(const QString &usbDevice, int interfaceNumber)
{
    const UsbIds ids = usbIds.value(usbDevice);
    const QString interface = addUsbInterface(usbDevice, interfaceNumber, {3, 0, 0}, "usbhid");
    const QString port = usbDevice.section(QLatin1Char('/'), -1).section(QLatin1Char('-'), 1);
    return addHid(interface, usbBus, ids.vendorId, ids.productId,
                  QStringLiteral("usb-0000:00:14.0-%1/input%2").arg(port).arg(interfaceNumber), QString());
}

QString HidTestbed::addBluetoothAdapter(int interfaceNumber)
{
    const QString usbDevice = addUsbDevice(0x0A12, 0x0001);
    const QString interface = addUsbInterface(usbDevice, interfaceNumber, {0xE0, 1, 1}, "btusb");
    return addDevice("bluetooth", QStringLiteral("bluetooth/hci%1").arg(controllers++), interface, {},
                     {"DEVTYPE", "host"});
}

QString HidTestbed::addBluetoothHid(const QString &controller, quint16 vendorId, quint16 productId)
{
    const QString name = controller.section(QLatin1Char('/'), -1);
    // The connection to the device, named by its handle.
    const QString link = addDevice("bluetooth", QStringLiteral("%1:%2").arg(name).arg(256 + hidInstances), controller,
                                   {}, {"DEVTYPE", "link"});
    return addHid(link, bluetoothBus, vendorId, productId, "00:1a:7d:da:71:10", "c8:3f:26:01:02:03");
}

QString HidTestbed::addHid(const QString &parent, quint16 bus, quint16 vendorId, quint16 productId, const QString &phys,
                           const QString &uniq)
{
    const QString hid = addDevice(
        "hid",
        QStringLiteral("%1:%2:%3.%4")
            .arg(upperHex(bus, 4), upperHex(vendorId, 4), upperHex(productId, 4), upperHex(uint(++hidInstances), 4)),
        parent, {},
        {"DRIVER", "hid-generic", "HID_ID",
         QStringLiteral("%1:%2:%3").arg(upperHex(bus, 4), upperHex(vendorId, 8), upperHex(productId, 8)), "HID_NAME",
         QStringLiteral("HID %1:%2").arg(hex(vendorId, 4), hex(productId, 4)), "HID_PHYS", phys, "HID_UNIQ", uniq,
         "MODALIAS",
         QStringLiteral("hid:b%1g0001v%2p%3").arg(upperHex(bus, 4), upperHex(vendorId, 8), upperHex(productId, 8))});

    // Only a description with a node line gets a device node, and it is
    // announced before the node exists: the program, on this thread, reads
    // the event only once this returns.
    const int minor = hidrawNodes++;
    const QString name = QStringLiteral("hidraw%1").arg(minor);
    const QString node = "/dev/" + name;
    const QString description = QStringLiteral("P: %1/hidraw/%2\nN: %2\nE: SUBSYSTEM=hidraw\nE: DEVNAME=%3\n"
                                               "E: MAJOR=%4\nE: MINOR=%5\nA: dev=%4:%5\n")
                                    .arg(hid.mid(4), name, node)
                                    .arg(hidrawMajor)
                                    .arg(minor);
    GError *error = nullptr;
    if (!umockdev_testbed_add_from_string(bed, description.toUtf8().constData(), &error)) {
        qWarning("HidTestbed: cannot add %s: %s", qPrintable(node), error ? error->message : "");
        g_clear_error(&error);
        return QString();
    }
    // A report holds any byte: no line editing, echo, signals or flow control.
    const int fd = deviceFd(node);
    termios mode;
    if (fd >= 0 && tcgetattr(fd, &mode) == 0) {
        cfmakeraw(&mode);
        tcsetattr(fd, TCSANOW, &mode);
    }
    nodes << node;
    terminals.insert(node, linkTarget(root + node));
    return node;
}

void HidTestbed::unplug(const QString &syspath)
{
    // This umockdev takes devices out of sysfs without a word.
    QStringList devices;
    devicesBelow(root, syspath, devices);
    for (const QString &device : devices)
        umockdev_testbed_uevent(bed, device.toUtf8().constData(), "remove");
    umockdev_testbed_remove_device(bed, syspath.toUtf8().constData());
}

int HidTestbed::deviceFd(const QString &node) const
{
    return umockdev_testbed_get_dev_fd(bed, node.toUtf8().constData());
}

QStringList HidTestbed::openNodes() const
{
    QStringList open;
    const QDir descriptors(QStringLiteral("/proc/self/fd"));
    QStringList targets;
    for (const QString &fd : descriptors.entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot))
        targets << linkTarget(descriptors.filePath(fd));
    for (const QString &node : nodes) {
        if (!terminals.value(node).isEmpty() && targets.contains(terminals.value(node)))
            open << node;
    }
    return open;
}
