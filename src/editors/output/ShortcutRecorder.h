#pragma once
// The key handling of a shortcut recording, without widgets: which keys are
// held, and a key record for each press and release, in order. A held key
// that repeats is recorded once; a key the key tables do not know is tracked
// as held but yields no record, since it would press nothing.
//
// The held keys are one list for the whole process (one recording runs at a
// time); start() empties it, so a key left down when the last recording
// ended counts as new.

#include "OutputActionConfig.h"

class ShortcutRecorder
{
public:
    enum class Step {
        Repeat,   // a press of a key already held: nothing recorded
        Pressed,  // a new press
        Released, // a release, also of a key pressed before the recording
    };

    // Forgets the records and the held keys.
    void start();
    // One key event, with its code family (OutputAction_Keyboard::KeyCodeSource).
    Step key(int key, bool isPress, int source);
    // Some key is still down.
    static bool keysHeld();

    const OutputList &records() const { return m_records; }
    // The records of presses, and of releases.
    OutputList presses() const { return withState(true); }
    OutputList releases() const { return withState(false); }

private:
    OutputList withState(bool pressed) const;

    OutputList m_records;
};
