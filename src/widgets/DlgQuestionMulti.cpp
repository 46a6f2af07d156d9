#include "DlgQuestionMulti.h"

#include "StyleProperties.h"
#include "ui_DlgQuestionMulti.h"

DlgQuestionMulti::DlgQuestionMulti(QWidget *parent, const QString &text, const QStringList &buttonTexts,
                                   const QString &cancelText, const QString &mode)
    : QDialog(parent, Qt::FramelessWindowHint)
    , ui(std::make_unique<Ui::DlgQuestionMulti>())
{
    setAttribute(Qt::WA_TranslucentBackground);
    ui->setupUi(this);
    // Plain text: a name in the message reads as typed, never as markup.
    ui->label->setTextFormat(Qt::PlainText);
    ui->label->setText(text);
    StyleProperties::set({ui->frame, ui->label, ui->btn_cancel}, StyleProperties::modelKey, mode);
    if (cancelText.isEmpty()) {
        ui->btn_cancel->hide();
    } else {
        ui->btn_cancel->setText(cancelText);
        connect(ui->btn_cancel, &QPushButton::clicked, this, &QDialog::reject);
    }
    for (int i = 0; i < buttonTexts.size(); ++i) {
        auto *button = new QPushButton(buttonTexts.at(i), ui->frame);
        button->setProperty("button_type", QStringLiteral("dialog"));
        button->setProperty(StyleProperties::modelKey, mode);
        ui->layout_buttons->addWidget(button);
        connect(button, &QPushButton::clicked, this, [this, i] {
            m_clickedIndex = i;
            accept();
        });
    }
}

DlgQuestionMulti::~DlgQuestionMulti() = default;
