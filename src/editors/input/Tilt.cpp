#include "Tilt.h"

#include "ComboBox.h"
#include "RangeSlider.h"
#include "TiltAnalogWidget.h"
#include "TiltWidget.h"
#include "ui_Tilt.h"

#include <QSignalBlocker>

#include <cmath>

namespace {

constexpr int level = 1800;

// Tenths of a degree from a box's degrees; the boxes hold one decimal, so
// rounding gives back exactly the tenths shown (2.3 x 10 is 22.999...).
int tenths(double degrees)
{
    return int(std::lround(degrees * 10.0));
}

} // namespace

Tilt::Tilt(QWidget *parent)
    : InputTypePage(parent)
    , ui(std::make_unique<Ui::Tilt>())
    , pictures{QPixmap(QStringLiteral(":/pic/analog_tilt_left.png")),
               QPixmap(QStringLiteral(":/pic/analog_tilt_right.png")),
               QPixmap(QStringLiteral(":/pic/analog_tilt_forward.png")),
               QPixmap(QStringLiteral(":/pic/analog_tilt_back.png")),
               QPixmap(QStringLiteral(":/pic/analog_pivot_left.png")),
               QPixmap(QStringLiteral(":/pic/analog_pivot_right.png"))}
{
    ui->setupUi(this);
    typeCombo = replacePlaceholder(ui->place_for_comboBox_type, QStringLiteral("comboBox_tilt_type"));
    typeCombo->setMaximumWidth(9999);
    typeCombo->popupFollowsWidth = true;
    // Typed angles are taken once the edit is finished: the limits below
    // would otherwise rewrite a number while it is being typed.
    ui->doubleSpinBox_angle->setKeyboardTracking(false);
    ui->doubleSpinBox_noise->setKeyboardTracking(false);

    for (RangeSlider **slider : {&leftSlider, &rightSlider}) {
        *slider = new RangeSlider(Qt::Horizontal, ui->widget_analog);
        (*slider)->setFixedHeight(20);
        (*slider)->setRange(0, level);
        // The boxes start at 0.0 and 8.0; the handles stand with them.
        (*slider)->setValues(0, 80);
    }
    leftSlider->setObjectName(QStringLiteral("rangeSlider_left"));
    rightSlider->setObjectName(QStringLiteral("rangeSlider_right"));
    // The left side's angles grow towards the left, away from level.
    leftSlider->setLayoutDirection(Qt::RightToLeft);
    ui->horizontalLayout_slider_left->addWidget(leftSlider);
    ui->horizontalLayout_slider_right->addWidget(rightSlider);

    connect(typeCombo, qOverload<int>(&QComboBox::currentIndexChanged), this, &Tilt::typeChanged);
    connect(ui->doubleSpinBox_angle, qOverload<double>(&QDoubleSpinBox::valueChanged), this, &Tilt::angleBoxChanged);
    connect(ui->doubleSpinBox_noise, qOverload<double>(&QDoubleSpinBox::valueChanged), this, &Tilt::noiseBoxChanged);
    connect(ui->horizontalSlider_angle, &QSlider::valueChanged, this, &Tilt::angleSliderChanged);
    for (QDoubleSpinBox *box : {ui->doubleSpinBox_left_min, ui->doubleSpinBox_left_max, ui->doubleSpinBox_right_min,
                                ui->doubleSpinBox_right_max})
        connect(box, &QDoubleSpinBox::editingFinished, this, &Tilt::rangeValueSync);
    connect(leftSlider, &RangeSlider::valuesChanged, this, &Tilt::rangeSync);
    connect(rightSlider, &RangeSlider::valuesChanged, this, &Tilt::rangeSync);
    connect(ui->checkBox_mirror, &QCheckBox::toggled, this, &Tilt::setMirrored);

    ui->widget_analog->hide();
    show(TiltGroup);
}

Tilt::~Tilt() = default;

void Tilt::setInputRowVisible(bool visible)
{
    ui->widget_input->setVisible(visible);
}

void Tilt::show(InputGroups newGroup)
{
    group = newGroup;
    QStringList rows;
    if (group == TiltGroup) {
        rows = QStringList{tr("Left"),
                           tr("Right"),
                           tr("Forward"),
                           tr("Backward"),
                           tr("Analog Tilt Left / Right"),
                           tr("Analog Tilt Forward / Back")};
    } else if (group == PivotGroup) {
        rows = QStringList{tr("Pivot Left"), tr("Pivot Right"), tr("Analog Pivot Left / Right")};
    }
    {
        const QSignalBlocker block(typeCombo);
        typeCombo->setItems(rows);
    }
    typeChanged(typeCombo->currentIndex());
    QWidget::show();
}

int Tilt::analogRow() const
{
    if (group == TiltGroup)
        return 4;
    return group == PivotGroup ? 2 : -1;
}

int Tilt::axisOfRow(int row) const
{
    if (group == PivotGroup)
        return 2;
    return row == 2 || row == 3 || row == 5 ? 1 : 0;
}

void Tilt::typeChanged(int row)
{
    const int analog = analogRow();
    if (row < 0 || row >= typeCombo->count() || analog < 0)
        return;
    if (row < analog) {
        ui->widget_analog->hide();
        ui->widget_angle->show();
        return;
    }
    // Captions and pictures of the side pair: tilt left/right, tilt
    // forward/back, pivot left/right.
    struct Sides
    {
        const char *left;
        const char *right;
        int picture;
    };
    static const Sides sides[] = {
        {QT_TR_NOOP("Tilt Mouse Left"), QT_TR_NOOP("Tilt Mouse Right"), 0},
        {QT_TR_NOOP("Tilt Mouse Forward"), QT_TR_NOOP("Tilt Mouse Back"), 2},
        {QT_TR_NOOP("Pivot Mouse Left"), QT_TR_NOOP("Pivot Mouse Right"), 4},
    };
    const Sides &pair = sides[axisOfRow(row)];
    ui->label_left->setText(tr(pair.left));
    ui->label_right->setText(tr(pair.right));
    ui->label_pic_left->setPixmap(pictures[size_t(pair.picture)]);
    ui->label_pic_right->setPixmap(pictures[size_t(pair.picture + 1)]);
    ui->widget_angle->hide();
    ui->widget_analog->show();
}

void Tilt::selectRow(InputGroups newGroup, int row)
{
    show(newGroup);
    typeCombo->setCurrentIndex(row);
}

void Tilt::angleBoxChanged(double value)
{
    QDoubleSpinBox *angle = ui->doubleSpinBox_angle;
    if (value < 1.0) {
        angle->setValue(1.0); // runs this again with the limit
        return;
    }
    if (value > 179.9) {
        angle->setValue(179.9);
        return;
    }
    {
        const QSignalBlocker block(ui->horizontalSlider_angle);
        ui->horizontalSlider_angle->setValue(tenths(value));
    }
    ui->doubleSpinBox_noise->setValue(std::max(0.5, angle->value() / 10.0));
}

void Tilt::angleSliderChanged(int value)
{
    ui->doubleSpinBox_angle->setValue(value / 10.0);
}

void Tilt::noiseBoxChanged(double value)
{
    QDoubleSpinBox *noise = ui->doubleSpinBox_noise;
    if (value < 0.5)
        noise->setValue(0.5);
    else if (value > ui->doubleSpinBox_angle->value())
        noise->setValue(ui->doubleSpinBox_angle->value());
}

void Tilt::rangeValueSync()
{
    QObject *edited = sender();
    const bool left = edited == ui->doubleSpinBox_left_min || edited == ui->doubleSpinBox_left_max;
    QDoubleSpinBox *minBox = left ? ui->doubleSpinBox_left_min : ui->doubleSpinBox_right_min;
    QDoubleSpinBox *maxBox = left ? ui->doubleSpinBox_left_max : ui->doubleSpinBox_right_max;
    const bool isMin = edited == minBox;
    if (!isMin && edited != maxBox)
        return;
    if (isMin) {
        if (minBox->value() >= maxBox->value())
            minBox->setValue(maxBox->value() - 0.1);
    } else if (maxBox->value() <= minBox->value()) {
        maxBox->setValue(minBox->value() + 0.1);
    } else if (maxBox->value() > 180.0) {
        maxBox->setValue(180.0);
    }

    const QSignalBlocker blockLeft(leftSlider);
    const QSignalBlocker blockRight(rightSlider);
    const int value = tenths(isMin ? minBox->value() : maxBox->value());
    RangeSlider *slider = left ? leftSlider : rightSlider;
    isMin ? slider->setMinimumValue(value) : slider->setMaximumValue(value);
    if (mirrored && left) {
        isMin ? rightSlider->setMinimumValue(value) : rightSlider->setMaximumValue(value);
        (isMin ? ui->doubleSpinBox_right_min : ui->doubleSpinBox_right_max)->setValue(value / 10.0);
    }
}

void Tilt::rangeSync(int rangeMin, int rangeMax)
{
    if (sender() == rightSlider) {
        ui->doubleSpinBox_right_min->setValue(rangeMin / 10.0);
        ui->doubleSpinBox_right_max->setValue(rangeMax / 10.0);
        return;
    }
    ui->doubleSpinBox_left_min->setValue(rangeMin / 10.0);
    ui->doubleSpinBox_left_max->setValue(rangeMax / 10.0);
    if (mirrored)
        rightSlider->setPositions(rangeMin, rangeMax);
}

void Tilt::setMirrored(bool state)
{
    ui->checkBox_mirror->setFocus();
    mirrored = state;
    ui->doubleSpinBox_right_min->setEnabled(!mirrored);
    ui->doubleSpinBox_right_max->setEnabled(!mirrored);
    rightSlider->setEnabled(!mirrored);
    // With the mirror on, the right side takes the left side's values at once.
    emit leftSlider->valuesChanged(leftSlider->minimumPosition(), leftSlider->maximumPosition());
}

MapWidget *Tilt::createMapWidget()
{
    const int row = typeCombo->currentIndex();
    const int axis = axisOfRow(row);
    if (row >= analogRow()) {
        return new TiltAnalogWidget(axis, leftSlider->minimumPosition(), leftSlider->maximumPosition(),
                                    rightSlider->minimumPosition(), rightSlider->maximumPosition(), mirrored, false,
                                    false, nullptr);
    }
    // The card takes the negated angle for the right side.
    const int angle = ui->horizontalSlider_angle->value();
    const bool rightSide = row % 2 == 1;
    return new TiltWidget(axis, rightSide ? -angle : angle, tenths(ui->doubleSpinBox_noise->value()), false, false,
                          nullptr);
}

void Tilt::setAngleRegion(int axis, int entryStart, int entryEnd, int exitStart, int exitEnd)
{
    const bool rightSide = entryStart != 0;
    const int side = rightSide ? 1 : 0;
    if (axis == 0)
        selectRow(TiltGroup, side);
    else if (axis == 1)
        selectRow(TiltGroup, 2 + side);
    else if (axis == 2)
        selectRow(PivotGroup, side);
    ui->horizontalSlider_angle->setValue(rightSide ? entryStart - level : level - entryEnd);
    ui->doubleSpinBox_noise->setValue(rightSide ? (entryStart - exitStart) / 10.0 : (exitEnd - entryEnd) / 10.0);
}

void Tilt::setAngleRange(int axis, int leftStart, int leftEnd, int rightStart, int rightEnd, bool mirror)
{
    if (axis == 0)
        selectRow(TiltGroup, 4);
    else if (axis == 1)
        selectRow(TiltGroup, 5);
    else if (axis == 2)
        selectRow(PivotGroup, 2);
    leftSlider->setValues(level - leftStart, level - leftEnd);
    rightSlider->setValues(rightStart - level, rightEnd - level);
    ui->checkBox_mirror->setChecked(mirror);
}
