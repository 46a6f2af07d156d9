#pragma once
// A small input icon beside a label of the simple scene (push, pull, tilt,
// scroll, Force Press), drawn in the connected model's colours.

#include "PixmapObject.h"

#include <QString>

class IconPixObject : public PixmapObject
{
    Q_OBJECT

public:
    enum IconType {
        ForcePress = 0,
        ScrollForward = 1,
        ScrollBack = 2,
        Pull = 3,
        Push = 4,
        TiltLeft = 5,
        TiltRight = 6,
        TiltForward = 7,
        TiltBack = 8,
    };

    // A new, parentless icon in no scene, for the connected model (the last
    // one while none is connected).
    static IconPixObject *create(int iconType, bool highlighted);
    // The picture of a kind: white when highlighted, else pink on model 20
    // and grey on the others. Empty for a kind the model has no picture of
    // (the tilts on models 10 and 20) and for an unknown kind.
    static QString picturePath(int iconType, bool highlighted, int modelCode);

    int iconType() const { return m_iconType; }
    QString picturePath() const { return m_picturePath; }

private:
    IconPixObject() = default;

    int m_iconType = -1;
    QString m_picturePath;
};
