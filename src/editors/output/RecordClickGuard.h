#pragma once
// Tells apart the clicks on a record button. While a recording runs, the
// press of a click on the button also reaches the keystroke hook, which stops
// the recording; the click that follows must not start a new one. The hook
// and the button learn of that click on separate paths, in either order, so
// a click only stops when its press came while recording or shortly after
// the hook stopped.

#include <QObject>
#include <QTimer>

class RecordClickGuard : public QObject
{
    Q_OBJECT

public:
    // How long after the hook's stop a press still belongs to the click that
    // stopped.
    static constexpr int sameClickMs = 500;

    explicit RecordClickGuard(QObject *parent = nullptr);

    // The button was pressed; recording tells whether a recording runs.
    void pressed(bool recording);
    // The button was clicked: true when the click toggles the recording,
    // false when it only stops it (the caller stops a recording that still
    // runs).
    bool clickToggles();
    // The hook ended the recording.
    void hookStopped();

private:
    QTimer m_stoppedByHook;
    bool m_clickOnlyStops = false;
};
