#include "SimpleViewLook.h"

SimpleViewLook SimpleViewLook::forProductId(int productId)
{
    switch (productId) {
    case 5:
        return {QStringLiteral("v"), 0, QStringLiteral(":/pic/simple_mode/v/side_bar/v_logo.png")};
    case 10:
        return {QStringLiteral("tamsel"), 2, QStringLiteral(":/pic/simple_mode/tamsel/side_bar/tamsel_logo.png")};
    case 20:
        return {QStringLiteral("pelkin"), 1, QStringLiteral(":/pic/simple_mode/pelkin/side_bar/pelkin_logo.png")};
    case 30:
        // The V2 has a picture of its own but shares the V's styling.
        return {QStringLiteral("v"), 3, QStringLiteral(":/pic/simple_mode/v/side_bar/v2_logo.png")};
    default:
        return {QStringLiteral("v"), 0, QString()};
    }
}
