#include "InputEncoding.h"

#include "InputMapAction_Angle.h"
#include "InputMapAction_Force.h"
#include "InputMapAction_Movement.h"

#include <QtGlobal>

namespace {

constexpr int level = 1800;
constexpr int fullTurn = 3600;
constexpr int allDirections = 6;
constexpr int allIndex = 4;

// The exact tenths of the control's double, with the bounds truncated toward
// zero: the double nearest 2.3 lies below it, so 2.3 degrees is 22.99...
// tenths and gives 1822, not 1823, while 1.2 lies above and gives 1788.
long double tenths(double degrees)
{
    return static_cast<long double>(degrees) * 10;
}

int aboveLevel(double degrees)
{
    return int(level + tenths(degrees));
}

int belowLevel(double degrees)
{
    return int(level - tenths(degrees));
}

// The exit lies a tenth of the angle back, at least half a degree.
int hysteresis(double degrees)
{
    return qMax(5, int(degrees));
}

quint16 bound(int value)
{
    return quint16(qBound(0, value, fullTurn));
}

} // namespace

int InputEncoding::movementIndex(int direction)
{
    return direction >= 0 && direction < 5 ? direction : allIndex;
}

int InputEncoding::movementDirection(int index)
{
    return index == allIndex ? allDirections : index;
}

void InputEncoding::storeMovement(InputMapAction_Movement &mapping, int index, int distance, bool repeat)
{
    mapping.direction = movementDirection(index);
    mapping.countDivisor.setValue(distance);
    mapping.repeat = repeat ? 1 : 0;
}

int InputEncoding::forcePercent(const InputMapAction_Force &mapping)
{
    return mapping.entryStart / 10;
}

void InputEncoding::storeForce(InputMapAction_Force &mapping, int percent)
{
    mapping.entryStart = quint16(qMax(0, percent * 10));
    mapping.exitStart = quint16(qMax(0, percent * 10 - 100));
}

int InputEncoding::angleDirectionIndex(const InputMapAction_Angle &mapping)
{
    return mapping.entryStart != 0 ? 1 : 0;
}

double InputEncoding::angle(const InputMapAction_Angle &mapping)
{
    if (mapping.entryStart != 0)
        return (int(mapping.entryStart) - level) / 10.0;
    return qAbs(int(mapping.entryEnd) - level) / 10.0;
}

void InputEncoding::storeChildAngle(InputMapAction_Angle &mapping, int axis, int directionIndex, double degrees)
{
    mapping.axis = axis;
    const int h = hysteresis(degrees);
    if (directionIndex == 1) {
        mapping.entryStart = bound(aboveLevel(degrees));
        mapping.entryEnd = fullTurn;
        mapping.exitStart = bound(mapping.entryStart - h);
        mapping.exitEnd = fullTurn;
    } else {
        mapping.entryStart = 0;
        mapping.entryEnd = bound(belowLevel(degrees));
        mapping.exitStart = 0;
        mapping.exitEnd = bound(mapping.entryEnd + h);
    }
}

void InputEncoding::storeTopLevelAngle(InputMapAction_Angle &mapping, double degrees)
{
    const int h = hysteresis(degrees);
    if (mapping.entryStart != 0) {
        mapping.entryStart = bound(aboveLevel(degrees));
        mapping.exitStart = bound(mapping.entryStart - h);
    } else {
        mapping.entryEnd = bound(belowLevel(degrees));
        mapping.exitEnd = bound(mapping.entryEnd + h);
    }
}
