#include "ButtonInput.h"

#include "ButtonIds.h"
#include "InputMapAction_Button.h"

#include <QComboBox>

ButtonInput::ButtonInput(InputMapActionConfig *mapping, const QString &modelKey, QWidget *parent)
    : SimpleInputType(mapping, modelKey, parent)
{
    addLabel(tr("Button"), 65, true);
    QStringList names;
    for (int id = ButtonIds::LeftButton; id < ButtonIds::None; ++id)
        names << ButtonIds::name(id, false);
    m_buttons = addCombo(names, 180);
    m_buttons->setObjectName(QStringLiteral("buttonCombo"));
    addSpacer(150, true);

    if (const auto *button = dynamic_cast<InputMapAction_Button *>(mapping))
        m_buttons->setCurrentIndex(button->buttonId < ButtonIds::None ? button->buttonId : -1);
    connect(m_buttons, &QComboBox::currentTextChanged, this, &ButtonInput::apply);
}

void ButtonInput::apply()
{
    if (m_buttons->currentIndex() < 0)
        return;
    auto *button = writable<InputMapAction_Button>();
    if (!button)
        return;
    button->buttonId = m_buttons->currentIndex();
    announce();
}
