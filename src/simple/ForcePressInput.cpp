#include "ForcePressInput.h"

#include "InputEncoding.h"
#include "InputMapAction_Force.h"
#include "StyleProperties.h"

#include <QHBoxLayout>
#include <QSignalBlocker>
#include <QSlider>
#include <QSpinBox>

ForcePressInput::ForcePressInput(InputMapActionConfig *mapping, const QString &modelKey, QWidget *parent)
    : SimpleInputType(mapping, modelKey, parent)
{
    addLabel(tr("Force"), 60, false);
    m_force = new QSpinBox(this);
    m_force->setObjectName(QStringLiteral("forceSpin"));
    m_force->setRange(10, 99);
    m_force->setSuffix(QStringLiteral("%"));
    addSpinBox(m_force, 60);
    addSpacer(20, false);

    m_slider = new QSlider(Qt::Horizontal, this);
    m_slider->setObjectName(QStringLiteral("forceSlider"));
    m_slider->setFixedHeight(24);
    m_slider->setMinimumWidth(225);
    m_slider->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    m_slider->setRange(10, 99);
    m_slider->setProperty("slider_type", QStringLiteral("input_horizontal"));
    m_slider->setProperty(StyleProperties::modelKey, modelKey);
    m_layout->addWidget(m_slider);

    if (const auto *force = dynamic_cast<InputMapAction_Force *>(mapping)) {
        m_force->setValue(InputEncoding::forcePercent(*force));
        m_slider->setValue(InputEncoding::forcePercent(*force));
    }
    connect(m_force, QOverload<int>::of(&QSpinBox::valueChanged), this, &ForcePressInput::valueSync);
    connect(m_slider, &QSlider::valueChanged, this, &ForcePressInput::valueSync);
}

void ForcePressInput::valueSync(int value)
{
    {
        const QSignalBlocker spinBlocker(m_force);
        const QSignalBlocker sliderBlocker(m_slider);
        if (sender() == m_slider)
            m_force->setValue(value);
        else
            m_slider->setValue(value);
    }
    apply();
}

void ForcePressInput::apply()
{
    auto *force = writable<InputMapAction_Force>();
    if (!force)
        return;
    InputEncoding::storeForce(*force, m_force->value());
    announce();
}
