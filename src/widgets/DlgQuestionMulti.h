#pragma once
// A question with any number of answers and an optional Cancel, styled per
// mouse model through "m". The row reads: Cancel, answer 0, answer 1, ...
// exec() gives 1 after an answer (clickedIndex() tells which), 0 after
// Cancel or Escape.

#include <QDialog>
#include <QStringList>

#include <memory>

namespace Ui {
class DlgQuestionMulti;
}

class DlgQuestionMulti : public QDialog
{
    Q_OBJECT

public:
    // An empty cancelText hides Cancel.
    DlgQuestionMulti(QWidget *parent, const QString &text, const QStringList &buttonTexts, const QString &cancelText,
                     const QString &mode);
    ~DlgQuestionMulti() override;

    // The index of the clicked answer, -1 when none was clicked.
    int clickedIndex() const { return m_clickedIndex; }

private:
    std::unique_ptr<Ui::DlgQuestionMulti> ui;
    int m_clickedIndex = -1;
};
