#pragma once
// A frameless modal box in which the user renames an action (or a profile):
// a label, the name field and Cancel / the confirm button. exec() gives 1
// when accepted; newName() is the typed name, trimmed.

#include "RenameDialogBase.h"

#include <memory>

namespace Ui {
class SimpleRenameDialog;
}

class SimpleRenameDialog : public RenameDialogBase
{
    Q_OBJECT

public:
    SimpleRenameDialog(const QString &currentName, QWidget *parent, const QString &modelKey, const QString &labelText,
                       const QString &okText, int maxLength);
    ~SimpleRenameDialog() override;

private:
    std::unique_ptr<Ui::SimpleRenameDialog> ui;
};
