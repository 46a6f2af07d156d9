#pragma once

#include "MouseCapabilities.h"
#include "oawidget.h"

#include <QPointer>

class ProfileData;
class QLabel;
class QSlider;

// The DPI (output type 92): set a value, step it up or down by an increment,
// go to one of the edited profile's DPI levels, or to the next or previous
// level. A fresh page holds "Set DPI Value" 1500.
//
// The DPI step and maximum are those of the sensor connected when the page
// is made. A typed value snaps to the step and into [step, maximum] when the
// edit finishes; a loaded value above the maximum still shows in the box and
// is kept until the user edits it. A loaded value the combos cannot show (an
// increment the combo lacks, a level past the profile's levels, a selection
// the page does not offer) selects no row and is kept until the user
// chooses one.
class TrackingDpi : public oawidget
{
    Q_OBJECT

public:
    // Mode combo rows.
    enum Mode { SetValue = 0, Increase, Decrease, SetLevel, NextLevel, PreviousLevel };
    // The DPI box takes up to five digits, so that a typed value above the
    // sensor's maximum can be brought down to it.
    static constexpr int maximumTyped = 99999;

    explicit TrackingDpi(QWidget *parent = nullptr);

    // Refreshes the level list, then shows the page.
    void show() override;
    void load(const OutputPtr &record) override;
    void ensureConfig() override;

public slots:
    void save() override;
    // Offers the levels "1" to N of the edited profile's DPI settings (N at
    // least 1), keeping the selected row; a row past the new end selects none.
    void updateDpiLevelNumber();

protected:
    // Keeps the wheel off the DPI slider and box.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // What made the page save: the user's change of a control, or a call.
    enum Source { Call, ModeCombo, ValueSpin, ValueSlider, OtherCombo };
    void saveFrom(Source source);
    void showValueWidgets(int mode);

    const MouseCapabilities sensor;
    QPointer<ProfileData> profile;
    ComboBox *modeCombo;
    QLabel *valueLabel;
    QSlider *valueSlider;
    QSpinBox *valueSpin;
    QLabel *incrementLabel;
    ComboBox *incrementCombo;
    ComboBox *levelCombo;
};
