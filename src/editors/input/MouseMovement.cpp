#include "MouseMovement.h"

#include "ComboBox.h"
#include "MovementWidget.h"
#include "ui_MouseMovement.h"

#include <array>

namespace {
// The rows read "Any", "Left", "Right", "Down", "Up".
constexpr std::array<int, 5> directionCodes{6, 0, 1, 3, 2};
} // namespace

MouseMovement::MouseMovement(QWidget *parent)
    : InputTypePage(parent)
    , ui(std::make_unique<Ui::MouseMovement>())
{
    ui->setupUi(this);
    directionCombo = replacePlaceholder(ui->place_for_comboBox_direction, QStringLiteral("comboBox_direction"));
    repeatCombo = replacePlaceholder(ui->place_for_comboBox_repeat, QStringLiteral("comboBox_repeat"));
    directionCombo->setItems({tr("Any"), tr("Left"), tr("Right"), tr("Down"), tr("Up")});
    repeatCombo->setItems({tr("Single - just once"), tr("Repeat - every time")});
}

MouseMovement::~MouseMovement() = default;

int MouseMovement::directionOfRow(int row)
{
    return row >= 1 && row < int(directionCodes.size()) ? directionCodes[size_t(row)] : 6;
}

int MouseMovement::rowOfDirection(int direction)
{
    for (size_t row = 0; row < directionCodes.size(); ++row) {
        if (directionCodes[row] == direction)
            return int(row);
    }
    return -1;
}

MapWidget *MouseMovement::createMapWidget()
{
    const int distance = ui->spinBox_units->value();
    return new MovementWidget(directionOfRow(directionCombo->currentIndex()), distance <= 0 ? 1 : distance,
                              repeatCombo->currentIndex() != 0 ? 1 : 0, false, nullptr);
}

void MouseMovement::setMovement(int direction, int distance, int repeat)
{
    const int row = rowOfDirection(direction);
    if (row >= 0)
        directionCombo->setCurrentIndex(row);
    ui->spinBox_units->setValue(distance);
    if (repeat == 0 || repeat == 1)
        repeatCombo->setCurrentIndex(repeat);
}
