#pragma once
// What the expert window's main menu does with the item the user chose:
// the settings dialog, storing the profiles in the mouse's flash memory,
// export, import, the reset to the starter profiles, both calibrations, the
// update check, the help articles and a firmware image of the user's choice.
//
// The window owns one and hands it, in a Window, the widgets it works on and
// the window's own steps (its save, memory bar and page update) as
// functions, so that the menu needs nothing of the window's class. File
// dialogs and the URL handler come in the same way; empty ones take the
// toolkit's dialogs and the desktop's handler.
//
// Import and reset fill the model anew with its loading flag set, so that
// the tree's and the strip's rebuilds neither save nor switch profiles half
// way; both end with the memory bar and the window's save, so the working
// file and the mouse hold the result and a restart keeps it.

#include "ExpertMenuActions.h"
#include "SaveSequence.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>

class ProfileScroller;
class ProfilesView;
class QComboBox;
class QWidget;
class SWUpdate;

class ExpertMainMenu : public QObject
{
    Q_OBJECT

public:
    struct Window
    {
        // The dialogs' parent; its full-screen state is kept across a reset.
        QWidget *window = nullptr;
        ProfilesView *tree = nullptr;
        ProfileScroller *strip = nullptr;
        // The active-profile box: entry 0 automatic switching, 1 the global
        // profile, then the tree's profiles.
        QComboBox *activeBox = nullptr;
        SWUpdate *update = nullptr;
        // The connection switch shows 1.
        std::function<bool()> connectionOn;
        // A mouse (not a bootloader) reported itself connected.
        std::function<bool()> mouseConnected;
        // The window's Save: the upload while the switch is on, then the file.
        std::function<SaveSequence::Result()> save;
        std::function<void()> pageUpdate, memoryBar;
        // Shows the Settings page as a click on its page button does.
        std::function<void()> showSettingsPage;
        // Clears the firmware-required notice and shows the update area.
        std::function<void()> clearFirmwareRequired;
        // Asked for files; empty: the toolkit's dialogs. openFirmware, for
        // the firmware image, falls back to the toolkit's own dialog.
        ExpertMenuActions::FileChooser openFile, saveFile, openFirmware;
        ExpertMenuActions::UrlOpener openUrl;
    };

    explicit ExpertMainMenu(Window window, QObject *parent = nullptr);
    ~ExpertMainMenu() override;

    // Carries out the menu entry of that item number (ExpertMenuActions::Item);
    // from FirstInert on nothing happens.
    void handle(int item);

    // "tamsel", "pelkin" or "v": the settings dialog's look for the model.
    static QString modelKey(int mousePID);

private:
    void settingsDialog();
    void storeInFlash();
    void exportProfiles();
    void importProfiles();
    void resetProfiles();
    void tiltCalibration();
    void forceCalibration();
    void uploadFirmware();

    // A message box over the window with one button "Ok".
    void tell(const QString &text);
    // The box goes to entry without the window's change handler missing it.
    void setBoxEntry(int entry);
    // Entry 1 (the global profile), the strip back on the global profile
    // without tabs, and the tree's pages and their profiles gone.
    void clearForLoading();
    // The tree's pages again for what the store holds now, their contents
    // read anew (the global page's too with withGlobal).
    void rebuildTree(bool withGlobal);
    void run(const std::function<void()> &step) const;

    Window m_window;
};
