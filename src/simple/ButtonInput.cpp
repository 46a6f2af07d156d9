#include "ButtonInput.h"

#include "ButtonIds.h"
#include "InputMapAction_Button.h"

#include <QComboBox>

ButtonInput::ButtonInput(InputMapActionConfig *mapping, const QString &modelKey, QWidget *parent)
    : SimpleInputType(mapping, modelKey, parent)
{
    QStringList names;
    for (int id = ButtonIds::LeftButton; id < ButtonIds::None; ++id)
        names << ButtonIds::name(id, false);
    m_buttons = addChoice(tr("Button"), 65, names, QStringLiteral("buttonCombo"));
    if (const auto *button = dynamic_cast<InputMapAction_Button *>(mapping))
        m_buttons->setCurrentIndex(button->buttonId < ButtonIds::None ? button->buttonId : -1);
    connect(m_buttons, &QComboBox::currentTextChanged, this, &ButtonInput::apply);
}

void ButtonInput::apply()
{
    storeIndex(m_buttons, &InputMapAction_Button::buttonId);
}
