#pragma once
// A transient modal notice ("Checking for update now"): one line of text in a
// frameless tool window. Whoever opens it shows and closes it.

#include <QDialog>

#include <memory>

namespace Ui {
class TempMessage;
}

class TempMessage : public QDialog
{
    Q_OBJECT

public:
    TempMessage(const QString &text, QWidget *parent);
    ~TempMessage() override;

private:
    std::unique_ptr<Ui::TempMessage> ui;
};
