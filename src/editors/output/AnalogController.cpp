#include "AnalogController.h"

#include "ComboBox.h"
#include "OutputAction_Joystick.h"
#include "RangeSlider.h"

#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QPixmap>
#include <QVBoxLayout>

namespace {
// Joystick positions and handle values run from 0 to 1000; the boxes show
// percent with one decimal.
constexpr int fullScale = 1000;

int tenths(double percent)
{
    return qRound(percent * 10);
}

QDoubleSpinBox *percentSpin(const QString &name, double start, QWidget *parent)
{
    auto *spin = new QDoubleSpinBox(parent);
    spin->setObjectName(name);
    spin->setRange(0, 100);
    spin->setDecimals(1);
    spin->setSingleStep(0.1);
    spin->setValue(start);
    spin->setButtonSymbols(QAbstractSpinBox::NoButtons);
    spin->setAlignment(Qt::AlignCenter);
    spin->setFixedWidth(80);
    return spin;
}

RangeSlider *rangeSlider(const QString &name, QWidget *parent)
{
    auto *slider = new RangeSlider(Qt::Horizontal, parent);
    slider->setObjectName(name);
    slider->setFixedHeight(30);
    slider->setMaximum(fullScale);
    slider->setValues(0, fullScale);
    return slider;
}

// "Min" and "Max" with their boxes, in the order given.
QHBoxLayout *spinLine(const QString &firstText, QDoubleSpinBox *first, const QString &secondText,
                      QDoubleSpinBox *second)
{
    auto *line = new QHBoxLayout;
    line->addWidget(new QLabel(firstText));
    line->addWidget(first);
    line->addWidget(new QLabel(secondText));
    line->addWidget(second);
    line->addStretch();
    return line;
}

QVBoxLayout *column(QWidget *owner)
{
    auto *layout = new QVBoxLayout(owner);
    layout->setContentsMargins(0, 0, 0, 0);
    return layout;
}

// Keeps min at least 0.1 below max: first min gives way, then max.
void keepApart(QDoubleSpinBox *min, QDoubleSpinBox *max)
{
    if (min->value() >= max->value())
        min->setValue(max->value() - 0.1);
    if (max->value() <= min->value())
        max->setValue(min->value() + 0.1);
}

const QString twoBlanks = QStringLiteral("  ");
} // namespace

AnalogController::AnalogController(int axis, bool isForce, QWidget *parent)
    : oawidget(parent)
    , isForce(isForce)
{
    typeCombo =
        createCombo(isForce ? QStringList{tr("Slider Control")} : QStringList{tr("Main Stick"), tr("Slider Control")});
    typeCombo->setObjectName(QStringLiteral("typeCombo"));
    actionCombo = createCombo({tr("Left / Right"), tr("Forward / Back"), tr("Rotate")});
    actionCombo->setObjectName(QStringLiteral("actionCombo"));
    sliderPositionLabel = new QLabel(tr("Slider Position"), this);
    sliderPositionLabel->setObjectName(QStringLiteral("sliderPositionLabel"));
    sliderPositionLabel->hide();
    pageLayout()->addWidget(new QLabel(tr("Controller Type:"), this));
    pageLayout()->addSpacing(40);
    pageLayout()->addWidget(new QLabel(tr("Joystick"), this));
    pageLayout()->addWidget(typeCombo);
    pageLayout()->addSpacing(25);
    pageLayout()->addWidget(new QLabel(tr("Action"), this));
    pageLayout()->addWidget(actionCombo);
    pageLayout()->addWidget(sliderPositionLabel);
    pageLayout()->addStretch();

    QWidget *second = createExtraRow();
    QVBoxLayout *secondLayout = column(second);
    advancedCheck = new QCheckBox(twoBlanks + tr("Show Advanced"), second);
    advancedCheck->setObjectName(QStringLiteral("advancedCheck"));
    advancedCheck->setFixedHeight(50);
    mirrorCheck = new QCheckBox(twoBlanks + tr("Mirror Left and Right"), second);
    mirrorCheck->setObjectName(QStringLiteral("mirrorCheck"));
    mirrorCheck->setFixedHeight(50);
    auto *checks = new QHBoxLayout;
    checks->addWidget(advancedCheck);
    checks->addStretch();
    checks->addWidget(mirrorCheck);
    secondLayout->addLayout(checks);

    rangesArea = new QWidget(second);
    rangesArea->setObjectName(QStringLiteral("rangesArea"));
    auto *ranges = new QHBoxLayout(rangesArea);
    ranges->setContentsMargins(0, 0, 0, 0);
    stickRanges = new QWidget(rangesArea);
    stickRanges->setObjectName(QStringLiteral("stickRanges"));
    auto *halves = new QHBoxLayout(stickRanges);
    halves->setContentsMargins(0, 0, 0, 0);
    halves->setSpacing(30);

    // The left half runs right to left: its far end is the full deflection.
    auto *leftHalf = new QWidget(stickRanges);
    QVBoxLayout *left = column(leftHalf);
    leftLabel = new QLabel(leftHalf);
    leftLabel->setObjectName(QStringLiteral("leftLabel"));
    leftPicture = new QLabel(leftHalf);
    leftPicture->setFixedSize(50, 50);
    auto *leftTitle = new QHBoxLayout;
    leftTitle->addWidget(leftLabel);
    leftTitle->addWidget(leftPicture);
    leftTitle->addStretch();
    left->addLayout(leftTitle);
    leftMaxSpin = percentSpin(QStringLiteral("leftMaxSpin"), 100, leftHalf);
    leftMinSpin = percentSpin(QStringLiteral("leftMinSpin"), 0, leftHalf);
    left->addLayout(spinLine(tr("Max"), leftMaxSpin, tr("Min"), leftMinSpin));
    leftSlider = rangeSlider(QStringLiteral("leftSlider"), leftHalf);
    leftSlider->setLayoutDirection(Qt::RightToLeft);
    left->addWidget(leftSlider);

    auto *rightHalf = new QWidget(stickRanges);
    QVBoxLayout *right = column(rightHalf);
    rightLabel = new QLabel(rightHalf);
    rightLabel->setObjectName(QStringLiteral("rightLabel"));
    rightPicture = new QLabel(rightHalf);
    rightPicture->setFixedSize(50, 50);
    auto *rightTitle = new QHBoxLayout;
    rightTitle->addWidget(rightLabel);
    rightTitle->addWidget(rightPicture);
    rightTitle->addStretch();
    right->addLayout(rightTitle);
    rightMinSpin = percentSpin(QStringLiteral("rightMinSpin"), 0, rightHalf);
    rightMaxSpin = percentSpin(QStringLiteral("rightMaxSpin"), 100, rightHalf);
    right->addLayout(spinLine(tr("Min"), rightMinSpin, tr("Max"), rightMaxSpin));
    rightSlider = rangeSlider(QStringLiteral("rightSlider"), rightHalf);
    right->addWidget(rightSlider);
    halves->addWidget(leftHalf);
    halves->addWidget(rightHalf);

    sliderArea = new QWidget(rangesArea);
    sliderArea->setObjectName(QStringLiteral("sliderArea"));
    QVBoxLayout *sliderColumn = column(sliderArea);
    sliderColumn->addWidget(new QLabel(tr("Slider Range"), sliderArea));
    sliderMinSpin = percentSpin(QStringLiteral("sliderMinSpin"), 0, sliderArea);
    sliderMaxSpin = percentSpin(QStringLiteral("sliderMaxSpin"), 100, sliderArea);
    sliderColumn->addLayout(spinLine(tr("Min"), sliderMinSpin, tr("Max"), sliderMaxSpin));
    sliderRange = rangeSlider(QStringLiteral("sliderRange"), sliderArea);
    sliderColumn->addWidget(sliderRange);
    sliderArea->hide();
    ranges->addWidget(stickRanges);
    ranges->addWidget(sliderArea);
    secondLayout->addWidget(rangesArea);

    if (axis >= 1 && axis <= 3)
        actionCombo->setCurrentIndex(axis - 1);

    connect(advancedCheck, &QCheckBox::toggled, this, &AnalogController::advancedChecked);
    connect(mirrorCheck, &QCheckBox::toggled, this, &AnalogController::setMirrored);
    for (QDoubleSpinBox *spin : {leftMinSpin, leftMaxSpin, rightMinSpin, rightMaxSpin})
        connect(spin, &QDoubleSpinBox::editingFinished, this, &AnalogController::mainStick_rangeValueSync);
    connect(leftSlider, &RangeSlider::valuesChanged, this, &AnalogController::mainStick_rangeSync);
    connect(rightSlider, &RangeSlider::valuesChanged, this, &AnalogController::mainStick_rangeSync);
    connect(sliderMinSpin, &QDoubleSpinBox::editingFinished, this, &AnalogController::sliderControl_rangeValueSync);
    connect(sliderMaxSpin, &QDoubleSpinBox::editingFinished, this, &AnalogController::sliderControl_rangeValueSync);
    connect(sliderRange, &RangeSlider::valuesChanged, this, &AnalogController::sliderControl_rangeSync);
    connect(typeCombo, qOverload<int>(&QComboBox::currentIndexChanged), this, &AnalogController::typeChanged);
    connect(typeCombo, qOverload<int>(&QComboBox::currentIndexChanged), this, &AnalogController::save);
    connect(actionCombo, qOverload<int>(&QComboBox::currentIndexChanged), this, &AnalogController::actionChanged);
    connect(actionCombo, qOverload<int>(&QComboBox::currentIndexChanged), this, &AnalogController::save);

    // The start visibility, without the save the mirror's sync would run: the
    // page has no record until its first save.
    const QSignalBlocker quiet(leftSlider);
    advancedChecked(false);
}

bool AnalogController::hasExtraRow() const
{
    return true;
}

bool AnalogController::isAdvanced() const
{
    return advancedCheck->isChecked();
}

bool AnalogController::isStick() const
{
    return !isForce && typeCombo->currentIndex() == MainStick;
}

void AnalogController::advancedChecked(bool state)
{
    typeChanged(typeCombo->currentIndex());
    rangesArea->setVisible(state);
}

void AnalogController::typeChanged(int index)
{
    const bool stick = !isForce && index == MainStick;
    mirrorCheck->setVisible(stick && advancedCheck->isChecked());
    stickRanges->setVisible(stick);
    actionCombo->setVisible(stick);
    sliderArea->setVisible(!stick);
    sliderPositionLabel->setVisible(!stick);
    if (stick) {
        actionChanged(actionCombo->currentIndex());
        setMirrored(mirrorCheck->isChecked());
    } else {
        setMirrored(false);
    }
}

void AnalogController::actionChanged(int index)
{
    struct Sides
    {
        const char *left;
        const char *right;
        const char *leftPicture;
        const char *rightPicture;
    };
    static const Sides sides[] = {
        {QT_TR_NOOP("Left:"), QT_TR_NOOP("Right:"), ":/pic/analog_tilt_left_white.png",
         ":/pic/analog_tilt_right_white.png"},
        {QT_TR_NOOP("Forward:"), QT_TR_NOOP("Back:"), ":/pic/analog_tilt_forward_white.png",
         ":/pic/analog_tilt_back_white.png"},
        {QT_TR_NOOP("Left:"), QT_TR_NOOP("Right:"), ":/pic/analog_pivot_left_white.png",
         ":/pic/analog_pivot_right_white.png"},
    };
    if (index < 0 || index > 2)
        return;
    const Sides &s = sides[index];
    leftLabel->setText(tr(s.left) + twoBlanks);
    rightLabel->setText(tr(s.right) + twoBlanks);
    leftPicture->setPixmap(QPixmap(QLatin1String(s.leftPicture)));
    rightPicture->setPixmap(QPixmap(QLatin1String(s.rightPicture)));
}

void AnalogController::setMirrored(bool state)
{
    mirrored = state;
    rightMinSpin->setEnabled(!state);
    rightMaxSpin->setEnabled(!state);
    rightSlider->setEnabled(!state);
    // Through the left slider's own signal, so that blocking it (while
    // loading) keeps this from saving.
    emit leftSlider->valuesChanged(leftSlider->minimumValue(), leftSlider->maximumValue());
}

void AnalogController::mainStick_rangeSync(int rangeMin, int rangeMax)
{
    if (sender() == rightSlider) {
        rightMinSpin->setValue(rangeMin / 10.0);
        rightMaxSpin->setValue(rangeMax / 10.0);
    } else {
        leftMinSpin->setValue(rangeMin / 10.0);
        leftMaxSpin->setValue(rangeMax / 10.0);
        if (mirrored)
            rightSlider->setPositions(rangeMin, rangeMax);
    }
    save();
}

// Both handles of the edited side go to its boxes, so the boxes always show
// what is stored, also when keeping them apart moved the other box.
void AnalogController::mainStick_rangeValueSync()
{
    const QObject *edited = sender();
    keepApart(leftMinSpin, leftMaxSpin);
    keepApart(rightMinSpin, rightMaxSpin);
    {
        const QSignalBlocker blockLeft(leftSlider);
        const QSignalBlocker blockRight(rightSlider);
        if (edited == leftMinSpin || edited == leftMaxSpin) {
            leftSlider->setValues(tenths(leftMinSpin->value()), tenths(leftMaxSpin->value()));
            if (mirrored) {
                rightSlider->setValues(leftSlider->minimumValue(), leftSlider->maximumValue());
                rightMinSpin->setValue(leftMinSpin->value());
                rightMaxSpin->setValue(leftMaxSpin->value());
            }
        } else if (edited == rightMinSpin || edited == rightMaxSpin) {
            rightSlider->setValues(tenths(rightMinSpin->value()), tenths(rightMaxSpin->value()));
        }
    }
    save();
}

void AnalogController::sliderControl_rangeSync(int rangeMin, int rangeMax)
{
    sliderMinSpin->setValue(rangeMin / 10.0);
    sliderMaxSpin->setValue(rangeMax / 10.0);
    save();
}

void AnalogController::sliderControl_rangeValueSync()
{
    keepApart(sliderMinSpin, sliderMaxSpin);
    {
        const QSignalBlocker block(sliderRange);
        sliderRange->setValues(tenths(sliderMinSpin->value()), tenths(sliderMaxSpin->value()));
    }
    save();
}

void AnalogController::ensureConfig()
{
    createRecord<OutputAction_Joystick>(OutputType::JoystickStick);
}

void AnalogController::save()
{
    ensureConfig();
    if (mayWrite()) {
        auto *r = record<OutputAction_Joystick>();
        if (actionCombo->currentIndex() >= 0)
            r->stickAxis = actionCombo->currentIndex();
        if (!isStick()) {
            r->typeCode = OutputType::JoystickSlider;
            r->firstRangeStart = quint16(sliderRange->minimumValue());
            r->firstRangeEnd = quint16(sliderRange->maximumValue());
            r->rangeMode = 3;
        } else {
            // Left: percent p of the travel is joystick position
            // (100 - p) x 5; right: (p + 100) x 5; truncated.
            r->typeCode = OutputType::JoystickStick;
            r->firstRangeStart = quint16((fullScale - leftSlider->maximumValue()) / 2);
            r->firstRangeEnd = quint16((fullScale - leftSlider->minimumValue()) / 2);
            r->secondRangeStart = quint16((rightSlider->minimumValue() + fullScale) / 2);
            r->secondRangeEnd = quint16((rightSlider->maximumValue() + fullScale) / 2);
            r->rangeMode = mirrored ? 3 : 4;
        }
    }
    announce();
}

void AnalogController::load(const OutputPtr &loaded)
{
    if (!takeRecord<OutputAction_Joystick>(loaded))
        return;
    const auto *r = record<OutputAction_Joystick>();
    const QSignalBlocker blockType(typeCombo);
    const QSignalBlocker blockAction(actionCombo);
    const QSignalBlocker blockLeftMin(leftMinSpin);
    const QSignalBlocker blockLeftMax(leftMaxSpin);
    const QSignalBlocker blockRightMin(rightMinSpin);
    const QSignalBlocker blockRightMax(rightMaxSpin);
    const QSignalBlocker blockSliderMin(sliderMinSpin);
    const QSignalBlocker blockSliderMax(sliderMaxSpin);
    const QSignalBlocker blockLeft(leftSlider);
    const QSignalBlocker blockRight(rightSlider);
    const QSignalBlocker blockSlider(sliderRange);
    if (r->stickAxis >= 0 && r->stickAxis <= 2)
        actionCombo->setCurrentIndex(r->stickAxis);
    if (r->typeCode == OutputType::JoystickStick) {
        typeCombo->setCurrentIndex(MainStick);
        leftMinSpin->setValue(100 - r->firstRangeEnd / 5.0);
        leftMaxSpin->setValue(100 - r->firstRangeStart / 5.0);
        rightMinSpin->setValue(r->secondRangeStart / 5.0 - 100);
        rightMaxSpin->setValue(r->secondRangeEnd / 5.0 - 100);
        leftSlider->setValues(tenths(leftMinSpin->value()), tenths(leftMaxSpin->value()));
        rightSlider->setValues(tenths(rightMinSpin->value()), tenths(rightMaxSpin->value()));
        // Not blocked: a change of the box runs setMirrored, whose save the
        // blocked left slider holds back.
        mirrorCheck->setChecked(r->rangeMode & 1);
    } else if (r->typeCode == OutputType::JoystickSlider) {
        typeCombo->setCurrentIndex(isForce ? 0 : SliderControl);
        sliderMinSpin->setValue(r->firstRangeStart / 10.0);
        sliderMaxSpin->setValue(r->firstRangeEnd / 10.0);
        sliderRange->setValues(r->firstRangeStart, r->firstRangeEnd);
        setMirrored(false);
    }
    // The controls of the loaded kind, still without a save.
    typeChanged(typeCombo->currentIndex());
}
