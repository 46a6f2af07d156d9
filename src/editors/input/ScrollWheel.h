#pragma once

#include "InputTypePage.h"

#include <memory>

namespace Ui {
class ScrollWheel;
}

// The page that chooses a direction of the scroll wheel; the row is the
// wheel direction code.
class ScrollWheel : public InputTypePage
{
    Q_OBJECT

public:
    explicit ScrollWheel(QWidget *parent);
    ~ScrollWheel() override;

    MapWidget *createMapWidget() override;
    // 0 push, 1 pull, 2 both; any other code keeps the row.
    void setDirection(int direction);

private:
    std::unique_ptr<Ui::ScrollWheel> ui;
    ComboBox *directionCombo;
};
