#include "MousePicture.h"

#include "MouseOutlines.h"

#include <QPainter>

#include <algorithm>

namespace {

struct Palette
{
    QColor bodyLight, bodyDark, areaFill, line;
    QColor logo, tilt, display; // the scene's logo, tilt arrows and display
    int logoStyle;              // MouseOutlines::simpleLogoOutline's style, -1 none
    bool tiltAndDisplay;        // the scene shows the tilt areas and the display
};

bool paletteOf(const QString &look, Palette *palette)
{
    if (look == QLatin1String("v"))
        *palette = {"#2c2c2f", "#121213", "#36363b", "#5a5a60", "#ffd400", "#8c7500", "#0b0b0c", 0, true};
    else if (look == QLatin1String("v2"))
        *palette = {"#262b32", "#0d0f12", "#2e343d", "#525b68", "#ffd400", "#7d6c12", "#08090b", 3, true};
    else if (look == QLatin1String("pelkin"))
        *palette = {"#40457a", "#1d1f3d", "#4a5089", "#b753ec", "#c58cff", "#000000", "#000000", 1, false};
    else if (look == QLatin1String("tamsel"))
        *palette = {"#303030", "#141414", "#3c3c3c", "#c81a1a", "#000000", "#000000", "#000000", -1, false};
    else if (look == QLatin1String("none"))
        *palette = {"#767676", "#4c4c4c", "#7e7e7e", "#a6a6a6", "#d2d2d2", "#bcbcbc", "#3a3a3a", 0, true};
    else
        return false;
    return true;
}

// Each area a shade of its own, so that a picture tells its areas apart.
QColor shade(const QColor &base, int index)
{
    const int step = 4 * index;
    return QColor(std::min(255, base.red() + step), std::min(255, base.green() + step),
                  std::min(255, base.blue() + step));
}

} // namespace

MouseScheme MousePicture::scheme(View view, const QString &look)
{
    MouseScheme made;
    Palette palette;
    if (!paletteOf(look, &palette))
        return made;
    made.bodyLight = palette.bodyLight;
    made.bodyDark = palette.bodyDark;
    const auto add = [&](int id, const QPolygon &outline, const QColor &fill) {
        made.areas.append({id, outline, fill, palette.line});
    };
    if (view == Expert) {
        made.size = QSize(MouseOutlines::expertWidth, MouseOutlines::expertHeight);
        made.body = MouseOutlines::expertBody();
        for (const MouseOutlines::ExpertArea &area : MouseOutlines::expertAreas())
            add(area.buttonId, area.outline, shade(palette.areaFill, made.areas.size()));
        return made;
    }
    made.size = QSize(MouseOutlines::simpleWidth, MouseOutlines::simpleHeight);
    made.body = MouseOutlines::simpleBody();
    // The scene adds its areas in ascending id order, the trigger pulls
    // standing for their pushes; the DPI marker lies above the picture.
    for (int id : {0, 1, 2, 3, 4, 5, 6, 7, 8, 10, 12})
        add(id, MouseOutlines::simpleOutline(id), shade(palette.areaFill, made.areas.size()));
    if (palette.tiltAndDisplay) {
        add(13, MouseOutlines::simpleOutline(13), palette.tilt);
        add(15, MouseOutlines::simpleOutline(15), shade(palette.tilt, 2));
    }
    if (palette.logoStyle >= 0)
        add(20, MouseOutlines::simpleLogoOutline(palette.logoStyle), palette.logo);
    if (palette.tiltAndDisplay)
        add(21, MouseOutlines::simpleOutline(21), palette.display);
    return made;
}

QImage MousePicture::paint(const MouseScheme &scheme)
{
    QImage image(scheme.size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF bounds = scheme.body.boundingRect();
    QLinearGradient sheen(bounds.topLeft(), bounds.bottomRight());
    sheen.setColorAt(0, scheme.bodyLight);
    sheen.setColorAt(1, scheme.bodyDark);
    painter.setPen(Qt::NoPen);
    painter.setBrush(sheen);
    painter.drawPolygon(scheme.body);
    for (const MouseArea &area : scheme.areas) {
        painter.setBrush(area.fill);
        painter.setPen(QPen(area.line, scheme.lineWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.drawPolygon(area.outline);
    }
    painter.end();
    return image.convertToFormat(QImage::Format_ARGB32);
}
