#pragma once
// What the two rename dialogs share: the OK button is enabled only for a
// name that, trimmed, is not empty and differs from the name the dialog
// opened with; Return and Enter accept only while it is enabled; newName()
// is the trimmed text.

#include <QDialog>
#include <QString>

class QLineEdit;
class QPushButton;

class RenameDialogBase : public QDialog
{
    Q_OBJECT

public:
    QString newName() const;

    // Whether a typed text may replace originalName.
    static bool isAcceptableName(const QString &text, const QString &originalName);

public slots:
    void updateButton();

protected:
    explicit RenameDialogBase(QWidget *parent);
    // Frameless modal tool window, translucent.
    void setUpWindow();
    // Once the subclass has made its widgets: connects them, fills in the
    // name and gives the edit the focus.
    void setUpEditing(QLineEdit *edit, QPushButton *ok, QPushButton *cancel, const QString &currentName, int maxLength);
    void keyPressEvent(QKeyEvent *event) override;

private:
    QLineEdit *m_edit = nullptr;
    QPushButton *m_ok = nullptr;
    QString m_originalName;
};
