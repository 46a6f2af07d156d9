#pragma once

#include "OutputActionConfig.h"
#include "BigEndian16.h"

#include <QByteArray>
#include <QStringList>

// Key (30), media key (31) and text (32) outputs.
//
// The class also holds the process-wide key tables: the names of the keys the
// pickers offer, one list per key group plus the media keys, and the maps
// that turn a key code seen while recording keystrokes into a HID usage. The
// tables are filled once, by the first record constructed, and never change.
class OutputAction_Keyboard : public OutputActionOf<OutputAction_Keyboard>
{
    Q_DECLARE_TR_FUNCTIONS(OutputAction_Keyboard)

public:
    // The family of a recorded key code.
    enum KeyCodeSource {
        QtKeyCode = 0,      // typed into a window of the program
        VirtualKeyCode = 1, // seen by the keyboard hook, as a Windows virtual-key code
    };
    static constexpr int mediaGroup = 6; // index of the media names beside the key groups 1 to 5

    explicit OutputAction_Keyboard(int typeCode = 0);

    bool equals(const OutputActionConfig &other) const override;
    QString descriptionText() const override;

    // Sets the key from a recorded key code: the maps of the source's family
    // are searched group 1 to 5, then media. A key sets keyGroup and keyUsage;
    // a media key sets typeCode 31 and mediaUsage. False (record unchanged)
    // for a code no map knows.
    bool setFromKeyCode(int key, int source);
    // Derives keyGroup from keyUsage; left as it is for a usage of no group.
    void updateKeyGroup();

    // The names of a key group (1 to 5) or of the media keys (mediaGroup), in
    // picker order; an empty list for any other group.
    static const QStringList &keyNames(int group);
    // The position of a keyboard usage in its group's names, or -1.
    static int keyNameIndex(int group, int usage);
    // The keyboard usage at a position of a group's names, or -1.
    static int keyUsageAt(int group, int index);
    // The same for the media names and consumer usages (low byte).
    static int mediaNameIndex(int usage);
    static int mediaUsageAt(int index);

    int keyGroup = 0;       // 1 letters and digits, 2 symbols, 3 modifiers and actions, 4 function keys, 5 keypad
    quint8 keyUsage = 0;    // HID keyboard usage
    BigEndian16 mediaUsage; // HID consumer usage
    int buttonState = 0;    // 0 release, 1 tap, 2 press
    QByteArray keyString;   // Latin-1 text, one byte per character
};
