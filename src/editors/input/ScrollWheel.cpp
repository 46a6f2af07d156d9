#include "ScrollWheel.h"

#include "ComboBox.h"
#include "ScrollWidget.h"
#include "ui_ScrollWheel.h"

ScrollWheel::ScrollWheel(QWidget *parent)
    : InputTypePage(parent)
    , ui(std::make_unique<Ui::ScrollWheel>())
{
    ui->setupUi(this);
    directionCombo = replacePlaceholder(ui->place_for_comboBox, QStringLiteral("comboBox_scroll"));
    directionCombo->setItems({tr("Push Forward"), tr("Pull Back"), tr("Both")});
}

ScrollWheel::~ScrollWheel() = default;

MapWidget *ScrollWheel::createMapWidget()
{
    return new ScrollWidget(std::max(0, directionCombo->currentIndex()), false, false, nullptr);
}

void ScrollWheel::setDirection(int direction)
{
    if (direction >= 0 && direction < directionCombo->count())
        directionCombo->setCurrentIndex(direction);
}
