#include "SimpleRenameDialog.h"

#include "StyleProperties.h"
#include "ui_SimpleRenameDialog.h"

SimpleRenameDialog::SimpleRenameDialog(const QString &currentName, QWidget *parent, const QString &modelKey,
                                       const QString &labelText, const QString &okText, int maxLength)
    : RenameDialogBase(parent)
    , ui(std::make_unique<Ui::SimpleRenameDialog>())
{
    setAttribute(Qt::WA_TranslucentBackground);
    ui->setupUi(this);
    StyleProperties::set({ui->frame, ui->label, ui->lineEdit, ui->pushButton_cancel, ui->pushButton_rename},
                         StyleProperties::modelKey, modelKey);
    ui->label->setText(labelText);
    ui->pushButton_rename->setText(okText);
    setUpWindow();
    setUpEditing(ui->lineEdit, ui->pushButton_rename, ui->pushButton_cancel, currentName, maxLength);
}

SimpleRenameDialog::~SimpleRenameDialog() = default;
