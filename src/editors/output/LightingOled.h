#pragma once

#include "oawidget.h"

class QDoubleSpinBox;
class QLabel;
class QLineEdit;

// The OLED screen: show a content (output type 97), flash it for at most
// 10 s (103), or go back to what was shown before (98). A custom message is
// at most 18 Latin-1 characters; an empty one is stored as the blank screen.
// The duration, the text and the wait combo sit on the second line. A fresh
// page holds "Show" of an empty message (blank), 1.5 s, "Continue".
class LightingOled : public oawidget
{
    Q_OBJECT

public:
    enum Action { Show = 0, Flash = 1, ShowPrevious = 2 };
    // Content combo rows: 0 the custom message, 1 to 6 the contents 2 to 7
    // of the record, 7 blank.
    enum Content { CustomMessage = 0, Blank = 7 };
    static constexpr int maximumMessageLength = 18;

    explicit LightingOled(QWidget *parent = nullptr);

    // True while the duration, the text or the wait combo is shown.
    bool hasExtraRow() const override;
    void load(const OutputPtr &record) override;
    void ensureConfig() override;

public slots:
    void save() override;

private:
    void showControls();

    ComboBox *actionCombo;
    ComboBox *contentCombo;
    QLabel *durationLabel;
    QDoubleSpinBox *durationSpin;
    QLabel *textLabel;
    QLineEdit *textEdit;
    ComboBox *waitCombo;
};
