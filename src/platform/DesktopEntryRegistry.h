#pragma once
// The lists of installed programs, made from the desktop's application
// entries: each "*.desktop" file of the user's applications folder
// ($XDG_DATA_HOME/applications) is a sub-key, named by its desktop-file id,
// of the current user's uninstall list (Users, view 0, below the user's id);
// those of every $XDG_DATA_DIRS entry + "/applications" are sub-keys of the
// machine-wide uninstall list in the 64-bit view. An id found in an earlier
// folder hides the same id in later ones, the user's folder first. The
// 32-bit view and the installer product lists stay empty.
//
// Values of an entry: "DisplayName" the plain "Name"; "InstallLocation"
// "Path", else the folder of an absolute program; "DisplayIcon" "Icon";
// "UninstallString" the program ("TryExec", else the first argument of
// "Exec"); "SystemComponent" 1 for "NoDisplay" or "Hidden" true or a "Type"
// other than "Application". A value with no text is not stored.
//
// Only regular files inside the applications folders are read (a link is
// followed only to a file inside one of them), each of at most 64 KiB; a file
// that cannot be read or holds no "[Desktop Entry]" group gives no sub-key.

#include "Registry.h"

#include <QString>
#include <QStringList>

namespace DesktopEntryRegistry {

// $XDG_DATA_HOME/applications ($HOME/.local/share when unset).
QString userApplicationsFolder();
// Each absolute entry of $XDG_DATA_DIRS (/usr/local/share:/usr/share when
// unset or empty) + "/applications", in order.
QStringList systemApplicationsFolders();
// The user's key below Users: the user id in decimal.
QString userKeyName();

// The lists as the folders hold them now.
Registry read();

} // namespace DesktopEntryRegistry
