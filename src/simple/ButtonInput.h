#pragma once

#include "SimpleInputType.h"

// Which button a button mapping listens to.
class ButtonInput : public SimpleInputType
{
    Q_OBJECT

public:
    ButtonInput(InputMapActionConfig *mapping, const QString &modelKey, QWidget *parent = nullptr);

    void apply() override;

private:
    QComboBox *m_buttons;
};
