#include "HidHardwareId.h"

#include <QStringList>

namespace {
QString hex4(quint16 value)
{
    return QStringLiteral("%1").arg(value, 4, 16, QLatin1Char('0')).toUpper();
}
} // namespace

QString HidHardwareId::compose(quint16 vendorId, quint16 productId, int interfaceNumber)
{
    QString id = QStringLiteral("HID\\VID_") + hex4(vendorId) + QStringLiteral("&PID_") + hex4(productId);
    if (interfaceNumber >= 0)
        id += QStringLiteral("&MI_%1").arg(interfaceNumber, 2, 16, QLatin1Char('0')).toUpper();
    return id;
}

bool HidHardwareId::parseHidId(const QString &hidId, quint16 &bus, quint16 &vendorId, quint16 &productId)
{
    const QStringList parts = hidId.split(QLatin1Char(':'));
    if (parts.size() != 3)
        return false;
    bool okBus = false;
    bool okVendor = false;
    bool okProduct = false;
    const uint busType = parts[0].toUInt(&okBus, 16);
    const uint vendor = parts[1].toUInt(&okVendor, 16);
    const uint product = parts[2].toUInt(&okProduct, 16);
    if (!okBus || !okVendor || !okProduct || busType > 0xFFFF || vendor > 0xFFFF || product > 0xFFFF)
        return false;
    bus = quint16(busType);
    vendorId = quint16(vendor);
    productId = quint16(product);
    return true;
}
