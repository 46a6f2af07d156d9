#pragma once

class InputMapAction_Angle;
class InputMapAction_Force;
class InputMapAction_Movement;

// How the simple input editors turn their controls into mapping fields and
// back. Angles are tenths of a degree on a scale of 0 to 3600 on which 1800 is
// level; forces are tenths of a percent of full force.
class InputEncoding
{
public:
    // The direction combo's rows: left, right, up, down, all; stored
    // direction 6 is "all".
    static int movementIndex(int direction);
    static int movementDirection(int index);
    static void storeMovement(InputMapAction_Movement &mapping, int index, int distance, bool repeat);

    // The force in percent that the entry start stands for.
    static int forcePercent(const InputMapAction_Force &mapping);
    // Entry at the force, exit 10 % below it; the range ends stay.
    static void storeForce(InputMapAction_Force &mapping, int percent);

    // 1 for a region on the right or back side (entry start above 0), else 0.
    static int angleDirectionIndex(const InputMapAction_Angle &mapping);
    // The angle in degrees away from level the region starts at.
    static double angle(const InputMapAction_Angle &mapping);
    // A nested region: axis, side and angle all from the controls.
    static void storeChildAngle(InputMapAction_Angle &mapping, int axis, int directionIndex, double degrees);
    // A top-level region keeps its axis and side; only the angle moves.
    static void storeTopLevelAngle(InputMapAction_Angle &mapping, double degrees);
};
