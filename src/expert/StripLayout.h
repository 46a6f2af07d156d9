#pragma once
// The arithmetic of the expert view's profile tab strip, without widgets:
// how wide its fixed parts are, how far one scroll step goes, whether the
// arrows are needed and which of them can be pressed.

#include <QVector>

namespace StripLayout {

// The Global tab, the spacing six times, the add and both arrow buttons and
// 12 pixels of margin.
int fixedWidth(int globalTab, int spacing, int addButton, int rightArrow, int leftArrow);

struct Tabs
{
    int stepWidth = 0;   // the tabs' average width, one scroll step
    int neededWidth = 0; // all tabs with the spacing between them
};
// With no tabs both are 0; stepWidth is then left as it was by the caller.
Tabs measureTabs(const QVector<int> &tabWidths, int spacing);

// The arrows are shown when the tabs do not fit beside the fixed parts.
bool arrowsNeeded(int stripWidth, int fixed, int needed);
// The width the tabs' scroll area gets.
int scrollAreaWidth(int stripWidth, int fixed, int needed);

struct Arrows
{
    bool leftEnabled = true;
    bool rightEnabled = true;
};
// Left is disabled at the scroll bar's minimum, right at its maximum.
Arrows arrowsAt(int value, int minimum, int maximum);

} // namespace StripLayout
