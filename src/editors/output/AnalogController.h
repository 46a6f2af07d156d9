#pragma once

#include "oawidget.h"

class QCheckBox;
class QDoubleSpinBox;
class QLabel;
class RangeSlider;

// An analog input (a tilt axis or a Force Press force) driving the
// joystick's main stick (output type 50) or its slider (type 52). A force
// only drives the slider.
//
// The stick maps the input's left and right halves (or forward and back) to
// joystick positions 0 to 500 and 500 to 1000 through two ranges in percent
// of the input's travel, each with a spin box pair and a range slider; with
// "Mirror Left and Right" the right range follows the left one. The slider
// maps one range to 0 to 1000. The ranges sit on the second line, shown with
// "Show Advanced". The page makes its record at its first save.
class AnalogController : public oawidget
{
    Q_OBJECT

public:
    // axis: the tilt axis of the input, 1 to 3 (left/right, forward/back,
    // rotate), which preselects the action; isForce: the input is a force.
    AnalogController(int axis, bool isForce, QWidget *parent = nullptr);

    bool hasExtraRow() const override;
    // "Show Advanced" is checked.
    bool isAdvanced() const override;
    void load(const OutputPtr &record) override;
    void ensureConfig() override;

public slots:
    void save() override;
    void setMirrored(bool state);
    // A stick spin box finished editing: keeps each Min at least 0.1 below
    // its Max and moves the handles to the boxes.
    void mainStick_rangeValueSync();
    // A stick range slider moved: the boxes follow, and with the mirror the
    // right slider follows the left one.
    void mainStick_rangeSync(int rangeMin, int rangeMax);
    void sliderControl_rangeValueSync();
    void sliderControl_rangeSync(int rangeMin, int rangeMax);
    void typeChanged(int index);
    void actionChanged(int index);
    void advancedChecked(bool state);

private:
    // Type combo rows of an input that is not a force.
    enum Type { MainStick = 0, SliderControl = 1 };
    bool isStick() const;

    const bool isForce;
    bool mirrored = false;

    ComboBox *typeCombo;
    ComboBox *actionCombo;
    QLabel *sliderPositionLabel;
    QCheckBox *advancedCheck;
    QCheckBox *mirrorCheck;
    QWidget *rangesArea;
    QWidget *stickRanges;
    QWidget *sliderArea;
    QLabel *leftLabel;
    QLabel *leftPicture;
    QLabel *rightLabel;
    QLabel *rightPicture;
    QDoubleSpinBox *leftMinSpin;
    QDoubleSpinBox *leftMaxSpin;
    QDoubleSpinBox *rightMinSpin;
    QDoubleSpinBox *rightMaxSpin;
    QDoubleSpinBox *sliderMinSpin;
    QDoubleSpinBox *sliderMaxSpin;
    RangeSlider *leftSlider;
    RangeSlider *rightSlider;
    RangeSlider *sliderRange;
};
