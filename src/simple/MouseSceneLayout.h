#pragma once
// The fixed layout of the simple view's mouse picture, as data: the scene ids,
// where each label hangs and where its callout points, which ids are shown
// together, and what each model's look shows (picture, line colour, labels,
// button outlines).
//
// Every simple-mode mouse picture has the size of the no-mouse picture; the
// labels on the right hang 90 units past its right edge.

#include <QColor>
#include <QList>
#include <QPoint>
#include <QString>

namespace MouseSceneLayout {

// One number per clickable thing of the picture.
enum SceneId : int {
    LeftButton = 0,
    RightButton = 1,
    MiddleButton = 2,
    LeftTriggerPush = 9,
    LeftTriggerPull = 10,
    RightTriggerPush = 11,
    RightTriggerPull = 12,
    RollLeft = 13,  // tilt region of axis 0 whose entry starts at 0
    RollRight = 14, // ... whose entry starts above 0
    PitchForward = 15,
    PitchBack = 16,
    ScrollForward = 17,
    ScrollBack = 18,
    Dpi = 19,
    Logo = 20,
    Oled = 21,
    NoId = 22,
    LastInput = PitchBack, // the ids up to here show mappings
};

// The looks, in the order of the style types of the scene items.
enum Scheme : int { SchemeV = 0, SchemePelkin = 1, SchemeTamsel = 2, SchemeV2 = 3 };

// Label point, elbow (at the label's height) and target on the picture, in
// scene units.
struct CalloutAnchor
{
    int id;
    QPoint label;
    int elbowX;
    QPoint target;
};

inline const QString noMousePicture = QStringLiteral(":/pic/simple_mode/no_mouse.png");

// The anchors of the labelled ids in the order they are made, for a picture
// pictureWidth units wide.
QList<CalloutAnchor> anchors(int pictureWidth);

// The ids shown with id's label, line and outline, in the order their lines
// follow the id's own (2: both scroll directions; 10: 9; 12: 11; 13: 14;
// 15: 16); empty for the others.
QList<int> partners(int id);

// The DPI read-out has no anchor: the marker stands at dpiPosition and its
// callout is a plain line from there to dpiLineEnd.
inline constexpr QPoint dpiPosition{670, 28};
inline constexpr QPoint dpiLineEnd{780, 28};

struct SchemeLook
{
    QString picture; // while a mouse is connected
    QColor lineColour;
    bool showsLogo;         // label, line and outline of the logo
    bool showsOledAndTilts; // those of the OLED and both tilt axes
    QString modelKey;
};

// The look of a scheme; an unknown one looks like SchemeV.
SchemeLook look(int scheme);

// The button outlines a scheme has, in the order they are made.
QList<int> outlineOrder(int scheme);

// The scheme of a product id: 10 tamsel, 20 pelkin, 30 v2, anything else
// (no mouse included) v.
int colourScheme(int productId);

} // namespace MouseSceneLayout
