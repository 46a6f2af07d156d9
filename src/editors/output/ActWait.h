#pragma once

#include "oawidget.h"

class QDoubleSpinBox;
class QSpinBox;

// Wait (output type 113) up to 65535 ms, typed in seconds or milliseconds.
// A fresh page holds 0 with the seconds shown; a loaded wait shows
// milliseconds.
class ActWait : public oawidget
{
    Q_OBJECT

public:
    enum Unit { Seconds = 0, Milliseconds = 1 };
    static constexpr int maximumMilliseconds = 65535;

    explicit ActWait(QWidget *parent = nullptr);

    void load(const OutputPtr &record) override;
    void ensureConfig() override;

    // The milliseconds a seconds value stands for: at most 65.535 s, rounded
    // to the nearest millisecond.
    static int millisecondsFromSeconds(double seconds);

public slots:
    void save() override;

private:
    QDoubleSpinBox *secondsSpin;
    QSpinBox *millisecondsSpin;
    ComboBox *unitCombo;
};
