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

// A window that holds one page, as a row would.
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
// What the named widget shows: a combo's current text, a spin box's text, a
// line edit's text, "checked" or "unchecked" for a check box.
QString shownText(const QWidget *root, const QString &name);

} // namespace PageDriver
