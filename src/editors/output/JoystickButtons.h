#pragma once

#include "oawidget.h"

// A joystick button 1 to 32 (output type 51), Tap, Press or Release. The
// page makes its record at its first save.
class JoystickButtons : public oawidget
{
    Q_OBJECT

public:
    static constexpr int buttonCount = 32;

    explicit JoystickButtons(QWidget *parent = nullptr);

    void load(const OutputPtr &record) override;
    void ensureConfig() override;

    // The button combo's row (-1 when none is selected) and the mode combo's
    // row (0 Tap, 1 Press, 2 Release): the row compares them to tell whether
    // it releases another row's button.
    int buttonIndex() const;
    int modeIndex() const;

public slots:
    void save() override;

private:
    ComboBox *buttonCombo;
    ComboBox *modeCombo;
};
