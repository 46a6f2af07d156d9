#pragma once
// The modal dialog that links applications to a profile: it lists the
// applications that have a window open now (their icon, name and a check box),
// leaving out those already linked, and offers to browse for a program file
// instead. Each application chosen is announced through linkApp; the caller
// connects it, runs the dialog with exec() and may then read what was linked
// last:
//
//     LinkProfile dialog(this, linkedNames, profileName, modelKey);
//     connect(&dialog, &LinkProfile::linkApp, this, &Page::addLink);
//     if (dialog.exec() == 1)
//         setPicture(dialog.chosenIcon(), dialog.chosenName());
//
// exec() gives 1 after Link Apps (also with nothing ticked) or a file chosen
// through Browse, 0 after Cancel or closing.

#include <QDialog>
#include <QIcon>
#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

#include <memory>

class QCheckBox;
namespace Ui {
class LinkProfile;
}

class LinkProfile : public QDialog
{
    Q_OBJECT

public:
    // Names the open windows with the foreground detector's identifier.
    LinkProfile(QWidget *parent, const QStringList &linkedApps, const QString &profileName, const QString &modelKey);
    ~LinkProfile() override;

    // The icon of the application linked last; null until one was.
    QIcon chosenIcon() const { return m_chosenIcon; }
    // That application's file name up to its first ".exe" (letter case
    // counts; the whole name without one); null until one was linked.
    QString chosenName() const { return m_chosenName; }

signals:
    // One application linked: its file name as id and name.
    void linkApp(const QString &id, const QString &AppName, bool visualOnly = false);

public slots:
    void browse();
    void linkSelected();

private:
    void collectOpenApps(const QStringList &linkedApps);
    void addRow(const QString &app, const QIcon &icon);
    void addToList(QWidget *row);
    void choose(const QString &fileName, const QIcon &icon);

    QIcon m_chosenIcon;
    QString m_chosenName;
    std::unique_ptr<Ui::LinkProfile> ui;
    QList<QCheckBox *> checkBoxes;
    QMap<QString, QIcon> openApps;
    QString modelKey;
};
