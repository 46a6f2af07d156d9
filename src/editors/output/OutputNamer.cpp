#include "OutputNamer.h"

#include "ui_OutputNamer.h"

#include "AppFont.h"

OutputNamer::OutputNamer(QWidget *parent)
    : QWidget(parent)
    , ui(std::make_unique<Ui::OutputNamer>())
{
    ui->setupUi(this);
    QFont font = appFont();
    font.setPointSize(14);
    ui->label_name->setFont(font);
    ui->lineEdit_name->setMaxLength(maximumLength);
    ui->lineEdit_name->setAttribute(Qt::WA_MacShowFocusRect, false);
    connect(ui->lineEdit_name, &QLineEdit::textChanged, this, &OutputNamer::textChanged);
}

OutputNamer::~OutputNamer() = default;

QString OutputNamer::text() const
{
    return ui->lineEdit_name->text();
}

void OutputNamer::setText(const QString &name)
{
    ui->lineEdit_name->setText(name);
}
