#include "LightingOled.h"

#include "ComboBox.h"
#include "OutputAction_Oled.h"

#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>

LightingOled::LightingOled(QWidget *parent)
    : oawidget(parent)
{
    actionCombo = createCombo({tr("Show"), tr("Flash"), tr("Show Previous")});
    actionCombo->setObjectName(QStringLiteral("actionCombo"));
    contentCombo =
        createCombo({tr("Custom Message"), tr("Current Dpi"), tr("Current Profile"), tr("Force Press Forces"),
                     tr("Tilt Angles"), tr("Animated Cube"), tr("Firmware Version"), tr("Blank")});
    contentCombo->setObjectName(QStringLiteral("contentCombo"));
    pageLayout()->addWidget(actionCombo);
    pageLayout()->addWidget(contentCombo);
    pageLayout()->addStretch();

    QWidget *second = createExtraRow();
    auto *secondLayout = new QHBoxLayout(second);
    secondLayout->setContentsMargins(0, 0, 0, 0);
    secondLayout->setSpacing(15);
    durationLabel = new QLabel(tr("Duration") + QStringLiteral(": "), second);
    durationLabel->setFixedWidth(86);
    durationSpin = createDurationSpin(1.5, QStringLiteral(" s"), second);
    durationSpin->setObjectName(QStringLiteral("durationSpin"));
    durationSpin->setButtonSymbols(QAbstractSpinBox::NoButtons);
    durationSpin->setAlignment(Qt::AlignCenter);
    textLabel = new QLabel(tr("Text") + QStringLiteral(": "), second);
    textEdit = new QLineEdit(second);
    textEdit->setObjectName(QStringLiteral("textEdit"));
    textEdit->setFixedSize(210, 28);
    textEdit->setMaxLength(maximumMessageLength);
    textEdit->setClearButtonEnabled(true);
    // Parented to the page like every shared combo, then placed on the line.
    waitCombo = createWaitCombo();
    waitCombo->setObjectName(QStringLiteral("waitCombo"));
    for (QWidget *widget :
         std::initializer_list<QWidget *>{durationLabel, durationSpin, textLabel, textEdit, waitCombo})
        secondLayout->addWidget(widget);
    secondLayout->addStretch();

    connect(actionCombo, qOverload<int>(&QComboBox::currentIndexChanged), this, &LightingOled::save);
    connect(contentCombo, qOverload<int>(&QComboBox::currentIndexChanged), this, &LightingOled::save);
    connect(waitCombo, qOverload<int>(&QComboBox::currentIndexChanged), this, &LightingOled::save);
    connect(durationSpin, qOverload<double>(&QDoubleSpinBox::valueChanged), this, &LightingOled::save);
    connect(textEdit, &QLineEdit::textChanged, this, &LightingOled::save);
    save();
}

bool LightingOled::hasExtraRow() const
{
    return !durationSpin->isHidden() || !textEdit->isHidden() || !waitCombo->isHidden();
}

void LightingOled::ensureConfig()
{
    createRecord<OutputAction_Oled>(OutputType::OledShow);
}

// The controls follow the action and the content: the flash adds its
// duration and wait, the custom message its text; "Show Previous" needs none.
void LightingOled::showControls()
{
    const int action = actionCombo->currentIndex();
    const bool content = action == Show || action == Flash;
    const bool flash = action == Flash;
    const bool text = content && contentCombo->currentIndex() == CustomMessage;
    contentCombo->setVisible(content);
    durationLabel->setVisible(flash);
    durationSpin->setVisible(flash);
    waitCombo->setVisible(flash);
    textLabel->setVisible(text);
    textEdit->setVisible(text);
}

void LightingOled::save()
{
    ensureConfig();
    showControls();
    limitDuration(durationSpin);
    if (mayWrite()) {
        auto *r = record<OutputAction_Oled>();
        switch (actionCombo->currentIndex()) {
        case Show:
            r->typeCode = OutputType::OledShow;
            break;
        case Flash:
            r->typeCode = OutputType::OledFlash;
            break;
        case ShowPrevious:
            r->typeCode = OutputType::OledPrevious;
            break;
        }
        const int content = contentCombo->currentIndex();
        if (content == CustomMessage) {
            r->message.clear();
            r->message.append(textEdit->text().toLatin1());
            r->oledMode = r->message.isEmpty() ? OutputAction_Oled::OledBlank : OutputAction_Oled::OledMessage;
        } else if (content == Blank) {
            r->oledMode = OutputAction_Oled::OledBlank;
        } else if (content > CustomMessage) {
            r->oledMode = content + 1;
        }
        r->flashDuration.setValue(hundredths(durationSpin->value()));
        if (waitCombo->currentIndex() >= 0)
            r->flashOption = waitCombo->currentIndex();
    }
    announce();
}

// Ends with a save, so a load outside the loading flag emits updated() once.
void LightingOled::load(const OutputPtr &loaded)
{
    if (!takeRecord<OutputAction_Oled>(loaded))
        return;
    const auto *r = record<OutputAction_Oled>();
    {
        const QSignalBlocker blockAction(actionCombo);
        const QSignalBlocker blockContent(contentCombo);
        const QSignalBlocker blockDuration(durationSpin);
        const QSignalBlocker blockText(textEdit);
        const QSignalBlocker blockWait(waitCombo);
        switch (r->typeCode) {
        case OutputType::OledShow:
            actionCombo->setCurrentIndex(Show);
            break;
        case OutputType::OledFlash:
            actionCombo->setCurrentIndex(Flash);
            break;
        case OutputType::OledPrevious:
            actionCombo->setCurrentIndex(ShowPrevious);
            break;
        }
        const int kind = r->oledMode;
        if (kind == OutputAction_Oled::OledMessage && !r->message.isEmpty()) {
            contentCombo->setCurrentIndex(CustomMessage);
            textEdit->setText(QString::fromLatin1(r->message));
        } else if (kind == OutputAction_Oled::OledMessage || kind == OutputAction_Oled::OledBlank) {
            contentCombo->setCurrentIndex(Blank);
        } else if (kind > OutputAction_Oled::OledMessage && kind <= OutputAction_Oled::OledFirmwareVersion) {
            contentCombo->setCurrentIndex(kind - 1);
        } else {
            // A content the combo lacks selects nothing and is kept.
            contentCombo->setCurrentIndex(-1);
        }
        durationSpin->setValue(r->flashDuration.value() / 100.0);
        if (r->flashOption == 0 || r->flashOption == 1)
            waitCombo->setCurrentIndex(r->flashOption);
    }
    save();
}
