#include "RenameDialogBase.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

RenameDialogBase::RenameDialogBase(QWidget *parent)
    : QDialog(parent)
{}

void RenameDialogBase::setUpWindow()
{
    setWindowFlags(Qt::Tool | Qt::FramelessWindowHint);
    setAttribute(Qt::WA_TranslucentBackground);
    setModal(true);
}

void RenameDialogBase::setUpEditing(QLineEdit *edit, QPushButton *ok, QPushButton *cancel, const QString &currentName,
                                    int maxLength)
{
    m_edit = edit;
    m_ok = ok;
    connect(edit, &QLineEdit::textChanged, this, &RenameDialogBase::updateButton);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    m_originalName = currentName;
    edit->setMaxLength(maxLength);
    edit->setText(currentName);
    // An empty starting name changes no text: the button is set here too.
    updateButton();
    edit->setFocus();
}

QString RenameDialogBase::newName() const
{
    return m_edit->text().trimmed();
}

bool RenameDialogBase::isAcceptableName(const QString &text, const QString &originalName)
{
    const QString trimmed = text.trimmed();
    return !trimmed.isEmpty() && trimmed != originalName;
}

void RenameDialogBase::updateButton()
{
    m_ok->setEnabled(isAcceptableName(m_edit->text(), m_originalName));
}

void RenameDialogBase::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        // A key must not get past the check that keeps OK disabled: an empty
        // or unchanged name would be accepted.
        if (m_ok->isEnabled())
            accept();
        return;
    }
    QDialog::keyPressEvent(event);
}
