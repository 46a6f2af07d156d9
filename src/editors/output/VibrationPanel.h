#pragma once

#include <QWidget>

#include <memory>

class InputMapActionConfig;
class OutputAction_Haptic;
class PackageCreator;
class QLabel;
class QSlider;
class QSpinBox;

// The simple view's vibration strength of one mapping: a spin box (0 to
// 120 %) and a slider (0 to 100) that follow each other. The strength lives
// in the first vibration record of the mapping's press list, added at the
// first change and taken out again at 0 %; the record keeps the shown
// percentage divided by 1.2.
//
// An inherited mapping is copied into the current profile at the first
// change; the panel then works on the copy and announces it with
// configChanged. While the model is loading nothing is written.
class VibrationPanel : public QWidget
{
    Q_OBJECT

public:
    VibrationPanel(InputMapActionConfig *mapping, QWidget *parent = nullptr);
    ~VibrationPanel() override;

    // Works on another mapping from now on: its vibration record (or a new
    // one) and its strength.
    void setConfig(InputMapActionConfig *mapping);
    void setModelKey(const QString &key);
    InputMapActionConfig *config() const { return m_mapping; }

signals:
    void configChanged(InputMapActionConfig *newConfig);

public slots:
    void valueSync(int value);

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    // The mapping's first vibration record, or a new one not yet added.
    void takeRecord();
    void showStrength();

    PackageCreator *m_model;
    InputMapActionConfig *m_mapping;
    std::shared_ptr<OutputAction_Haptic> m_haptic;
    QLabel *m_label;
    QSpinBox *m_spin;
    QSlider *m_slider;
};
