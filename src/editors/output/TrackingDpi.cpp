#include "TrackingDpi.h"

#include "ComboBox.h"
#include "MouseFunctions.h"
#include "OutputAction_Tracking.h"
#include "PackageCreator.h"

#include <QEvent>
#include <QLabel>
#include <QSlider>
#include <QSpinBox>

#include <algorithm>

namespace {
constexpr int startDpi = 1500;
} // namespace

TrackingDpi::TrackingDpi(QWidget *parent)
    : oawidget(parent)
    , sensor(MouseFunctions::instance()->capabilities())
    , profile(PackageCreator::instance()->currentProfile())
{
    const int step = sensor.dpiStep;
    modeCombo = createCombo({tr("Set DPI Value"), tr("Increase DPI"), tr("Decrease DPI"), tr("Set DPI Level"),
                             tr("Next DPI Level"), tr("Previous DPI Level")});
    modeCombo->setObjectName(QStringLiteral("modeCombo"));
    valueLabel = new QLabel(tr("Dpi Value"), this);
    valueSlider = new QSlider(Qt::Horizontal, this);
    valueSlider->setObjectName(QStringLiteral("valueSlider"));
    valueSlider->setRange(step, sensor.maxDpi);
    valueSlider->setSingleStep(step);
    valueSlider->setPageStep(step);
    valueSlider->setValue(startDpi);
    valueSpin = createSpinBox(0, maximumTyped, startDpi);
    valueSpin->setObjectName(QStringLiteral("valueSpin"));
    valueSpin->setSingleStep(step);
    incrementLabel = new QLabel(tr("DPI Increment"), this);
    QStringList increments;
    if (step < 100)
        increments << QString::number(step);
    increments << QStringLiteral("100") << QStringLiteral("200") << QStringLiteral("300") << QStringLiteral("400")
               << QStringLiteral("500");
    incrementCombo = createCombo(increments);
    incrementCombo->setObjectName(QStringLiteral("incrementCombo"));
    levelCombo = createCombo({});
    levelCombo->setObjectName(QStringLiteral("levelCombo"));
    updateDpiLevelNumber();
    {
        const QSignalBlocker block(levelCombo);
        levelCombo->setCurrentIndex(0);
    }
    for (QWidget *widget : std::initializer_list<QWidget *>{modeCombo, valueLabel, valueSlider, valueSpin,
                                                            incrementLabel, incrementCombo, levelCombo})
        pageLayout()->addWidget(widget);
    pageLayout()->addStretch();
    valueSlider->installEventFilter(this);
    valueSpin->installEventFilter(this);

    connect(modeCombo, qOverload<int>(&QComboBox::currentIndexChanged), this, [this] { saveFrom(ModeCombo); });
    connect(incrementCombo, qOverload<int>(&QComboBox::currentIndexChanged), this, [this] { saveFrom(OtherCombo); });
    connect(levelCombo, qOverload<int>(&QComboBox::currentIndexChanged), this, [this] { saveFrom(OtherCombo); });
    connect(valueSpin, &QSpinBox::editingFinished, this, [this] { saveFrom(ValueSpin); });
    connect(valueSlider, &QSlider::valueChanged, this, [this] { saveFrom(ValueSlider); });
    save();
}

void TrackingDpi::show()
{
    updateDpiLevelNumber();
    oawidget::show();
}

bool TrackingDpi::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Wheel && (watched == valueSlider || watched == valueSpin))
        return true;
    return oawidget::eventFilter(watched, event);
}

void TrackingDpi::updateDpiLevelNumber()
{
    const int levels = profile ? std::max(1, int(profile->dpiRecord.levelCount)) : 1;
    QStringList items;
    for (int n = 1; n <= levels; ++n)
        items << QString::number(n);
    const int selected = levelCombo->currentIndex();
    const QSignalBlocker block(levelCombo);
    levelCombo->setItems(items);
    levelCombo->setCurrentIndex(selected < levels ? selected : -1);
}

void TrackingDpi::ensureConfig()
{
    createRecord<OutputAction_Tracking>(OutputType::DpiSelect);
}

void TrackingDpi::save()
{
    saveFrom(Call);
}

void TrackingDpi::showValueWidgets(int mode)
{
    for (QWidget *widget :
         {static_cast<QWidget *>(valueLabel), static_cast<QWidget *>(valueSlider), static_cast<QWidget *>(valueSpin)})
        widget->setVisible(mode == SetValue);
    incrementLabel->setVisible(mode == Increase || mode == Decrease);
    incrementCombo->setVisible(mode == Increase || mode == Decrease);
    levelCombo->setVisible(mode == SetLevel);
}

void TrackingDpi::saveFrom(Source source)
{
    ensureConfig();
    const int mode = modeCombo->currentIndex();
    showValueWidgets(mode);
    // A combo without a row shows a loaded value it lacks: the value stays,
    // until the user switches to that mode, which starts at its first row.
    const auto selectedRow = [source](ComboBox *combo) {
        if (combo->currentIndex() < 0 && source == ModeCombo) {
            const QSignalBlocker block(combo);
            combo->setCurrentIndex(0);
        }
        return combo->currentIndex();
    };
    int selection = -1;
    int value = -1;
    switch (mode) {
    case SetValue:
        if (source == ValueSpin) {
            const int snapped = sensor.snapDpi(valueSpin->value());
            valueSpin->setValue(snapped);
            const QSignalBlocker block(valueSlider);
            valueSlider->setValue(snapped);
        } else if (source == ValueSlider) {
            valueSpin->setValue(sensor.snapDpi(valueSlider->value()));
        }
        selection = OutputAction_Tracking::DpiSet;
        value = valueSpin->value();
        break;
    case Increase:
    case Decrease:
        selection = mode == Increase ? OutputAction_Tracking::DpiIncrease : OutputAction_Tracking::DpiDecrease;
        if (selectedRow(incrementCombo) >= 0)
            value = incrementCombo->currentText().toInt();
        break;
    case SetLevel:
        selection = OutputAction_Tracking::DpiGoToLevel;
        value = selectedRow(levelCombo);
        break;
    case NextLevel:
        selection = OutputAction_Tracking::DpiNextLevel;
        break;
    case PreviousLevel:
        selection = OutputAction_Tracking::DpiPreviousLevel;
        break;
    default: // a loaded selection the page does not offer
        break;
    }
    if (mayWrite()) {
        auto *r = record<OutputAction_Tracking>();
        if (selection >= 0)
            r->dpiSelectionType = selection;
        if (value >= 0)
            r->dpiValue = quint16(value);
    }
    announce();
}

// Ends with a save, so a load outside the loading flag emits updated() once.
void TrackingDpi::load(const OutputPtr &loaded)
{
    if (!takeRecord<OutputAction_Tracking>(loaded))
        return;
    const auto *r = record<OutputAction_Tracking>();
    {
        const QSignalBlocker blockMode(modeCombo);
        const QSignalBlocker blockSlider(valueSlider);
        const QSignalBlocker blockSpin(valueSpin);
        const QSignalBlocker blockIncrement(incrementCombo);
        const QSignalBlocker blockLevel(levelCombo);
        const int value = r->dpiValue;
        switch (r->dpiSelectionType) {
        case OutputAction_Tracking::DpiSet:
            modeCombo->setCurrentIndex(SetValue);
            valueSlider->setValue(value);
            valueSpin->setValue(value);
            break;
        case OutputAction_Tracking::DpiIncrease:
        case OutputAction_Tracking::DpiDecrease:
            modeCombo->setCurrentIndex(r->dpiSelectionType == OutputAction_Tracking::DpiIncrease ? Increase : Decrease);
            incrementCombo->setCurrentIndex(incrementCombo->findText(QString::number(value), Qt::MatchExactly));
            break;
        case OutputAction_Tracking::DpiGoToLevel:
            modeCombo->setCurrentIndex(SetLevel);
            levelCombo->setCurrentIndex(value < levelCombo->count() ? value : -1);
            break;
        case OutputAction_Tracking::DpiNextLevel:
            modeCombo->setCurrentIndex(NextLevel);
            break;
        case OutputAction_Tracking::DpiPreviousLevel:
            modeCombo->setCurrentIndex(PreviousLevel);
            break;
        default:
            modeCombo->setCurrentIndex(-1);
        }
    }
    save();
}
