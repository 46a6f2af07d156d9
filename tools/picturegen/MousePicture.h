#pragma once
// The mouse pictures of both views, drawn from the button outlines the views
// lay over them (MouseOutlines): the silhouette, then each area filled and
// outlined in the order the view stacks its click areas, so the area drawn
// at a pixel is the area a click there selects.

#include <QColor>
#include <QImage>
#include <QPolygon>
#include <QSize>
#include <QString>
#include <QVector>

struct MouseArea
{
    int id;           // the button id of the expert areas, the scene id of the simple ones
    QPolygon outline; // as the view's click area has it
    QColor fill;      // opaque, one colour per area of a picture
    QColor line;      // the outline drawn over the area's edge
};

struct MouseScheme
{
    QSize size;
    QPolygon body;
    QColor bodyLight; // the silhouette's gradient, top left to bottom right
    QColor bodyDark;
    QVector<MouseArea> areas; // stacking order: a later area lies above
    int lineWidth = 3;
};

class MousePicture
{
public:
    enum View { Expert, Simple };

    // The looks: "v", "v2", "pelkin", "tamsel", and "none" (grey, no mouse
    // connected). An unknown look gives a scheme without areas.
    static MouseScheme scheme(View view, const QString &look);
    static QImage paint(const MouseScheme &scheme);
};
