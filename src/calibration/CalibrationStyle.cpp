#include "CalibrationStyle.h"

namespace CalibrationStyle {

QString modelKey(int productId)
{
    switch (productId) {
    case 10:
        return QStringLiteral("tamsel");
    case 20:
        return QStringLiteral("pelkin");
    default:
        return QStringLiteral("v");
    }
}

} // namespace CalibrationStyle
