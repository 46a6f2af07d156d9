#include "StripLayout.h"

namespace StripLayout {

int fixedWidth(int globalTab, int spacing, int addButton, int rightArrow, int leftArrow)
{
    return globalTab + 6 * spacing + addButton + rightArrow + leftArrow + 12;
}

Tabs measureTabs(const QVector<int> &tabWidths, int spacing)
{
    Tabs tabs;
    if (tabWidths.isEmpty())
        return tabs;
    int total = 0;
    for (int width : tabWidths)
        total += width;
    tabs.stepWidth = total / tabWidths.size();
    tabs.neededWidth = total + spacing * (tabWidths.size() - 1);
    return tabs;
}

bool arrowsNeeded(int stripWidth, int fixed, int needed)
{
    return stripWidth - fixed < needed;
}

int scrollAreaWidth(int stripWidth, int fixed, int needed)
{
    return arrowsNeeded(stripWidth, fixed, needed) ? stripWidth - fixed : needed;
}

Arrows arrowsAt(int value, int minimum, int maximum)
{
    return {value > minimum, value < maximum};
}

} // namespace StripLayout
