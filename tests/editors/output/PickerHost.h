#pragma once
// Output pickers for their tests, on the action library of a small fixture:
// the simple view's bar inside a graphics view (at the top of the scene, or
// at its bottom where the popup has no room below), the expert view's bar in
// a window of its own. The popup is opened and its entries clicked as a user
// would.

#include "ComboTree.h"
#include "ComboTreeView.h"
#include "LibraryEntry.h"
#include "OutputBar.h"

#include <QByteArray>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QStandardItemModel>
#include <QStringList>
#include <QWidget>

#include <memory>

class QGraphicsProxyWidget;

// The library file the fixture's program folder holds: groups with
// sub-groups, an entry with nested entries and a group of 25 letters.
QByteArray pickerLibraryFile();

struct PickerHost
{
    enum Place { SimpleTop, SimpleBottom, Expert };

    PickerHost(InputMapActionConfig *mapping, Place place);
    ~PickerHost();

    bool show();
    ComboTree *combo() const { return bar->comboTree(); }
    ComboTreeView *tree() const { return combo()->treeView(); }
    QWidget *popup() const;
    // The widget the popup's keys go to: the tree, or the popup while it
    // says "No items found".
    QWidget *keyTarget() const;
    // Clicks the combo (through the graphics view in the simple view); true
    // when the popup is open then.
    bool openPopup();
    // Clicks the shown row with that text; false when there is none.
    bool clickRow(const QString &text);
    // Clicks the branch arrow of the shown row with that text, which opens
    // or closes it.
    bool clickArrow(const QString &text);
    // The texts of the rows the user sees, top to bottom.
    QStringList shownRows() const;
    // The combo's top and bottom edges, and the popup's, on the screen (or
    // in the view's scene, for the simple view).
    QRect comboRect() const;
    QRect popupRect() const;
    // What to grab for a picture: the view, or the window.
    QWidget *picture() const;

    const bool simple;
    QStandardItemModel library;
    LibraryEntryList entries;
    std::unique_ptr<QGraphicsScene> scene;
    std::unique_ptr<QGraphicsView> view;
    std::unique_ptr<QWidget> window; // the expert view's
    QWidget *page = nullptr;         // holds the bar
    QGraphicsProxyWidget *proxy = nullptr;
    OutputBar *bar = nullptr;
};
