#include "Vibration.h"

#include "ComboBox.h"
#include "OutputAction_Haptic.h"

#include <QDoubleSpinBox>
#include <QEvent>
#include <QLabel>
#include <QSlider>
#include <QSpinBox>

#include <algorithm>

namespace {
constexpr int labelWidth = 140;
constexpr int sliderWidth = 210;
constexpr int waitOption = 128;

QLabel *titleLabel(const QString &text, QWidget *parent)
{
    return new QLabel(text + QStringLiteral(": "), parent);
}

QSlider *fixedSlider(int maximum, int start, QWidget *parent)
{
    auto *slider = new QSlider(Qt::Horizontal, parent);
    slider->setFixedWidth(sliderWidth);
    slider->setRange(0, maximum);
    slider->setValue(start);
    return slider;
}
} // namespace

Vibration::Vibration(QWidget *parent)
    : oawidget(parent)
{
    strengthSpin = new QSpinBox(this);
    strengthSpin->setObjectName(QStringLiteral("strengthSpin"));
    strengthSpin->setRange(0, 999);
    strengthSpin->setValue(100);
    strengthSpin->setSuffix(QStringLiteral(" %"));
    strengthSlider = fixedSlider(maximumStrength, 100, this);
    strengthSlider->setObjectName(QStringLiteral("strengthSlider"));
    waitCombo = createWaitCombo();
    waitCombo->setObjectName(QStringLiteral("waitCombo"));
    QLabel *strengthLabel = titleLabel(tr("Vibration Strength"), this);
    pageLayout()->addWidget(strengthLabel);
    pageLayout()->addWidget(strengthSpin);
    pageLayout()->addWidget(strengthSlider);
    pageLayout()->addWidget(waitCombo);
    pageLayout()->addStretch();

    QWidget *second = createExtraRow();
    auto *secondLayout = new QHBoxLayout(second);
    secondLayout->setContentsMargins(0, 0, 0, 0);
    secondLayout->setSpacing(15);
    durationSpin = createDurationSpin(0.07, QStringLiteral("s"), second);
    durationSpin->setObjectName(QStringLiteral("durationSpin"));
    durationSlider = fixedSlider(100, 0, second);
    durationSlider->setObjectName(QStringLiteral("durationSlider"));
    QLabel *durationLabel = titleLabel(tr("Duration"), second);
    secondLayout->addWidget(durationLabel);
    secondLayout->addWidget(durationSpin);
    secondLayout->addWidget(durationSlider);
    secondLayout->addStretch();

    // One width for both titles, so the controls of the two lines align; wider
    // than 140 only where a font needs it.
    const int width = std::max({labelWidth, strengthLabel->sizeHint().width(), durationLabel->sizeHint().width()});
    strengthLabel->setFixedWidth(width);
    durationLabel->setFixedWidth(width);

    strengthSlider->installEventFilter(this);
    durationSlider->installEventFilter(this);
    recolour();

    connect(waitCombo, qOverload<int>(&QComboBox::currentIndexChanged), this, [this] { saveFrom(Call); });
    connect(strengthSpin, qOverload<int>(&QSpinBox::valueChanged), this, [this] { saveFrom(StrengthSpin); });
    connect(strengthSlider, &QSlider::valueChanged, this, [this] { saveFrom(StrengthSlider); });
    connect(durationSpin, qOverload<double>(&QDoubleSpinBox::valueChanged), this, [this] { saveFrom(DurationSpin); });
    connect(durationSlider, &QSlider::valueChanged, this, [this] { saveFrom(DurationSlider); });
}

bool Vibration::hasExtraRow() const
{
    return true;
}

bool Vibration::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Wheel && (watched == strengthSlider || watched == durationSlider))
        return true;
    return oawidget::eventFilter(watched, event);
}

QString Vibration::strengthSliderStyle(int value)
{
    const QString rule = QStringLiteral("QSlider::%1-page:horizontal { background: qlineargradient(spread:pad, "
                                        "x1:%2, y1:0.50000, x2:%3, y2:0.50000, stop:0 %4, stop:1 %5); }");
    const auto page = [&rule](const char *which, double p, const char *c0, const char *c1) {
        return rule.arg(QLatin1String(which))
            .arg(p, 0, 'f', 5)
            .arg(p + 0.001, 0, 'f', 5)
            .arg(QLatin1String(c0), QLatin1String(c1));
    };
    const double v = value;
    if (value < 100)
        return page("sub", 0, "#ffd400", "#ffd400") + QLatin1Char('\n')
               + page("add", (100 - 100 / (120 - v) * 20 - 2) / 100, "#b3b3b3", "#ff5959");
    return page("sub", (100 - (v - 100) * (100 / v) + 1.2) / 100, "#ffd400", "#ff5959") + QLatin1Char('\n')
           + page("add", 0, "#b3b3b3", "#ff5959");
}

void Vibration::recolour()
{
    strengthSlider->setStyleSheet(strengthSliderStyle(strengthSlider->value()));
}

void Vibration::ensureConfig()
{
    createRecord<OutputAction_Haptic>(OutputType::Haptic);
}

void Vibration::save()
{
    saveFrom(Call);
}

// Setting a box from its slider, or down to its limit, saves again; both runs
// store the same values.
void Vibration::saveFrom(Source source)
{
    ensureConfig();
    switch (source) {
    case StrengthSpin: {
        if (strengthSpin->value() > maximumStrength)
            strengthSpin->setValue(maximumStrength);
        const QSignalBlocker block(strengthSlider);
        strengthSlider->setValue(strengthSpin->value());
        recolour();
        break;
    }
    case DurationSpin: {
        limitDuration(durationSpin);
        const QSignalBlocker block(durationSlider);
        durationSlider->setValue(hundredths(durationSpin->value()) / 10);
        break;
    }
    case StrengthSlider:
        strengthSpin->setValue(strengthSlider->value());
        recolour();
        break;
    case DurationSlider:
        durationSpin->setValue(durationSlider->value() / 10.0);
        break;
    case Call:
        break;
    }
    if (mayWrite()) {
        auto *r = record<OutputAction_Haptic>();
        // The shown percentage divided by 1.2, halves rounded up.
        r->strength = quint8(qMin(255, (strengthSpin->value() * 10 + 6) / 12));
        r->duration.setValue(hundredths(durationSpin->value()));
        if (waitCombo->currentIndex() >= 0)
            r->hapticOption = waitCombo->currentIndex() == 1 ? waitOption : 0;
    }
    announce();
}

void Vibration::load(const OutputPtr &loaded)
{
    if (!takeRecord<OutputAction_Haptic>(loaded))
        return;
    const auto *r = record<OutputAction_Haptic>();
    const QSignalBlocker blockStrength(strengthSpin);
    const QSignalBlocker blockStrengthSlider(strengthSlider);
    const QSignalBlocker blockDuration(durationSpin);
    const QSignalBlocker blockDurationSlider(durationSlider);
    const QSignalBlocker blockWait(waitCombo);
    // The stored strength times 1.2, halves rounded up.
    const int strength = (r->strength * 12 + 5) / 10;
    strengthSpin->setValue(strength);
    strengthSlider->setValue(strength);
    durationSpin->setValue(r->duration.value() / 100.0);
    durationSlider->setValue(r->duration.value() / 10);
    waitCombo->setCurrentIndex(r->hapticOption != 0 ? 1 : 0);
    recolour();
}
