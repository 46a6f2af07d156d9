#include "ForcePress.h"

#include "ButtonIds.h"
#include "ComboBox.h"
#include "ForcePressWidget.h"
#include "MouseFunctions.h"
#include "RangeSlider.h"
#include "ui_ForcePress.h"

#include <QSignalBlocker>

ForcePress::ForcePress(QWidget *parent)
    : InputTypePage(parent)
    , ui(std::make_unique<Ui::ForcePress>())
{
    ui->setupUi(this);
    for (QSpinBox *box : {ui->spinBox_force_min, ui->spinBox_force_max, ui->spinBox_force}) {
        box->setRange(10, 99);
        // A number typed outside the range becomes its nearest end.
        box->setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
    }
    buttonCombo = replacePlaceholder(ui->place_for_comboBox_button, QStringLiteral("comboBox_force_button"));
    modeCombo = replacePlaceholder(ui->place_for_comboBox_range, QStringLiteral("comboBox_range"));

    rangeSlider = new RangeSlider(Qt::Horizontal, ui->widget_force_range);
    rangeSlider->setObjectName(QStringLiteral("rangeSlider_force"));
    rangeSlider->setFixedHeight(30);
    rangeSlider->setRange(10, 99);
    rangeSlider->setValues(10, 90);
    ui->horizontalLayout_force_range->insertWidget(2, rangeSlider);

    fillForceButtons();
    modeCombo->setItems({tr("Toggle Region"), tr("Analog Range")});
    switchForce(0);

    connect(modeCombo, qOverload<int>(&QComboBox::currentIndexChanged), this, &ForcePress::switchForce);
    connect(ui->spinBox_force, qOverload<int>(&QSpinBox::valueChanged), this, &ForcePress::valueSync);
    connect(ui->horizontalSlider_force, &QSlider::valueChanged, this, &ForcePress::valueSync);
    connect(ui->spinBox_force_min, &QSpinBox::editingFinished, this, &ForcePress::rangeValueSync);
    connect(ui->spinBox_force_max, &QSpinBox::editingFinished, this, &ForcePress::rangeValueSync);
    connect(rangeSlider, &RangeSlider::valuesChanged, this, &ForcePress::rangeSync);
}

ForcePress::~ForcePress() = default;

void ForcePress::fillForceButtons()
{
    const bool vModel = MouseFunctions::instance()->isVModel();
    forceButtons.clear();
    forceButtons.insert(ButtonIds::LeftButton, tr("Left Button Force"));
    forceButtons.insert(ButtonIds::LeftFingertip, tr("Left Fingertip Button Force"));
    if (vModel) {
        forceButtons.insert(ButtonIds::RightButton, tr("Right Button Force"));
        forceButtons.insert(ButtonIds::MiddleButton, tr("Middle Button Force"));
        forceButtons.insert(ButtonIds::RightFingertip, tr("Right Fingertip Button Force"));
    }
    buttonCombo->setItems(forceButtons.values());
}

void ForcePress::selectButton(int button)
{
    loadedButton = button;
    const QList<int> ids = forceButtons.keys();
    buttonCombo->setCurrentIndex(ids.indexOf(button));
}

void ForcePress::setToggleRegion(int button, int force)
{
    selectButton(button);
    modeCombo->setCurrentIndex(0);
    ui->horizontalSlider_force->setValue(force);
}

void ForcePress::setAnalogRange(int button, int min, int max)
{
    selectButton(button);
    modeCombo->setCurrentIndex(1);
    rangeSlider->setValues(min, max);
}

int ForcePress::chosenButton() const
{
    // A mapping on a button this model's list lacks keeps its button: Ok
    // must not move it to the first one.
    if (buttonCombo->currentIndex() < 0)
        return loadedButton;
    return forceButtons.key(buttonCombo->currentText(), 0);
}

MapWidget *ForcePress::createMapWidget()
{
    if (modeCombo->currentIndex() == 0)
        return new ForcePressWidget(chosenButton(), ui->spinBox_force->value(), -1, false, nullptr);
    return new ForcePressWidget(chosenButton(), ui->spinBox_force_min->value(), ui->spinBox_force_max->value(), false,
                                nullptr);
}

void ForcePress::switchForce(int index)
{
    ui->widget_force->setVisible(index == 0);
    ui->widget_force_range->setVisible(index != 0);
}

void ForcePress::valueSync(int value)
{
    if (sender() == ui->horizontalSlider_force) {
        ui->spinBox_force->setValue(value);
        return;
    }
    const QSignalBlocker block(ui->horizontalSlider_force);
    ui->horizontalSlider_force->setValue(value);
}

void ForcePress::rangeValueSync()
{
    QSpinBox *minBox = ui->spinBox_force_min;
    QSpinBox *maxBox = ui->spinBox_force_max;
    const QSignalBlocker block(rangeSlider);
    if (sender() == minBox) {
        if (minBox->value() >= maxBox->value())
            minBox->setValue(maxBox->value() - 1);
        rangeSlider->setMinimumValue(minBox->value());
    } else if (sender() == maxBox) {
        if (maxBox->value() <= minBox->value())
            maxBox->setValue(minBox->value() + 1);
        rangeSlider->setMaximumValue(maxBox->value());
    }
}

void ForcePress::rangeSync(int rangeMin, int rangeMax)
{
    ui->spinBox_force_min->setValue(rangeMin);
    ui->spinBox_force_max->setValue(rangeMax);
}
