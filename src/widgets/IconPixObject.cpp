#include "IconPixObject.h"

#include "MouseFunctions.h"

#include <QPixmap>

namespace {

const char *const iconNames[] = {"force_press", "scroll_forward", "scroll_back",  "pull",     "push",
                                 "tilt_left",   "tilt_right",     "tilt_forward", "tilt_back"};

} // namespace

QString IconPixObject::picturePath(int iconType, bool highlighted, int modelCode)
{
    const bool withoutTilt = modelCode == 10 || modelCode == 20;
    const int kinds = withoutTilt ? Push + 1 : TiltBack + 1;
    if (iconType < 0 || iconType >= kinds)
        return QString();
    const char *colour = highlighted ? "white" : modelCode == 20 ? "pink" : "grey";
    return QStringLiteral(":/pic/simple_mode/v/mouse_scene/%1_%2.png")
        .arg(QLatin1String(iconNames[iconType]), QLatin1String(colour));
}

IconPixObject *IconPixObject::create(int iconType, bool highlighted)
{
    auto *icon = new IconPixObject;
    icon->m_picturePath = picturePath(iconType, highlighted, MouseFunctions::instance()->mousePID());
    icon->setTransformationMode(Qt::SmoothTransformation);
    if (!icon->m_picturePath.isEmpty())
        icon->setPixmap(QPixmap(icon->m_picturePath));
    icon->m_iconType = iconType;
    return icon;
}
