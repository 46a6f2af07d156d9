#include "JoystickButtons.h"

#include "ComboBox.h"
#include "OutputAction_Joystick.h"

#include <QLabel>

JoystickButtons::JoystickButtons(QWidget *parent)
    : oawidget(parent)
{
    QStringList buttons;
    for (int n = 1; n <= buttonCount; ++n)
        buttons << QString::number(n);
    buttonCombo = createCombo(buttons);
    buttonCombo->setObjectName(QStringLiteral("buttonCombo"));
    modeCombo = createModeCombo();
    modeCombo->setObjectName(QStringLiteral("modeCombo"));
    pageLayout()->addWidget(new QLabel(tr("Joystick Button"), this));
    pageLayout()->addWidget(buttonCombo);
    pageLayout()->addWidget(modeCombo);
    pageLayout()->addStretch();

    connect(buttonCombo, qOverload<int>(&QComboBox::currentIndexChanged), this, &JoystickButtons::save);
    connect(modeCombo, qOverload<int>(&QComboBox::currentIndexChanged), this, &JoystickButtons::save);
}

int JoystickButtons::buttonIndex() const
{
    return buttonCombo->currentIndex();
}

int JoystickButtons::modeIndex() const
{
    return modeCombo->currentIndex();
}

void JoystickButtons::ensureConfig()
{
    createRecord<OutputAction_Joystick>(OutputType::JoystickButton);
}

void JoystickButtons::save()
{
    ensureConfig();
    auto *r = record<OutputAction_Joystick>();
    // A loaded button the combo lacks stays as it is.
    if (buttonCombo->currentIndex() >= 0 && mayWrite())
        r->buttonId = quint8(buttonCombo->currentIndex());
    saveButtonState(modeCombo, r->buttonState);
}

void JoystickButtons::load(const OutputPtr &loaded)
{
    if (!takeRecord<OutputAction_Joystick>(loaded))
        return;
    const auto *r = record<OutputAction_Joystick>();
    const QSignalBlocker block(buttonCombo);
    buttonCombo->setCurrentIndex(r->buttonId < buttonCount ? r->buttonId : -1);
    showButtonState(modeCombo, r->buttonState);
}
