#pragma once

#include "oawidget.h"

class QSpinBox;

// A relative pointer movement (output type 10) of -9999 to 9999 units on
// each axis. A fresh page holds X 0 and Y 0.
class MousePointer : public oawidget
{
    Q_OBJECT

public:
    explicit MousePointer(QWidget *parent = nullptr);

    void load(const OutputPtr &record) override;
    void ensureConfig() override;

public slots:
    void save() override;

private:
    QSpinBox *xSpin;
    QSpinBox *ySpin;
};
