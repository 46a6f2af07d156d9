#include "TempMessage.h"

#include "ui_TempMessage.h"

TempMessage::TempMessage(const QString &text, QWidget *parent)
    : QDialog(parent)
    , ui(std::make_unique<Ui::TempMessage>())
{
    ui->setupUi(this);
    setWindowFlags(Qt::Tool | Qt::FramelessWindowHint);
    setAttribute(Qt::WA_TranslucentBackground);
    setModal(true);
    ui->label_text->setText(text);
}

TempMessage::~TempMessage() = default;
