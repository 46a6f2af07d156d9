#pragma once
// The predefined-profile manager. On the very first run its construction
// records that the program has run ("HasBeenRunBefore"); constructing it
// does not show it. Installing the predefined profiles of the applications
// found on the machine joins it with the installed-program scan.

#include <QDialog>
#include <QString>

class ManageProfiles : public QDialog
{
    Q_OBJECT

public:
    ManageProfiles(QWidget *parent, const QString &modelKey);
    ~ManageProfiles() override;

private:
    QString m_modelKey;
};
