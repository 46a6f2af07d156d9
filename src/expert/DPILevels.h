#pragma once

#include "DpiConfigureRecord.h"
#include "RowDrag.h"

#include <QList>
#include <QWidget>

#include <memory>

namespace Ui {
class DPILevels;
}
class DPILevel;
class MouseFunctions;
class PackageCreator;
class QFrame;

// The DPI level editor of the profile settings page: one value (single
// mode) or a list of two to ten level rows, one of them the default, with
// X and Y apart when "Separate X&Y" is checked; rows are re-ordered by
// dragging their handle. Every change the user makes is stored at once as
// the current profile's DPI record.
//
// The editor keeps the record it last loaded or stored, its profile's
// record. When a mouse connects, the sliders take the sensor's step and
// maximum and the values are shown again from that record, snapped to the
// sensor, with the model's loading flag set: nothing is stored until the
// user changes something. So a page that is not shown never writes its
// values into whichever profile is current, and a level that was above the
// old maximum comes back once a sensor that allows it connects.
class DPILevels : public QWidget
{
    Q_OBJECT

public:
    static const char *const mimeType; // "dpi/level"

    // Runs a row's drag and gives back its result; the default is
    // QDrag::exec with the move action. Tests deliver the drag events from
    // inside it. Null gives back the default.
    using DragRunner = RowDrag::Runner;
    static void setDragRunner(DragRunner runner);

    explicit DPILevels(QWidget *parent = nullptr);
    ~DPILevels() override;

    // Back to single mode without rows; stores nothing.
    void clear();
    // Fills the editor from a record (after clear()). A record without
    // levels is refused with a warning, the single value staying; any other
    // record the store would not keep is shown as the store keeps it.
    void load(const DpiConfigureRecord &record);
    // One level of 1500, stored unless the model is loading.
    void reset();

    // The level rows in list order; none in single mode.
    int rowCount() const { return rows.size(); }
    DPILevel *row(int place) const { return rows.value(place); }
    // The record the editor stands for: the one last loaded or stored.
    DpiConfigureRecord record() const { return m_record; }

public slots:
    void save();
    void dpiChanged();
    void checkBoxXY(bool checked);
    void mouseConnected();
    void createLevel();
    void addLevel();
    void deleteLevel();
    void unsetOtherDefaults();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    // Appends a new row in a frame of its own and returns the frame.
    QFrame *newLevelFrame();
    QList<QFrame *> rowFrames() const;
    void renumber();
    void startDrag();
    // The record of what the editor shows.
    DpiConfigureRecord shownRecord() const;
    // Ranges of the single slider and of every row from the sensor.
    void applyRanges();
    // Puts the values of the record, snapped, into the single edit or the
    // rows; the mode and the rows stay as they are.
    void showValues(const DpiConfigureRecord &record);
    void showSingle(int value);
    // Takes a row's frame out of the layout and deletes it once control
    // returns to the event loop (the row may be the sender).
    void discardFrame(QFrame *frame);
    // The add button is there below the most levels.
    void updateAddButton();

    std::unique_ptr<Ui::DPILevels> ui;
    PackageCreator *model;
    MouseFunctions *device;
    QList<DPILevel *> rows;
    int savedDpiY = 0;
    int frameCounter = 0;
    DpiConfigureRecord m_record;
    std::unique_ptr<RowDrag> drag;
};
