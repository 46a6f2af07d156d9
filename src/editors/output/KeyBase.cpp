#include "KeyBase.h"

#include "ComboBox.h"
#include "OutputAction_Keyboard.h"

KeyBase::KeyBase(int group, QWidget *parent)
    : oawidget(parent)
    , group(group)
{
    keyCombo = createCombo(OutputAction_Keyboard::keyNames(group));
    keyCombo->setObjectName(QStringLiteral("keyCombo"));
    modeCombo = createModeCombo();
    modeCombo->setObjectName(QStringLiteral("modeCombo"));
    pageLayout()->addWidget(keyCombo);
    pageLayout()->addWidget(modeCombo);
    pageLayout()->addStretch();

    connect(keyCombo, qOverload<int>(&QComboBox::currentIndexChanged), this, &KeyBase::save);
    connect(modeCombo, qOverload<int>(&QComboBox::currentIndexChanged), this, &KeyBase::save);
    save();
}

bool KeyBase::isMedia() const
{
    return group == OutputAction_Keyboard::mediaGroup;
}

void KeyBase::ensureConfig()
{
    if (config())
        return;
    if (isMedia())
        createRecord<OutputAction_Keyboard>(OutputType::MediaKey);
    else
        createRecord<OutputAction_Keyboard>(OutputType::Key)->keyGroup = group;
}

void KeyBase::save()
{
    ensureConfig();
    auto *r = record<OutputAction_Keyboard>();
    const int index = keyCombo->currentIndex();
    if (index >= 0 && mayWrite()) {
        if (isMedia())
            r->mediaUsage.setValue(OutputAction_Keyboard::mediaUsageAt(index));
        else
            r->keyUsage = quint8(OutputAction_Keyboard::keyUsageAt(group, index));
    }
    saveButtonState(modeCombo, r->buttonState);
}

void KeyBase::load(const OutputPtr &loaded)
{
    if (!takeRecord<OutputAction_Keyboard>(loaded))
        return;
    const auto *r = record<OutputAction_Keyboard>();
    showButtonState(modeCombo, r->buttonState);
    const QSignalBlocker block(keyCombo);
    // The whole 16 bits: a consumer usage above 0xFF is no key of the list.
    keyCombo->setCurrentIndex(isMedia() ? OutputAction_Keyboard::mediaNameIndex(r->mediaUsage.value())
                                        : OutputAction_Keyboard::keyNameIndex(group, r->keyUsage));
}

void KeyBase::setRelease(int keyIndex)
{
    keyCombo->setCurrentIndex(keyIndex);
    modeCombo->setCurrentIndex(rowForButtonState(OutputActionConfig::ButtonRelease));
}

int KeyBase::keyIndex() const
{
    return keyCombo->currentIndex();
}

int KeyBase::modeIndex() const
{
    return modeCombo->currentIndex();
}
