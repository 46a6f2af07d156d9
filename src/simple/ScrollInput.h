#pragma once

#include "SimpleInputType.h"

// Which way of the wheel a scroll mapping listens to.
class ScrollInput : public SimpleInputType
{
    Q_OBJECT

public:
    ScrollInput(InputMapActionConfig *mapping, const QString &modelKey, QWidget *parent = nullptr);

    void apply() override;

private:
    QComboBox *m_directions;
};
