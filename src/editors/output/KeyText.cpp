#include "KeyText.h"

#include "OutputAction_Keyboard.h"

#include <QLineEdit>

KeyText::KeyText(QWidget *parent)
    : oawidget(parent)
{
    textEdit = new QLineEdit(this);
    textEdit->setObjectName(QStringLiteral("textEdit"));
    textEdit->setFixedHeight(comboHeight);
    textEdit->setMaxLength(maximumLength);
    textEdit->setClearButtonEnabled(true);
    pageLayout()->addWidget(textEdit);

    connect(textEdit, &QLineEdit::textChanged, this, &KeyText::save);
}

bool KeyText::isInvalid()
{
    const bool empty = textEdit->text().isEmpty();
    textEdit->setStyleSheet(empty ? QStringLiteral("QLineEdit { border: 2px solid rgba(255, 89, 89, 205); }")
                                  : QStringLiteral("QLineEdit { border: 2px solid rgba(0, 0, 0, 38); }"));
    return empty;
}

void KeyText::ensureConfig()
{
    createRecord<OutputAction_Keyboard>(OutputType::KeyString);
}

void KeyText::save()
{
    ensureConfig();
    // Characters outside Latin-1 become "?".
    if (mayWrite())
        record<OutputAction_Keyboard>()->keyString = textEdit->text().toLatin1();
    announce();
}

void KeyText::load(const OutputPtr &loaded)
{
    if (!takeRecord<OutputAction_Keyboard>(loaded))
        return;
    const QSignalBlocker block(textEdit);
    textEdit->setText(QString::fromLatin1(record<OutputAction_Keyboard>()->keyString));
}
