#include "MouseSceneLayout.h"

namespace MouseSceneLayout {

QList<CalloutAnchor> anchors(int pictureWidth)
{
    const int right = pictureWidth + 90;
    return {
        {LeftButton, {-90, 28}, 501, {660, 187}},
        {MiddleButton, {-90, 199}, 592, {745, 352}},
        {3, {-90, 836}, 365, {560, 641}},
        {4, {-90, 701}, 412, {576, 537}},
        {5, {-90, 431}, 411, {578, 264}},
        {6, {-90, 565}, 375, {582, 358}},
        {Oled, {-90, 300}, 500, {500, 300}},
        {RightButton, {right, 28}, 971, {765, 234}},
        {7, {right, 295}, 867, {696, 466}},
        {8, {right, 435}, 846, {815, 466}},
        {LeftTriggerPull, {right, 704}, 900, {732, 536}},
        {RightTriggerPull, {right, 569}, 873, {840, 536}},
        {Logo, {right, 838}, 776, {776, 838}},
        {RollLeft, {-90, 971}, 435, {577, 829}},
        {PitchForward, {right, 971}, 737, {718, 952}},
    };
}

QList<int> partners(int id)
{
    switch (id) {
    case MiddleButton:
        return {ScrollForward, ScrollBack};
    case LeftTriggerPull:
        return {LeftTriggerPush};
    case RightTriggerPull:
        return {RightTriggerPush};
    case RollLeft:
        return {RollRight};
    case PitchForward:
        return {PitchBack};
    default:
        return {};
    }
}

SchemeLook look(int scheme)
{
    switch (scheme) {
    case SchemePelkin:
        return {QStringLiteral(":/pic/simple_mode/pelkin/mouse_scene/mouse_with_logo.png"), QColor(211, 127, 255), true,
                false, QStringLiteral("pelkin")};
    case SchemeTamsel:
        return {QStringLiteral(":/pic/simple_mode/tamsel/mouse_scene/mouse.png"), QColor(168, 168, 168), false, false,
                QStringLiteral("tamsel")};
    case SchemeV2:
        return {QStringLiteral(":/pic/simple_mode/v/mouse_scene/v2_with_logo.png"), QColor(200, 200, 200), true, true,
                QStringLiteral("v")};
    default:
        return {QStringLiteral(":/pic/simple_mode/v/mouse_scene/mouse_with_logo.png"), QColor(200, 200, 200), true,
                true, QStringLiteral("v")};
    }
}

QList<int> outlineOrder(int scheme)
{
    QList<int> order{5, 6, 3, 4, LeftButton, RightButton, MiddleButton, 7, 8, LeftTriggerPull, RightTriggerPull};
    if (scheme != SchemeTamsel)
        order << Logo;
    order << Dpi;
    if (scheme == SchemeV || scheme == SchemeV2)
        order << Oled << RollLeft << PitchForward;
    return order;
}

int colourScheme(int productId)
{
    switch (productId) {
    case 10:
        return SchemeTamsel;
    case 20:
        return SchemePelkin;
    case 30:
        return SchemeV2;
    default:
        return SchemeV;
    }
}

} // namespace MouseSceneLayout
