#pragma once
// Driving output pages as a user would, for their tests under the offscreen
// platform: a page shown in a window of its own, pop-up rows of its combos
// picked with the mouse, numbers typed and the edit finished with Return.
//
//     PageHost host(new MouseScroll);
//     QVERIFY(host.show());
//     QVERIFY(PageDriver::pickItem(host.page, "directionCombo", "Up"));
//     QVERIFY(PageDriver::typeAndFinish(host.page, "unitsSpin", "3"));

#include "oawidget.h"

#include <QString>
#include <QStringList>
#include <QWidget>

class ComboBox;
class RangeSlider;

// A window that holds one page, as a row would: the page on the first line,
// its second line (extraRowWidget) under it.
struct PageHost
{
    QWidget window;
    oawidget *page;

    explicit PageHost(oawidget *page);
    bool show();
};

namespace PageDriver {

// Opens the named combo's pop-up with a click and clicks the row of the
// combo's item with that text (scrolling the list to it first). False when
// there is no such combo or item, or the pop-up does not open.
bool pickItem(const QWidget *root, const QString &comboName, const QString &itemText);
// The same for a pop-up row given by its position.
bool pickPopupRow(const QWidget *root, const QString &comboName, int row);
// The rows of the combo's pop-up as the user sees them when opening it, and
// the row that carries the check (-1 none); the pop-up is closed again.
QStringList popupTexts(ComboBox *combo, int *checkedRow = nullptr);
// Types text into the named widget, replacing what it holds, then presses
// Return so the edit is finished.
bool typeAndFinish(const QWidget *root, const QString &name, const QString &text);
// Pastes text into the named widget from the clipboard (Ctrl+V), replacing
// what it holds.
bool paste(const QWidget *root, const QString &name, const QString &text);
// Drags a handle of the named range slider (the upper one with upper) with
// the left button from where it is to where value would put it; the slider
// maps the drop point back to a value of its own. False when there is no
// such visible slider.
bool dragHandle(const QWidget *root, const QString &sliderName, bool upper, int value);
// Turns the mouse wheel over the named widget by steps notches (positive
// away from the user). False when there is no such widget.
bool turnWheel(const QWidget *root, const QString &name, int steps);
// What the named widget shows: a combo's current text, a spin box's text, a
// line edit's or a label's text, "checked" or "unchecked" for a check box, a slider's
// value, a range slider's two values ("200 800").
QString shownText(const QWidget *root, const QString &name);

} // namespace PageDriver
