#include "HidReport.h"

QVector<uint8_t> HidReport::padded(const QVector<uint8_t> &packet)
{
    QVector<uint8_t> report = packet.mid(0, length);
    report.resize(length); // QVector value-initialises the added bytes to 0
    return report;
}
