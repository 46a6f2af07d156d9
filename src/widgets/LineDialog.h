#pragma once
// The expert view's small frameless box in which the user types a profile
// name, for renaming (mode 0, "Rename") or adding (mode 1, "Add"). Not modal:
// showWithNames() shows it, Return, Enter or the action button check the
// name, and an accepted name goes out through newName() exactly as typed.
// A refused name gets a message and the box stays open. The box does not
// delete itself.

#include <QDialog>
#include <QStringList>

#include <memory>

namespace Ui {
class lineDialog;
}

class LineDialog : public QDialog
{
    Q_OBJECT

public:
    LineDialog(int mode, QWidget *parent);
    ~LineDialog() override;

    // The names a renamed profile must differ from; shows the box.
    void showWithNames(const QStringList &names);

public slots:
    // Clears the field and hides the box.
    void close();
    // Checks the typed name and hands it on.
    void doWork();

signals:
    void newName(QString name);

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    std::unique_ptr<Ui::lineDialog> ui;
    int m_mode;
    QStringList m_names;
};
