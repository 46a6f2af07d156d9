#include "MouseButtons.h"

#include "ButtonIds.h"
#include "ButtonWidget.h"
#include "ComboBox.h"
#include "ui_MouseButtons.h"

#include <QStringList>

MouseButtons::MouseButtons(QWidget *parent)
    : InputTypePage(parent)
    , ui(std::make_unique<Ui::MouseButtons>())
{
    ui->setupUi(this);
    buttonCombo = replacePlaceholder(ui->place_for_comboBox, QStringLiteral("comboBox_button"));
    QStringList names;
    for (int id = ButtonIds::LeftButton; id < ButtonIds::None; ++id)
        names << ButtonIds::name(id, false);
    buttonCombo->setItems(names);
}

MouseButtons::~MouseButtons() = default;

MapWidget *MouseButtons::createMapWidget()
{
    return new ButtonWidget(std::max(0, buttonCombo->currentIndex()), false, false, nullptr);
}

void MouseButtons::setButton(int button)
{
    if (button >= 0 && button < buttonCombo->count())
        buttonCombo->setCurrentIndex(button);
}
