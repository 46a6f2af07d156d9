#pragma once

#include "oawidget.h"

// A mouse button (output type 12): which button, and Tap, Press or Release.
// A fresh page holds "1 (Left Click)" with Tap.
class MouseClick : public oawidget
{
    Q_OBJECT

public:
    explicit MouseClick(QWidget *parent = nullptr);

    void load(const OutputPtr &record) override;
    void ensureConfig() override;

public slots:
    void save() override;

private:
    ComboBox *buttonCombo;
    ComboBox *modeCombo;
};
