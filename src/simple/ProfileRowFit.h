#pragma once
// How wide the profile bar's row of tiles may be, and whether it needs its
// arrows: the sums behind ProfileArea::updateScrollArea.

#include <QVector>

namespace ProfileRowFit {

// Gap between two tiles of the row.
inline constexpr int tileSpacing = 5;

// The current widths of what shares the bar with the row.
struct Widths
{
    int bar = 0;
    int utilitySpacer = 0; // the 12-pixel spacer before Create and Manage
    int arrowSpacer = 0;   // the 24-pixel spacer before the left arrow
    int leftArrow = 0;
    int rightArrow = 0;
    int activeBox = 0;
    int createButton = 0;
    int leftMargin = 0;
    int rightMargin = 0;
};

struct Fit
{
    bool arrows = false; // show both arrows and give up the arrow spacer
    int width = 0;       // the row's fixed width; 0 leaves it as it is
};

// What is left for the row.
int available(const Widths &widths);
// The row's width for tiles of these widths; 0 for none.
int needed(const QVector<int> &tileWidths);
// When the tiles do not fit, the row takes what is left beside the arrows.
Fit fit(const Widths &widths, const QVector<int> &tileWidths);

} // namespace ProfileRowFit
