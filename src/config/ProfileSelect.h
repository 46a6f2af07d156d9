#pragma once
// The modal dialog in which the user ticks the profiles to export to a file
// (mode 0) or to import from one (mode 1). exec() gives 1 for Ok, 0 for
// Cancel; the choice is read afterwards. When the offered list begins with
// the global profile (hasGlobal) and the global profile is ticked among
// others, Ok asks whether the user's own global profile may be overwritten;
// the dialog is accepted whatever the answer.

#include <QDialog>
#include <QList>
#include <QStringList>

#include <memory>

class QCheckBox;
namespace Ui {
class ProfileSelect;
}

class ProfileSelect : public QDialog
{
    Q_OBJECT

public:
    enum Mode { Export = 0, Import = 1 };

    // Without a parent the height follows the number of names alone.
    ProfileSelect(const QStringList &names, int mode, bool hasGlobal, QWidget *parent);
    ~ProfileSelect() override;

    // One flag per offered name, in order: ticked or not.
    QList<bool> selection() const { return m_selection; }
    // " Select all" was ticked when Ok was pressed.
    bool allSelected() const { return m_allSelected; }
    // The global profile is to be overwritten (only with hasGlobal).
    bool overwriteGlobal() const { return m_overwriteGlobal; }

private:
    void boxChanged(QCheckBox *sender);
    void okClicked();

    std::unique_ptr<Ui::ProfileSelect> ui;
    QList<QCheckBox *> m_boxes;
    bool m_hasGlobal;
    QList<bool> m_selection;
    bool m_allSelected = false;
    bool m_overwriteGlobal = false;
};
