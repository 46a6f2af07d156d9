#pragma once
// A question with two answers, styled per mouse model through "m". exec()
// gives 1 for Yes, 0 for No, Escape or closing. The settings dialog shares
// its form (DlgYesNoForm.h).

#include <QDialog>

#include <memory>

class QLayout;
namespace Ui {
class DlgYesNo;
}

class DlgYesNo : public QDialog
{
    Q_OBJECT

public:
    // A null yesText or noText keeps "Yes" or "No"; an empty one empties the
    // button. extraLayout (may be null) goes below the text; the dialog takes
    // it over.
    DlgYesNo(QWidget *parent, const QString &text, const QString &yesText, const QString &noText, const QString &mode,
             QLayout *extraLayout);
    ~DlgYesNo() override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    std::unique_ptr<Ui::DlgYesNo> ui;
};
