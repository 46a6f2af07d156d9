#include "MouseMovementInput.h"

#include "InputEncoding.h"
#include "InputMapAction_Movement.h"
#include "StyleProperties.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QSpinBox>

MouseMovementInput::MouseMovementInput(InputMapActionConfig *mapping, const QString &modelKey, QWidget *parent)
    : SimpleInputType(mapping, modelKey, parent)
{
    addLabel(tr("Direction"), 75, false);
    m_directions = addCombo({tr("Left"), tr("Right"), tr("Up"), tr("Down"), tr("All")}, 90);
    m_directions->setObjectName(QStringLiteral("directionCombo"));
    addSpacer(20, true);

    addLabel(tr("Distance"), 75, false);
    m_distance = new QSpinBox(this);
    m_distance->setObjectName(QStringLiteral("distanceSpin"));
    m_distance->setRange(1, 65535);
    addSpinBox(m_distance, 60);
    addSpacer(20, true);

    addLabel(tr("Repeat"), 65, false);
    m_repeat = new QCheckBox(this);
    m_repeat->setObjectName(QStringLiteral("repeatCheck"));
    m_repeat->setFixedSize(20, 20);
    m_repeat->setProperty("check_type", QStringLiteral("input"));
    m_repeat->setProperty(StyleProperties::modelKey, modelKey);
    m_layout->addWidget(m_repeat);
    addSpacer(20, true);

    if (const auto *movement = dynamic_cast<InputMapAction_Movement *>(mapping)) {
        m_directions->setCurrentIndex(InputEncoding::movementIndex(movement->direction));
        m_distance->setValue(movement->countDivisor.value());
        m_repeat->setChecked(movement->repeat != 0);
    }
    connect(m_directions, &QComboBox::currentTextChanged, this, &MouseMovementInput::apply);
    connect(m_distance, QOverload<int>::of(&QSpinBox::valueChanged), this, &MouseMovementInput::apply);
    connect(m_repeat, &QCheckBox::stateChanged, this, &MouseMovementInput::apply);
}

void MouseMovementInput::apply()
{
    auto *movement = writable<InputMapAction_Movement>();
    if (!movement)
        return;
    InputEncoding::storeMovement(*movement, m_directions->currentIndex(), m_distance->value(), m_repeat->isChecked());
    announce();
}
