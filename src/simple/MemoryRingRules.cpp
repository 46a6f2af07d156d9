#include "MemoryRingRules.h"

#include <cmath>

namespace MemoryRingRules {

QString percentText(double percent)
{
    return QString::number(std::ceil(percent), 'g', 6) + QLatin1Char('%');
}

int arcSpan(double percent)
{
    return int(percent * -3.6 * 16);
}

Colours colours(int productId)
{
    if (productId == 5 || productId == 10 || productId == 30)
        return {QColor(QStringLiteral("#111111")), QColor(QStringLiteral("#666666")), QColor(Qt::red)};
    return {QColor(QStringLiteral("#1c2033")), QColor(QStringLiteral("#b9bff1")), QColor(QStringLiteral("#ff5959"))};
}

QColor arcColour(double percent, int productId)
{
    const Colours look = colours(productId);
    return percent > 100 ? look.over : look.value;
}

} // namespace MemoryRingRules
