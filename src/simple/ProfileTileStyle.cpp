#include "ProfileTileStyle.h"

namespace ProfileTileStyle {

QString buttonStyle(bool isDefault, bool hasImage, bool hovered)
{
    if (hasImage)
        return QStringLiteral("profile_button_image");
    if (!isDefault)
        return QStringLiteral("profile_button_no_image");
    return hovered ? QStringLiteral("default_profile_button_hover") : QStringLiteral("default_profile_button_normal");
}

QSize tileSize(int kind)
{
    return kind == SubProfile ? QSize(100, 80) : QSize(100, 90);
}

QSize imageSize(int kind)
{
    return kind == SubProfile ? QSize(48, 48) : QSize(58, 58);
}

QSize iconSize(int kind, bool hovered, bool selected)
{
    const QSize base = imageSize(kind);
    return hovered || selected ? base - QSize(2, 2) : base;
}

int cornerRadius(bool hovered, bool selected)
{
    return hovered || selected ? 0 : 4;
}

} // namespace ProfileTileStyle
