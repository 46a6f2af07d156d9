#pragma once

#include "InputTypePage.h"

#include <QPixmap>

#include <array>
#include <memory>

class QDoubleSpinBox;
class RangeSlider;

namespace Ui {
class Tilt;
}

// The page that chooses an input on the angle sensor, for the tilt group
// (left/right, forward/back) and the pivot group: a region beyond an angle
// with a noise level, or a pair of analog ranges on both sides of level.
// Angles show in degrees; the sliders work in tenths of a degree.
class Tilt : public InputTypePage
{
    Q_OBJECT

public:
    explicit Tilt(QWidget *parent);
    ~Tilt() override;

    MapWidget *createMapWidget() override;
    // Load a mapping's angles (tenths of a degree, 1800 level).
    void setAngleRegion(int axis, int entryStart, int entryEnd, int exitStart, int exitEnd);
    void setAngleRange(int axis, int leftStart, int leftEnd, int rightStart, int rightEnd, bool mirrored);
    void setInputRowVisible(bool visible);

    using InputTypePage::show;

public slots:
    void show(InputGroups group) override;
    void typeChanged(int index);
    void setMirrored(bool state);
    void rangeValueSync();
    void rangeSync(int rangeMin, int rangeMax);

private:
    void angleBoxChanged(double value);
    void angleSliderChanged(int value);
    void noiseBoxChanged(double value);
    void selectRow(InputGroups group, int row);
    // The analog row of the current group, -1 for none.
    int analogRow() const;
    int axisOfRow(int row) const;

    std::unique_ptr<Ui::Tilt> ui;
    ComboBox *typeCombo;
    // Tilt left, right, forward, back; pivot left, right.
    std::array<QPixmap, 6> pictures;
    RangeSlider *leftSlider;
    RangeSlider *rightSlider;
    bool mirrored = false;
    InputGroups group = TiltGroup;
};
