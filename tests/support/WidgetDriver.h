#pragma once
// Driving widgets as a user would, for widget tests under the offscreen
// platform: find a child by its object name, click it, type into it, and
// grab a widget to a PNG file to look at.
//
//     QVERIFY(WidgetDriver::typeInto(dialog, "nameEdit", "Work"));
//     QVERIFY(WidgetDriver::click(dialog, "okButton"));
//     const QString picture = WidgetDriver::grabToPng(window, "profile-list");
//     QVERIFY(!picture.isEmpty());

#include <QModelIndex>
#include <QString>
#include <QWidget>

class QLabel;
class QTreeView;

namespace WidgetDriver {

// The descendant of root with that object name (and class W), or null.
template<class W = QWidget>
W *child(const QWidget *root, const QString &objectName)
{
    return root ? root->findChild<W *>(objectName) : nullptr;
}

// A left click in the middle of the named descendant. False (and nothing
// clicked) when there is none, or it is hidden or disabled, as a user could
// not click it either.
bool click(const QWidget *root, const QString &objectName);
// A left click in the middle of the first visible push button below root
// showing that text; false when there is none.
bool clickText(const QWidget *root, const QString &text);
// Gives the named descendant the keyboard focus and types text into it; with
// replace, selects what it holds first (Ctrl+A) so the text replaces it.
// False when there is no such visible, enabled descendant.
bool typeInto(const QWidget *root, const QString &objectName, const QString &text, bool replace = true);

// The row of the tree with that text among the rows a user sees (expanded
// parents, rows not hidden), searched below parent; invalid when none.
QModelIndex shownTreeRow(const QTreeView *tree, const QString &text, const QModelIndex &parent = QModelIndex());
// Clicks that shown row in its middle, or with onArrow the branch arrow in
// front of it; false when no such row is shown.
bool clickTreeRow(QTreeView *tree, const QString &text, bool onArrow = false);

// What a user reads on the label: its text, rendered first where the label
// takes it as rich text (set so, or left to guess and the text looks so).
QString shownText(const QLabel *label);
// What a user reads on a button, check box or menu entry of that text: "&&"
// shows one '&', a lone '&' marks the shortcut key and is not shown.
QString shownButtonText(const QString &text);

// The folder of this test's pictures: "<executable>-output" beside the test
// executable, made when missing.
QString outputFolder();
// Renders widget into outputFolder()/<name>.png and returns the file's path;
// empty when it could not be written.
QString grabToPng(QWidget *widget, const QString &name);

} // namespace WidgetDriver
