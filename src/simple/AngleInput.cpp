#include "AngleInput.h"

#include "InputEncoding.h"
#include "InputMapAction_Angle.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QHBoxLayout>
#include <QSignalBlocker>

AngleInput::AngleInput(InputMapActionConfig *mapping, const QString &modelKey, QWidget *parent)
    : SimpleInputType(mapping, modelKey, parent)
{
    const bool nested = mapping && mapping->parent;
    const auto *angle = dynamic_cast<InputMapAction_Angle *>(mapping);
    if (nested) {
        addLabel(tr("Axis"), 35, true);
        m_axes = addCombo({tr("Roll"), tr("Pitch"), tr("Yaw")}, 90);
        m_axes->setObjectName(QStringLiteral("axisCombo"));
        addSpacer(20, false);
        addLabel(tr("Direction"), 75, true);
        m_directions = addCombo({}, 90);
        m_directions->setObjectName(QStringLiteral("directionCombo"));
        m_directions->setMinimumWidth(90);
        m_directions->setMaximumWidth(110);
        addSpacer(20, false);
        if (angle)
            m_axes->setCurrentIndex(angle->axis);
        fillDirections();
        if (angle)
            m_directions->setCurrentIndex(InputEncoding::angleDirectionIndex(*angle));
    } else {
        m_layout->setAlignment(Qt::AlignLeft);
    }

    addLabel(tr("Angle"), 50, true);
    m_angle = new QDoubleSpinBox(this);
    m_angle->setObjectName(QStringLiteral("angleSpin"));
    m_angle->setRange(1, 179.9);
    m_angle->setDecimals(1);
    m_angle->setSingleStep(0.1);
    m_angle->setSuffix(QString(QChar(0x00B0)));
    addSpinBox(m_angle, 50);
    addSpacer(nested ? 20 : 400, false);
    if (angle)
        m_angle->setValue(InputEncoding::angle(*angle));

    if (m_axes) {
        connect(m_axes, &QComboBox::currentTextChanged, this, &AngleInput::apply);
        connect(m_directions, &QComboBox::currentTextChanged, this, &AngleInput::apply);
    }
    connect(m_angle, QOverload<double>::of(&QDoubleSpinBox::valueChanged), this, &AngleInput::apply);
}

void AngleInput::fillDirections()
{
    const QSignalBlocker blocker(m_directions);
    const int index = m_directions->currentIndex();
    m_directions->clear();
    if (m_axes->currentIndex() == 1)
        m_directions->addItems({tr("Forward"), tr("Back")});
    else
        m_directions->addItems({tr("Left"), tr("Right")});
    m_directions->setCurrentIndex(qMax(0, index));
}

void AngleInput::apply()
{
    auto *angle = writable<InputMapAction_Angle>();
    if (!angle)
        return;
    if (m_axes) {
        InputEncoding::storeChildAngle(*angle, qMax(0, m_axes->currentIndex()), qMax(0, m_directions->currentIndex()),
                                       m_angle->value());
        fillDirections();
    } else {
        InputEncoding::storeTopLevelAngle(*angle, m_angle->value());
    }
    announce();
}
