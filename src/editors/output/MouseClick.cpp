#include "MouseClick.h"

#include "ComboBox.h"
#include "OutputAction_Mouse.h"

MouseClick::MouseClick(QWidget *parent)
    : oawidget(parent)
{
    QStringList buttons{tr("1 (Left Click)"), tr("2 (Right Click)"), tr("3 (Middle Click)")};
    for (int n = 4; n <= 16; ++n)
        buttons << QString::number(n);
    buttonCombo = createCombo(buttons);
    buttonCombo->setObjectName(QStringLiteral("buttonCombo"));
    modeCombo = createModeCombo();
    modeCombo->setObjectName(QStringLiteral("modeCombo"));
    pageLayout()->addWidget(buttonCombo);
    pageLayout()->addWidget(modeCombo);
    pageLayout()->addStretch();

    connect(buttonCombo, qOverload<int>(&QComboBox::currentIndexChanged), this, &MouseClick::save);
    connect(modeCombo, qOverload<int>(&QComboBox::currentIndexChanged), this, &MouseClick::save);
    save();
}

void MouseClick::ensureConfig()
{
    createRecord<OutputAction_Mouse>(OutputType::MouseButton);
}

void MouseClick::save()
{
    ensureConfig();
    auto *r = record<OutputAction_Mouse>();
    // A loaded button the combo lacks stays as it is.
    if (buttonCombo->currentIndex() >= 0 && mayWrite())
        r->buttonId = quint8(buttonCombo->currentIndex());
    saveButtonState(modeCombo, r->buttonState);
}

void MouseClick::load(const OutputPtr &loaded)
{
    if (!takeRecord<OutputAction_Mouse>(loaded))
        return;
    const auto *r = record<OutputAction_Mouse>();
    const QSignalBlocker block(buttonCombo);
    buttonCombo->setCurrentIndex(r->buttonId < buttonCombo->count() ? r->buttonId : -1);
    showButtonState(modeCombo, r->buttonState);
}
