#include "ProfileRowFit.h"

namespace ProfileRowFit {

int available(const Widths &w)
{
    return w.bar - w.utilitySpacer - w.arrowSpacer - w.leftArrow - w.rightArrow - w.activeBox - w.createButton
           - w.leftMargin - w.rightMargin;
}

int needed(const QVector<int> &tileWidths)
{
    if (tileWidths.isEmpty())
        return 0;
    int sum = 0;
    for (const int width : tileWidths)
        sum += width + tileSpacing;
    return sum - tileSpacing;
}

Fit fit(const Widths &widths, const QVector<int> &tileWidths)
{
    const int room = available(widths);
    Fit result;
    result.width = needed(tileWidths);
    if (result.width > room) {
        result.arrows = true;
        result.width = room - widths.leftArrow - widths.rightArrow;
    }
    if (result.width < 0)
        result.width = 0;
    return result;
}

} // namespace ProfileRowFit
