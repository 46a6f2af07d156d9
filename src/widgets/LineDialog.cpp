#include "LineDialog.h"

#include "CustomMessageBox.h"
#include "ProfileNameRule.h"
#include "ui_LineDialog.h"

#include <QKeyEvent>

LineDialog::LineDialog(int mode, QWidget *parent)
    : QDialog(parent)
    , ui(std::make_unique<Ui::lineDialog>())
    , m_mode(mode)
{
    ui->setupUi(this);
    setWindowFlags(Qt::Tool | Qt::FramelessWindowHint);
    setAttribute(Qt::WA_TranslucentBackground);
    if (mode == ProfileNameRule::Rename)
        ui->pushButton_do->setText(tr("Rename"));
    else if (mode == ProfileNameRule::Add)
        ui->pushButton_do->setText(tr("Add"));
    connect(ui->pushButton_cancel, &QPushButton::clicked, this, &LineDialog::close);
    connect(ui->pushButton_do, &QPushButton::clicked, this, &LineDialog::doWork);
}

LineDialog::~LineDialog() = default;

void LineDialog::showWithNames(const QStringList &names)
{
    m_names = names;
    show();
}

void LineDialog::close()
{
    ui->lineEdit->clear();
    hide();
}

void LineDialog::doWork()
{
    const QString text = ui->lineEdit->text();
    const QString refusal = ProfileNameRule::refusal(text, m_mode, m_names);
    if (!refusal.isEmpty()) {
        CustomMessageBox box(this, tr("Sorry") + QLatin1Char('\n') + refusal, tr("Ok"), QString(), QString());
        box.setTextAlignment(Qt::AlignHCenter);
        box.exec();
        return;
    }
    emit newName(text);
    ui->lineEdit->clear();
    hide();
}

void LineDialog::keyPressEvent(QKeyEvent *event)
{
    // The buttons are no default buttons, so one Return checks the name once,
    // wherever the focus is.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        doWork();
        return;
    }
    QDialog::keyPressEvent(event);
}
