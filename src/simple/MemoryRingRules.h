#pragma once
// What the memory ring draws, from the percentage and the connected model:
// its text, the value arc's span and the colours.

#include <QColor>
#include <QString>

namespace MemoryRingRules {

struct Colours
{
    QColor track;
    QColor value;
    QColor over; // the value arc's colour above 100 %
};

// The percentage rounded up to a whole number, with "%": 42.1 gives "43%".
QString percentText(double percent);
// The value arc's span in sixteenths of a degree, clockwise (negative) from
// the top: 100 % is a full circle.
int arcSpan(double percent);
// The colours of the connected model's look.
Colours colours(int productId);
// The colour of the value arc.
QColor arcColour(double percent, int productId);

} // namespace MemoryRingRules
