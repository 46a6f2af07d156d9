#pragma once

#include "SimpleInputType.h"

class QCheckBox;
class QSpinBox;

// Direction, distance and repeat of a movement mapping.
class MouseMovementInput : public SimpleInputType
{
    Q_OBJECT

public:
    MouseMovementInput(InputMapActionConfig *mapping, const QString &modelKey, QWidget *parent = nullptr);

    void apply() override;

private:
    QComboBox *m_directions;
    QSpinBox *m_distance;
    QCheckBox *m_repeat;
};
