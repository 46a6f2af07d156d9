#pragma once

#include <QList>

// The heights of the action layers' scroll areas, one per top-level mapping.
// Every row takes 50 pixels; when the nested rows do not fit under the
// parent's height, the tallest areas give up 50 at a time, the last area
// first, and none below 150.
class LayerFitting
{
public:
    // parentHeight: the height of the page's parent; topRows and childRows:
    // the rows at depth 0 and deeper; rowsPerArea: the rows in each area, in
    // order. Returns one height per area.
    static QList<int> scrollAreaHeights(int parentHeight, int topRows, int childRows, const QList<int> &rowsPerArea);
};
