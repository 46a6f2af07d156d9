#pragma once

#include <QString>

// The mouse's buttons by the ids the mappings carry, and their display names.
class ButtonIds
{
public:
    enum Id : int {
        LeftButton = 0,
        RightButton = 1,
        MiddleButton = 2,
        BottomThumb = 3,
        TopThumb = 4,
        FrontEdge = 5,
        RearEdge = 6,
        LeftFingertip = 7,
        RightFingertip = 8,
        LeftTriggerPush = 9,
        LeftTriggerPull = 10,
        RightTriggerPush = 11,
        RightTriggerPull = 12,
        None = 13,
    };

    // The translated name of a button id. alternative gives the name of the
    // physical control: "Scroll Wheel" for the middle button and one name
    // per trigger for its push and pull. None logs a warning; every id
    // outside 0-13 gives an empty name.
    static QString name(int id, bool alternative);
};
