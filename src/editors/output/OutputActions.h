#pragma once

#include "InputMapActionConfig.h"
#include "OutputActionConfig.h"
#include "OutputEditTarget.h"

#include <QList>
#include <QString>
#include <QWidget>

#include <functional>
#include <memory>

namespace Ui {
class OutputActions;
}
class OutputAction;
class PackageCreator;
class QDrag;
class QMimeData;

// The editor of one output sequence: a list of OutputAction rows bound to
// one list of the model, the press or release list of a mapping or the
// current profile's own outputs. It adds, deletes, duplicates and reorders
// rows (at most maximumRows, at most one Repeat From), adds the matching
// Release when a row is set to Press, records keystrokes into rows, and
// writes the valid rows back into its list after every change.
//
// The list a sequence was bound to (setPressOutputs, setReleaseOutputs) is
// the one it reads and writes, whatever list the model was pointed at since
// by other editors; a bound mapping that is gone is written no more.
//
// While the model is loading nothing is written into it.
class OutputActions : public QWidget
{
    Q_OBJECT

public:
    // The owner's kind, as OutputAction::InputKind.
    static constexpr int maximumRows = 255;
    // The longest pause a recorded Wait holds, in milliseconds.
    static constexpr int longestRecordedWait = 65535;
    static const char *const mimeType; // "output/action"

    // Runs a row's drag and gives back its result; the default is
    // QDrag::exec with the move action. Tests deliver the drop events from
    // inside it. Null gives back the default.
    using DragRunner = std::function<Qt::DropAction(QDrag *drag)>;
    static void setDragRunner(DragRunner runner);
    // The milliseconds a recording measures its pauses by (monotonic); null
    // gives back the steady clock. For tests.
    using Clock = std::function<qint64()>;
    static void setClock(Clock clock);

    OutputActions(int inputKind, int axis, QWidget *parent = nullptr);
    ~OutputActions() override;

    // Adds a fresh row at the end; refused with a message at maximumRows.
    bool addAction();
    // Binds the sequence to a mapping's press (activation) or release
    // (deactivation) list and loads it. The caller sets the model's loading
    // flag around it.
    void setPressOutputs(OutputList *list, InputMapActionConfig *mapping);
    void setReleaseOutputs(OutputList *list, InputMapActionConfig *mapping);
    // Adds a row for every record of the bound list (a settings list: of the
    // current profile's outputs), or one fresh row for an empty list; the
    // action name is the mapping's. Callers empty the rows first.
    void reload();
    // Deletes every row; the model is untouched.
    void removeAll();
    // removeAll(), then, unless the model is loading, stores an empty list.
    void clearOutputs();
    // Deletes the rows that are invalid, then brings a visible list up to date.
    void refresh();
    // A row with a type, or two rows or more.
    bool hasOutputs() const;
    QString name() const { return m_name; }
    void setName(const QString &name) { m_name = name; }
    // Stores "RecordWaits" in the settings file and records waits from now on.
    void setRecordWaits(bool on);
    // Starts (below maximumRows) or ends a keystroke recording; ending saves.
    void setRecording(bool on);
    bool isRecording() const { return recording; }
    // Every go-to-profile row refills its profile list.
    void updateProfileLists();

    // The rows in their order on screen.
    int rowCount() const { return rows.size(); }
    OutputAction *row(int place) const;

public slots:
    // A mapping list without rows gets a fresh one; every row is shown and
    // brought up to date except the rows the connected model cannot perform;
    // then the list itself is shown.
    void show();
    void save();
    // The slots of the rows' requests; the row is the sender.
    void deleteAction();
    void duplicateAction();
    void releaseAction();
    void autoReleaseAdd();
    void checkOutputs(int type);
    // A key seen while recording: a Windows virtual-key code from the hooks,
    // or a Qt key code from the program's own windows.
    void keyHooked(int key, bool isPress);
    void keyRecorded(int key, bool isPress);

signals:
    // True when every row has a type and none is invalid.
    void enableAdd(bool state);
    void outputActionAdded();
    // After every save.
    void sync();

protected:
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dragLeaveEvent(QDragLeaveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    bool isMappingList() const;
    QList<OutputAction *> orderedRows() const;
    bool allRowsValid() const;
    // Points the model at the bound list; false when there is none (or its
    // mapping is gone).
    bool editBoundList() const;
    void bind(OutputList *list, InputMapActionConfig *mapping, bool activation);
    void renumber();
    // Takes the row out of the list and the layout, cuts it off and deletes
    // it once control returns to the event loop (it may be the sender).
    void discardRow(OutputAction *row);
    void deleteRow(OutputAction *row);
    // A new row at the end that loads record; false when it was refused.
    bool appendLoaded(const OutputPtr &record);
    void record(int key, bool isPress, int source);
    // Adds a recorded record; false when it was refused or the recording
    // ended at the row limit.
    bool appendRecorded(const OutputPtr &record);
    bool lastRowPresses(const OutputPtr &key) const;
    void startDrag();
    bool acceptsDrag(const QMimeData *data) const;
    OutputAction *rowUnder(const QPoint &position) const;
    void showLimitMessage(const QString &text);

    std::unique_ptr<Ui::OutputActions> ui;
    const int inputKind;
    const int axis;
    QList<OutputAction *> rows;
    OutputAction *placeholder;
    QList<int> heldKeys;
    qint64 stopwatchStart = -1; // -1: not running
    bool recordWaits = false;
    bool recording = false;
    int dropIndex = 0;
    PackageCreator *model;
    QString m_name;
    OutputEditTarget bound;
    bool hasBoundList = false;
    bool boundToActivation = true;
};
