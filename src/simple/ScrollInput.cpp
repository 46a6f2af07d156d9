#include "ScrollInput.h"

#include "InputMapAction_Scroll.h"

#include <QComboBox>

ScrollInput::ScrollInput(InputMapActionConfig *mapping, const QString &modelKey, QWidget *parent)
    : SimpleInputType(mapping, modelKey, parent)
{
    m_directions = addChoice(tr("Direction"), 80, {tr("Push Forward"), tr("Pull Back"), tr("Both")},
                             QStringLiteral("directionCombo"));
    if (const auto *scroll = dynamic_cast<InputMapAction_Scroll *>(mapping))
        m_directions->setCurrentIndex(scroll->wheelDirection);
    connect(m_directions, &QComboBox::currentTextChanged, this, &ScrollInput::apply);
}

void ScrollInput::apply()
{
    storeIndex(m_directions, &InputMapAction_Scroll::wheelDirection);
}
