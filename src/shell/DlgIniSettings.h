#pragma once
// The modal settings dialog: one row per key of the settings file, in two
// columns of sections, written back by "Apply" (Cancel writes nothing). It
// also copies the log to the desktop, reloads the default profiles and
// chooses or drops the simple view's background. Every opening reads the
// file anew; nothing is kept between openings.
//
// The openers (the expert view's main menu, the simple view's settings
// button) construct it on the stack with the model key of the connected
// mouse ("tamsel", "pelkin" or "v") and the software update, and run exec().
// The simple view connects setCustomBackground (it stores the path as
// "CustomBackground" and shows it), removeCustomBackground and dataUpdated
// (the profiles were replaced); the expert view connects none.
//
// A middle click on the release-channel list reveals "Alpha", a press of the
// Back button "V3Alpha".

#include "DlgYesNoForm.h"

#include <QDialog>
#include <QList>
#include <QString>

class QCheckBox;
class QComboBox;
class QHBoxLayout;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QVBoxLayout;
class SWUpdate;

class DlgIniSettings : public QDialog, private Ui::DlgYesNo
{
    Q_OBJECT

public:
    // update may be null: Apply then switches no channel.
    DlgIniSettings(QWidget *parent, const QString &mode, SWUpdate *update);
    ~DlgIniSettings() override;

signals:
    void setCustomBackground(const QString &path);
    void removeCustomBackground();
    void dataUpdated();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void apply();
    void copyLogToDesktop();
    void loadDefaultProfiles();
    void chooseCustomBackground();
    void showMessage(QWidget *parent, const QString &text);

    // Rows and their parts, each styled for the model.
    void addSectionTitle(QVBoxLayout *column, const QString &title);
    QHBoxLayout *addRow(QVBoxLayout *column, const char *key);
    void addCheckBoxRow(QVBoxLayout *column, const char *key);
    void addComboRow(QVBoxLayout *column, const char *key, const QStringList &items, const QString &fallback);
    void addBackgroundRow(QVBoxLayout *column);
    void addDebugButtons(QVBoxLayout *column);
    void addIgnoredApps(QVBoxLayout *column);
    QLabel *newLabel(const QString &text, const char *labelType);
    QPushButton *newButton(const QString &text, const QString &objectName);

    QString mode;
    SWUpdate *swUpdate;
    QList<QCheckBox *> checkBoxes;
    QList<QComboBox *> comboBoxes;
    QPlainTextEdit *ignoredAppsEdit = nullptr;
    QComboBox *channelCombo = nullptr;
};
