#pragma once
// Starting the program at log-in: an XDG autostart entry
// ($XDG_CONFIG_HOME/autostart/<name>.desktop).

#include <QString>

namespace Autostart {

QString entryPath(const QString &name);
bool isRegistered(const QString &name);
// Writes the entry running startCommand(executable), quoted, with the given
// argument, with the named theme icon when one is given (the session's list of
// start-up programs shows it). Its TryExec names that command too, so that a
// desktop skips the entry once the program is removed. Returns false when the
// file could not be written.
bool registerEntry(const QString &name, const QString &executable, const QString &argument,
                   const QString &icon = QString());
// The command an install puts on the PATH ("corvanelle-r7" in the bin folder
// of its prefix) when one in a folder above the executable's leads to the
// executable; otherwise the executable itself. Entries that name it keep
// working when the program folder moves with a new version.
QString startCommand(const QString &executable);
// The Exec value: the executable quoted as desktop entries require, then the argument.
QString execLine(const QString &executable, const QString &argument);

} // namespace Autostart
