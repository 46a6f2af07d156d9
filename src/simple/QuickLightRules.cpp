#include "QuickLightRules.h"

namespace QuickLightRules {

namespace {
constexpr int oledKinds = 8;
constexpr int ledModes = 3;
} // namespace

OledSetRecord oledRecord(int index, const QString &text)
{
    OledSetRecord record;
    record.oledMode = index >= 0 && index < oledKinds ? index : 0;
    if (record.oledMode == oledCustomKind) {
        record.message = text.toLatin1();
        if (record.message.isEmpty())
            record.oledMode = 0;
    }
    return record;
}

QString oledText(const QByteArray &message)
{
    return QString::fromLatin1(message);
}

LedSetRecord ledRecord(int index, const QColor &colour)
{
    LedSetRecord record;
    record.ledMode = index >= 0 && index < ledModes ? index : 0;
    record.brightness = 100;
    record.ledDuration.setValue(500);
    if (record.ledMode == ledFixedMode) {
        record.colour1[0] = quint8(colour.red());
        record.colour1[1] = quint8(colour.green());
        record.colour1[2] = quint8(colour.blue());
    }
    return record;
}

} // namespace QuickLightRules
