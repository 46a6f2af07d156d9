#include "DlgYesNo.h"

#include "DlgYesNoForm.h"
#include "StyleProperties.h"

#include <QShowEvent>

DlgYesNo::DlgYesNo(QWidget *parent, const QString &text, const QString &yesText, const QString &noText,
                   const QString &mode, QLayout *extraLayout)
    : QDialog(parent, Qt::FramelessWindowHint)
    , ui(std::make_unique<Ui::DlgYesNo>())
{
    setAttribute(Qt::WA_TranslucentBackground);
    ui->setupUi(this);
    // Plain text: a name in the message reads as typed, never as markup.
    ui->label->setTextFormat(Qt::PlainText);
    ui->label->setText(text);
    StyleProperties::set({ui->frame, ui->label, ui->btn_no, ui->btn_yes}, StyleProperties::modelKey, mode);
    ui->btn_no->setProperty("button_type", QStringLiteral("dialog_cancel"));
    ui->btn_yes->setProperty("button_type", QStringLiteral("dialog"));
    if (!yesText.isNull())
        ui->btn_yes->setText(yesText);
    if (!noText.isNull())
        ui->btn_no->setText(noText);
    if (extraLayout)
        ui->verticalLayout_2->addLayout(extraLayout);
    connect(ui->btn_yes, &QPushButton::clicked, this, &QDialog::accept);
    connect(ui->btn_no, &QPushButton::clicked, this, &QDialog::reject);
}

DlgYesNo::~DlgYesNo() = default;

void DlgYesNo::showEvent(QShowEvent *event)
{
    // The layout gives the window a height for the width the question would
    // like on one line, but the window keeps the form's width or the one its
    // caller set: a wrapped question needs the height for that width, or its
    // last lines are cut off. Before the dialog centres itself on its parent.
    if (!event->spontaneous()) {
        const int needed = heightForWidth(width());
        if (needed > height())
            resize(width(), needed);
    }
    QDialog::showEvent(event);
}
