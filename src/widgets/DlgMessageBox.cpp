#include "DlgMessageBox.h"

#include "StyleProperties.h"
#include "ui_DlgMessageBox.h"

DlgMessageBox::DlgMessageBox(QWidget *parent, const QString &text, const QString &mode)
    : QDialog(parent, Qt::FramelessWindowHint)
    , ui(std::make_unique<Ui::DlgMessageBox>())
{
    setAttribute(Qt::WA_TranslucentBackground);
    ui->setupUi(this);
    // Plain text: a name in the message reads as typed, never as markup.
    ui->label->setTextFormat(Qt::PlainText);
    ui->label->setText(text);
    StyleProperties::set({ui->frame, ui->label, ui->btn_ok}, StyleProperties::modelKey, mode);
    connect(ui->btn_ok, &QPushButton::clicked, this, &QDialog::accept);
}

DlgMessageBox::~DlgMessageBox() = default;
