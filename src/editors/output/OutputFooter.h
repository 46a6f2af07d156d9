#pragma once

#include <QTimer>
#include <QWidget>

#include <memory>

namespace Ui {
class OutputFooter;
}
class InputHook;
class QLabel;

// The footer under an output sequence: adds rows, starts and stops the
// recording of keystrokes through its own InputHook (a left click anywhere
// stops it too), switches the recording of waits, offers blocking further
// outputs and leads back. It only emits signals; the owner connects them to
// its sequence (startRecord to OutputActions::setRecording, keyHooked and
// keyRecorded to the sequence's slots, setWait to setRecordWaits).
class OutputFooter : public QWidget
{
    Q_OBJECT

public:
    explicit OutputFooter(QWidget *parent = nullptr);
    // Stops the hook when a recording runs.
    ~OutputFooter() override;

    // visibility 0 hides "Block further outputs", 1 shows it, any other
    // value leaves it; blocked checks it. Then "Record waits" takes the
    // stored "RecordWaits" and setWait follows.
    void setBlockOption(int visibility, bool blocked);
    bool isRecording() const { return recording; }

public slots:
    // Shows or hides "+ Add output action", unless a recording runs.
    void enableAdd(bool state);
    void enableWait(bool state);
    void startStopRecording();

signals:
    void add();
    void back();
    void setBlocked(bool state);
    void setWait(bool state);
    void startRecord(bool state);
    void keyRecorded(int key, bool isPress);
    void keyHooked(long key, bool isPress);

private slots:
    // The application's way back, connected by name.
    void navigateBack();

private:
    void recordPressed();
    void recordClicked();
    void hookStopped();

    std::unique_ptr<Ui::OutputFooter> ui;
    QLabel *stopHint;
    bool recording = false;
    std::unique_ptr<InputHook> hook;
    // Runs for a moment after a click stopped the recording through the
    // hook: that click's press still reaches the record button, and its
    // release must not start a new recording.
    QTimer stoppedByClick;
    bool clickOnlyStops = false;
};
