#pragma once
// The small frameless greeting at the first opening of the main window in a
// run: links to the introduction and to this version's release notes, and a
// box to stop showing it. It shows when "ShowIntroOnLaunch" is set, and
// always after an install or upgrade ("HasBeenOpenedSinceInstallOrUpgrade"
// false).
//
// The application object creates it once, with the view active at start as
// its parent, and calls showIfWanted at the first activation of the window;
// it closes it whenever a main window reports that it was hidden.

#include <QDialog>
#include <QString>

#include <memory>

namespace Ui {
class IntroDialog;
}

class IntroDialog : public QDialog
{
    Q_OBJECT

public:
    // simpleMode: styled for the simple view and the model of productId,
    // else for the expert view. releaseChannel 3 (the stable channel) links
    // the release notes, any other the beta release notes.
    IntroDialog(bool simpleMode, QWidget *parent, int productId, int releaseChannel);
    ~IntroDialog() override;

    // Runs the dialog modally when it is wanted; otherwise does nothing.
    void showIfWanted();

public slots:
    // Writes "ShowIntroOnLaunch" at once.
    void handleCheckBox(bool checked);

private:
    std::unique_ptr<Ui::IntroDialog> ui;
    QString settingsPath;
    bool showFlag = false;
};
