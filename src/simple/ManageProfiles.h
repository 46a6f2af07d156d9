#pragma once
// The predefined profile manager: every predefined profile shipped with the
// program, with its logo and a box that starts ticked when a profile of that
// name exists. "Detect" ticks the profiles of the programs installed on the
// machine; "Apply" removes the existing predefined profiles that were
// unticked (after a question) and installs the ticked ones that are missing,
// then closes with 1. Nothing is uploaded, and Apply writes no file.
//
// On the very first run ("HasBeenRunBefore" not set) its construction
// detects and applies by itself, saves the configuration when that added a
// profile, and marks the run; constructing it does not show it.

#include <QDialog>
#include <QList>
#include <QString>

#include <memory>

class InstallScannerInterface;
class QCheckBox;
class QPixmap;
namespace Ui {
class ManageProfiles;
}

class ManageProfiles : public QDialog
{
    Q_OBJECT

public:
    // scanner: the installed-program scan (the process-wide one when null).
    ManageProfiles(QWidget *parent, const QString &modelKey, InstallScannerInterface *scanner = nullptr);
    ~ManageProfiles() override;

    // One row: the logo (a placeholder when null), the name and, with
    // withCheck, a box named after the profile that joins the list.
    QWidget *addRow(QWidget *parent, const QPixmap &icon, const QString &name, bool withCheck,
                    const QString &modelKey);

public slots:
    void detect();
    void apply();
    void syncChecks(bool isChecked);

private:
    void fillList();
    // What Apply does; the number of profiles added, -1 when the user kept
    // the profiles that were to go.
    int applyChanges();

    std::unique_ptr<Ui::ManageProfiles> ui;
    QList<QCheckBox *> m_boxes;
    QString m_modelKey;
    InstallScannerInterface *m_scanner;
};
