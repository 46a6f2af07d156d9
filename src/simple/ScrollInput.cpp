#include "ScrollInput.h"

#include "InputMapAction_Scroll.h"

#include <QComboBox>

ScrollInput::ScrollInput(InputMapActionConfig *mapping, const QString &modelKey, QWidget *parent)
    : SimpleInputType(mapping, modelKey, parent)
{
    addLabel(tr("Direction"), 80, true);
    m_directions = addCombo({tr("Push Forward"), tr("Pull Back"), tr("Both")}, 180);
    m_directions->setObjectName(QStringLiteral("directionCombo"));
    addSpacer(150, true);

    if (const auto *scroll = dynamic_cast<InputMapAction_Scroll *>(mapping))
        m_directions->setCurrentIndex(scroll->wheelDirection);
    connect(m_directions, &QComboBox::currentTextChanged, this, &ScrollInput::apply);
}

void ScrollInput::apply()
{
    if (m_directions->currentIndex() < 0)
        return;
    auto *scroll = writable<InputMapAction_Scroll>();
    if (!scroll)
        return;
    scroll->wheelDirection = m_directions->currentIndex();
    announce();
}
