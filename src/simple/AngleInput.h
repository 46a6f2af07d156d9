#pragma once

#include "SimpleInputType.h"

class QDoubleSpinBox;

// The angle of a tilt region; for a nested region also its axis and side.
// A top-level region keeps its axis and side.
class AngleInput : public SimpleInputType
{
    Q_OBJECT

public:
    AngleInput(InputMapActionConfig *mapping, const QString &modelKey, QWidget *parent = nullptr);

    void apply() override;

private:
    // The side names of the chosen axis, keeping the chosen side.
    void fillDirections();

    QComboBox *m_axes = nullptr;
    QComboBox *m_directions = nullptr;
    QDoubleSpinBox *m_angle;
};
