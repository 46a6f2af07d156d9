#include "VibrationPanel.h"

#include "InputMapActionConfig.h"
#include "OutputAction_Haptic.h"
#include "PackageCreator.h"
#include "PickerEdits.h"
#include "StyleProperties.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QResizeEvent>
#include <QSlider>
#include <QSpinBox>

namespace {
// A new record pulses this long, in hundredths of a second.
constexpr int newPulse = 7;
// Narrower than this, the panel shows the spin box alone.
constexpr int widthForSlider = 280;
} // namespace

VibrationPanel::VibrationPanel(InputMapActionConfig *mapping, QWidget *parent)
    : QWidget(parent)
    , m_model(PackageCreator::instance())
    , m_mapping(mapping)
{
    m_label = new QLabel(tr("Vibration Strength"), this);
    m_label->setFixedSize(134, 24);
    m_label->setProperty("label_type", QStringLiteral("vibration_name"));
    m_spin = new QSpinBox(this);
    m_spin->setObjectName(QStringLiteral("vibrationSpin"));
    m_spin->setFixedSize(60, 24);
    m_spin->setRange(0, 120);
    m_spin->setSuffix(QStringLiteral("%"));
    m_spin->setAlignment(Qt::AlignCenter);
    m_spin->setProperty("spin_type", QStringLiteral("input"));
    m_slider = new QSlider(Qt::Horizontal, this);
    m_slider->setObjectName(QStringLiteral("vibrationSlider"));
    m_slider->setFixedHeight(24);
    m_slider->setRange(0, 100);
    m_slider->setProperty("slider_type", QStringLiteral("input_horizontal"));

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(15, 3, 0, 0);
    layout->setSpacing(10);
    layout->addWidget(m_label);
    layout->addWidget(m_spin);
    layout->addWidget(m_slider);
    layout->addSpacerItem(new QSpacerItem(5, 1));

    takeRecord();
    showStrength();
    connect(m_spin, qOverload<int>(&QSpinBox::valueChanged), this, &VibrationPanel::valueSync);
    connect(m_slider, &QSlider::valueChanged, this, &VibrationPanel::valueSync);
}

VibrationPanel::~VibrationPanel() = default;

void VibrationPanel::takeRecord()
{
    m_haptic = m_mapping ? PickerEdits::firstHaptic(m_mapping->activationOutputs) : nullptr;
    if (!m_haptic) {
        m_haptic = std::make_shared<OutputAction_Haptic>(OutputType::Haptic);
        m_haptic->duration.setValue(newPulse);
    }
}

void VibrationPanel::showStrength()
{
    const int shown = m_haptic->strength * 12 / 10; // times 1.2, truncated
    const QSignalBlocker blockSpin(m_spin);
    const QSignalBlocker blockSlider(m_slider);
    m_spin->setValue(shown);
    m_slider->setValue(shown);
}

void VibrationPanel::setConfig(InputMapActionConfig *mapping)
{
    const bool other = mapping != m_mapping;
    m_mapping = mapping;
    takeRecord();
    // The panel's own copy comes back through the owner: the values the user
    // is setting stay as they are.
    if (other)
        showStrength();
}

void VibrationPanel::setModelKey(const QString &key)
{
    for (QWidget *widget : {static_cast<QWidget *>(this), static_cast<QWidget *>(m_label),
                            static_cast<QWidget *>(m_spin), static_cast<QWidget *>(m_slider)}) {
        widget->setProperty(StyleProperties::modelKey, key);
        StyleProperties::repolish(widget);
    }
}

void VibrationPanel::valueSync(int value)
{
    {
        const QSignalBlocker blockSpin(m_spin);
        const QSignalBlocker blockSlider(m_slider);
        m_spin->setValue(value);
        m_slider->setValue(value); // stops at 100
    }
    if (m_model->loading || !m_mapping)
        return;
    bool copied = false;
    InputMapActionConfig *mapping = PickerEdits::writable(m_mapping, &copied);
    if (copied) {
        // The copy holds clones of the records: change the copy's.
        m_mapping = mapping;
        takeRecord();
    }
    OutputList &press = m_mapping->activationOutputs;
    if (const auto existing = PickerEdits::firstHaptic(press))
        m_haptic = existing;
    else
        press << m_haptic;
    m_haptic->strength = quint8(m_spin->value() * 10 / 12); // divided by 1.2, truncated
    if (m_spin->value() == 0)
        press.removeAll(m_haptic);
    emit m_model->updateMemoryUsed();
    if (copied)
        emit configChanged(m_mapping);
}

void VibrationPanel::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    m_slider->setVisible(event->size().width() > widthForSlider);
}
