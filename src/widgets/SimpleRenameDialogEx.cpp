#include "SimpleRenameDialogEx.h"

#include "StyleProperties.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>

SimpleRenameDialogEx::SimpleRenameDialogEx(const QString &currentName, QWidget *parent, const QString &modelKey,
                                           const QString &labelText, const QString &okText, QLayout *extra,
                                           int maxLength)
    : RenameDialogBase(parent)
{
    setUpWindow();

    auto *outer = new QVBoxLayout(this);
    auto *frame = new QFrame(this);
    frame->setMinimumWidth(390);
    frame->setFrameShape(QFrame::StyledPanel);
    frame->setFrameShadow(QFrame::Raised);
    frame->setProperty("frame_type", QStringLiteral("dialog_background"));
    outer->addWidget(frame);

    auto *column = new QVBoxLayout(frame);
    column->setContentsMargins(30, 25, 30, 25);
    auto *label = new QLabel(labelText, frame);
    label->setProperty("label_type", QStringLiteral("dialog"));
    column->addWidget(label);
    auto *edit = new QLineEdit(frame);
    edit->setMinimumWidth(328);
    edit->setProperty("edit_type", QStringLiteral("dialog"));
    column->addWidget(edit);
    if (extra)
        column->addLayout(extra);
    column->addSpacing(20);

    auto *buttons = new QHBoxLayout;
    buttons->setAlignment(Qt::AlignRight);
    buttons->setSpacing(20);
    auto *cancel = new QPushButton(tr("Cancel"), frame);
    cancel->setProperty("button_type", QStringLiteral("dialog_cancel"));
    cancel->setMinimumWidth(100);
    cancel->setAutoDefault(false);
    auto *ok = new QPushButton(okText, frame);
    ok->setProperty("button_type", QStringLiteral("dialog"));
    ok->setMinimumWidth(100);
    buttons->addWidget(cancel);
    buttons->addWidget(ok);
    column->addLayout(buttons);

    StyleProperties::set({frame, label, edit, cancel, ok}, StyleProperties::modelKey, modelKey);
    buttons->setProperty(StyleProperties::modelKey, modelKey);
    setUpEditing(edit, ok, cancel, currentName, maxLength);
}

void SimpleRenameDialogEx::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        m_dragOffset = event->globalPos() - frameGeometry().topLeft();
        m_dragging = true;
    }
    event->accept();
}

void SimpleRenameDialogEx::mouseMoveEvent(QMouseEvent *event)
{
    if (!(event->buttons() & Qt::LeftButton))
        m_dragging = false;
    else if (m_dragging)
        move(event->globalPos() - m_dragOffset);
    event->accept();
}

void SimpleRenameDialogEx::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        m_dragging = false;
    event->accept();
}
