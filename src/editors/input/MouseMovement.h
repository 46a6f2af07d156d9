#pragma once

#include "InputTypePage.h"

#include <memory>

namespace Ui {
class MouseMovement;
}

// The page that chooses a movement of the pointer: a direction, a distance in
// sensor counts, and whether it fires once or after every such distance.
class MouseMovement : public InputTypePage
{
    Q_OBJECT

public:
    explicit MouseMovement(QWidget *parent);
    ~MouseMovement() override;

    MapWidget *createMapWidget() override;
    // Direction codes 0 left, 1 right, 2 up, 3 down, 6 any; another code, or
    // a repeat other than 0 and 1, keeps its row.
    void setMovement(int direction, int distance, int repeat);

    // The direction code a row of the direction combo stands for (6 for a
    // row outside the list), and the row of a code (-1 when none).
    static int directionOfRow(int row);
    static int rowOfDirection(int direction);

private:
    std::unique_ptr<Ui::MouseMovement> ui;
    ComboBox *directionCombo;
    ComboBox *repeatCombo;
};
