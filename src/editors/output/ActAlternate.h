#pragma once

#include "oawidget.h"

class QSpinBox;

// Alternate (output type 111): each run of the sequence takes the next one
// of the following 2 to 99 outputs. A fresh page holds 2.
class ActAlternate : public oawidget
{
    Q_OBJECT

public:
    explicit ActAlternate(QWidget *parent = nullptr);

    void load(const OutputPtr &record) override;
    void ensureConfig() override;

public slots:
    void save() override;

private:
    QSpinBox *countSpin;
};
