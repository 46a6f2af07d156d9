#include "LayerFitting.h"

namespace {

constexpr int rowHeight = 50;
// What the quick editor's top row and margins take, and what each top-level
// row with its "Add Input" button takes.
constexpr int reserved = 115;
constexpr int topRowHeight = 80;
constexpr int shrinkable = 200;

} // namespace

QList<int> LayerFitting::scrollAreaHeights(int parentHeight, int topRows, int childRows, const QList<int> &rowsPerArea)
{
    int wanted = rowHeight * childRows;
    const int available = parentHeight - reserved - topRowHeight * topRows;
    QList<int> heights;
    heights.reserve(rowsPerArea.size());
    for (int rows : rowsPerArea)
        heights << rowHeight * rows;

    if (wanted <= shrinkable || available <= 0 || available >= wanted)
        return heights;
    bool done = false;
    while (!done && available < wanted) {
        bool shrunk = false;
        for (int i = heights.size() - 1; i >= 0 && !done; --i) {
            if (heights.at(i) < shrinkable)
                continue;
            shrunk = true;
            const int excess = wanted - available;
            heights[i] -= rowHeight;
            if (excess < rowHeight)
                done = true;
            else
                wanted -= rowHeight;
        }
        if (!shrunk)
            break;
    }
    return heights;
}
