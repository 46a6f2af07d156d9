#pragma once

#include "oawidget.h"

// The base of the key pickers: a key of one family (output type 30) or a
// media key (type 31), pressed as Tap, Press or Release. The key names and
// the usage of each come from the key tables of OutputAction_Keyboard, by the
// picker's group: 1 letters and digits, 2 symbols, 3 modifiers and actions,
// 4 function keys, 5 keypad, OutputAction_Keyboard::mediaGroup media keys.
//
// A stored usage the picker does not list selects no key; the page then
// keeps that usage and writes only the mode.
class KeyBase : public oawidget
{
    Q_OBJECT

public:
    void load(const OutputPtr &record) override;
    void ensureConfig() override;

    // Selects the key at keyIndex, then Release; each change saves, so the
    // record ends as the release of that key.
    void setRelease(int keyIndex);
    // The key combo's row (-1 when no key is selected) and the mode combo's
    // row (0 Tap, 1 Press, 2 Release): the row compares them to tell whether
    // it releases another row's key.
    int keyIndex() const;
    int modeIndex() const;

public slots:
    void save() override;

protected:
    // Builds the combos for the group and saves the start state: its first
    // key with Tap.
    explicit KeyBase(int group, QWidget *parent = nullptr);

private:
    bool isMedia() const;

    const int group;
    ComboBox *keyCombo;
    ComboBox *modeCombo;
};
