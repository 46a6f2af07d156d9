#pragma once
// The outlines of the mouse pictures, drawn once: the scene items lay their
// click areas over the pictures with them, and the picture generator paints
// the pictures from them, so a drawn button and its click area coincide.
// Plain QtGui data, nothing else: the generator compiles this source alone.
//
// Two coordinate systems: the expert pictures (885 x 1091 pixels, the expert
// view's mouse image) and the simple pictures (1308 x 1008 pixels, the simple
// view's scene, which also uses points above the picture for the DPI marker).

#include <QPainterPath>
#include <QPolygon>
#include <QPolygonF>
#include <QVector>

namespace MouseOutlines {

constexpr int expertWidth = 885;
constexpr int expertHeight = 1091;
constexpr int simpleWidth = 1308;
constexpr int simpleHeight = 1008;

// One clickable button of the expert picture.
struct ExpertArea
{
    int buttonId;     // the mouse's button id
    const char *name; // the button's display name
    QPolygon outline; // closed: the last vertex repeats the first
};

// The eleven button areas of the expert picture in stacking order: a later
// area lies above the earlier ones and takes the clicks where they overlap.
// The trigger pulls (10, 12) have no area of their own: each trigger has one,
// with the id of its push.
QVector<ExpertArea> expertAreas();

// The logo of model 5: three light shapes, and the nine zones whose outlines
// show the logo colour.
QVector<QPolygonF> vLogoBack();
QVector<QPolygonF> vLogoZones();
// The filled logos of models 30 and 20.
QPainterPath v2LogoPath();
QPainterPath pelkinLogoPath();

// The button areas of the simple scene by scene id: 0 to 16 (9/10, 11/12,
// 13/14 and 15/16 share one), 19 (the DPI marker) and 21 (the OLED display).
// Empty for every other id, the logo (20) included.
QPolygon simpleOutline(int id);
// The logo area of the simple scene for a style type (0 to 3); empty for
// any other.
QPolygon simpleLogoOutline(int styleType);

// The mouse's silhouette behind the buttons, for drawing the pictures only.
QPolygon expertBody();
QPolygon simpleBody();

} // namespace MouseOutlines
