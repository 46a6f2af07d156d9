#pragma once

#include "oawidget.h"

class QSpinBox;

// A scroll step (output type 13): Down, Up, Left or Right by 1 to 32767
// units. A fresh page holds Down 1.
class MouseScroll : public oawidget
{
    Q_OBJECT

public:
    // The rows of the direction combo.
    enum Direction { Down = 0, Up = 1, Left = 2, Right = 3 };
    // The most units one step carries.
    static constexpr int maximumUnits = 32767;

    explicit MouseScroll(QWidget *parent = nullptr);

    void load(const OutputPtr &record) override;
    void ensureConfig() override;

public slots:
    void save() override;

private:
    ComboBox *directionCombo;
    QSpinBox *unitsSpin;
};
