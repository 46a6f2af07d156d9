#pragma once

#include "oawidget.h"

class QDoubleSpinBox;
class QSlider;

// A vibration pulse (output type 80): strength 0 to 120 % (the record keeps
// it divided by 1.2, so 120 % is the motor's 100) and a duration of at most
// 10 s, on two lines; the wait combo tells whether the sequence waits for its
// end. The page makes its record at its first save.
class Vibration : public oawidget
{
    Q_OBJECT

public:
    static constexpr int maximumStrength = 120;

    explicit Vibration(QWidget *parent = nullptr);

    bool hasExtraRow() const override;
    void load(const OutputPtr &record) override;
    void ensureConfig() override;

    // The strength slider's style sheet at value: the bar turns red from the
    // 100 % mark on.
    static QString strengthSliderStyle(int value);

public slots:
    void save() override;

protected:
    // Keeps the wheel off both sliders.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    enum Source { Call, StrengthSpin, StrengthSlider, DurationSpin, DurationSlider };
    void saveFrom(Source source);
    void recolour();

    QSpinBox *strengthSpin;
    QSlider *strengthSlider;
    ComboBox *waitCombo;
    QDoubleSpinBox *durationSpin;
    QSlider *durationSlider;
};
