#pragma once
// Looking into output rows and sequences, for their tests: the page a row
// shows, its sub-type combo, and short texts for the records a sequence
// writes.
//
//     QCOMPARE(RowDriver::pageClass(row), QString("KeyFunction"));
//     QCOMPARE(RowDriver::describe(mapping->activationOutputs), (QStringList{"A↓", "wait 120", "A↑"}));

#include "OutputActionConfig.h"

#include <QString>
#include <QStringList>

class ComboBox;
class OutputAction;
class oawidget;

namespace RowDriver {

// The row's page that is not hidden, or null.
oawidget *currentPage(const OutputAction *row);
// Its class name; empty without a page.
QString pageClass(const OutputAction *row);
// The row's sub-type combo that is not hidden, or null.
ComboBox *subTypeCombo(const OutputAction *row);
// Its current text; empty without one.
QString subType(const OutputAction *row);

// A key as its picker names it, with "↓" for a press, "↑" for a release
// and nothing for a tap; a wait as "wait <ms>"; any other record as
// "type <code>".
QString describe(const OutputPtr &record);
QStringList describe(const OutputList &records);

} // namespace RowDriver
