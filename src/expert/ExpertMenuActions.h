#pragma once
// The expert main menu's entries as plain steps the window calls: which
// entry an item number is, the help articles opened through the desktop's
// URL handler, and the store-in-flash step with the message it ends with.
// The window keeps the dialogs; the file dialogs come in as a FileChooser so
// that tests answer them.

#include "MouseFunctions.h"

#include <QString>
#include <QUrl>

#include <functional>

class ConfigFile;

namespace ExpertMenuActions {

// The item numbers MainMenu::itemSelected gives.
enum Item : int {
    SettingsDialog = 0,
    StoreInFlash = 1,
    ExportProfiles = 2,
    ImportProfiles = 3,
    ResetProfiles = 4,
    CalibrateTilt = 5,
    CalibrateForce = 6,
    CheckForUpdates = 7,
    Introduction = 8,
    ReleaseNotes = 9,
    UploadFirmware = 10,
    // This and every higher item (the firmware-check switch's row and the
    // others) does nothing here.
    FirstInert = 11,
};

// Asks for a file (caption, start folder or file, filter); empty when cancelled.
using FileChooser = std::function<QString(const QString &caption, const QString &start, const QString &filter)>;
// Hands an address to the desktop; false when nothing could open it.
using UrlOpener = std::function<bool(const QUrl &url)>;
// QDesktopServices::openUrl.
UrlOpener desktopUrlOpener();
// The toolkit's file dialogs, without a parent: open, save, and open with the
// toolkit's own (not the desktop's) dialog for a firmware image.
FileChooser openFileDialog();
FileChooser saveFileDialog();
FileChooser openFirmwareDialog();

// The article of item 8 or 9 (the release notes by channel: the public
// channel's, otherwise the beta's); empty for any other item.
QUrl helpArticle(int item, int channel);
// Opens helpArticle(item, channel) when there is one; false otherwise or
// when the opener failed.
bool openHelpArticle(int item, int channel, const UrlOpener &open);

// How the store in flash ended, for the message the user sees.
enum class FlashResult {
    NoMouse,   // the connection switch is off: nothing was sent
    NotStored, // the upload or the flash command did not reach the mouse
    Stored,    // the mouse holds the uploaded profiles in its flash memory
};
// After the save the window ran (whose upload gave upload): sends the
// store-to-flash command only when the upload reached the mouse, since the
// mouse would otherwise keep its older profiles under the success message,
// and reports Stored only when the mouse acknowledged the command.
FlashResult storeInFlash(bool switchOn, MouseFunctions::UploadResult upload, MouseFunctions *device);
// The message text of each result.
QString flashMessage(FlashResult result);
// The message of an entry that needs a mouse when none is connected.
QString noMouseText();

// The store's part of the reset, once the user agreed: the store's profiles
// are taken out, the starter profiles
// (with their default profile, or without when withDefault is false) replace
// the profiles, and the mouse drops its stored ones. True when the starter
// file loaded. The window then shows the new profiles and ends as an import
// does, with its memory bar and its save, so that the file and the mouse hold
// the starter profiles and a restart does not bring the old ones back.
bool resetProfiles(bool withDefault, ConfigFile *file, MouseFunctions *device);

} // namespace ExpertMenuActions
