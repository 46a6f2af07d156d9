#pragma once

#include "SimpleInputType.h"

class QSlider;
class QSpinBox;

// The force at which a force region starts, as a spin box and a slider that
// follow each other.
class ForcePressInput : public SimpleInputType
{
    Q_OBJECT

public:
    ForcePressInput(InputMapActionConfig *mapping, const QString &modelKey, QWidget *parent = nullptr);

    void apply() override;

public slots:
    void valueSync(int value);

private:
    QSpinBox *m_force;
    QSlider *m_slider;
};
