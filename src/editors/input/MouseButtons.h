#pragma once

#include "InputTypePage.h"

#include <memory>

namespace Ui {
class MouseButtons;
}

// The page that chooses a button of the mouse: all thirteen, whatever the
// model.
class MouseButtons : public InputTypePage
{
    Q_OBJECT

public:
    explicit MouseButtons(QWidget *parent);
    ~MouseButtons() override;

    MapWidget *createMapWidget() override;
    // Selects the button; an id without a row (13 or beyond) keeps the row.
    void setButton(int button);

private:
    std::unique_ptr<Ui::MouseButtons> ui;
    ComboBox *buttonCombo;
};
