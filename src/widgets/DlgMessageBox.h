#pragma once
// A message with one centred Ok button, styled per mouse model through "m".
// exec() gives 1 for Ok, 0 for Escape.

#include <QDialog>

#include <memory>

namespace Ui {
class DlgMessageBox;
}

class DlgMessageBox : public QDialog
{
    Q_OBJECT

public:
    DlgMessageBox(QWidget *parent, const QString &text, const QString &mode);
    ~DlgMessageBox() override;

private:
    std::unique_ptr<Ui::DlgMessageBox> ui;
};
