#pragma once
// The two copies the settings dialog makes for the user: the log file onto
// the desktop, and a picture into the settings folder as the simple view's
// background. Both are written through a temporary file beside the target,
// so a failed copy leaves nothing half-written.

#include <QString>

namespace SettingsCopies {

// The desktop folder's "log.txt", worked out once per run.
QString desktopLogPath();
// Copies the settings folder's "log.txt" (never "log1.txt") to
// desktopLogPath(), making the desktop folder when it is missing. A file
// already there is never replaced: false, with the reason.
bool copyLogToDesktop(QString *reason);

// Whether the file name ends in one of the picture types the background
// accepts (png, bmp, jpg, jpeg, in any letter case).
bool isPictureName(const QString &fileName);
// Copies the chosen picture into the settings folder under its own file name
// and gives that path in target. Choosing the copy that already lies there
// keeps it as it is. After a good copy the previous copy goes, but only when
// it is a picture directly in the settings folder and not the new one: the
// path comes from the settings file, and nothing else is deleted through it.
// False, with the reason, when the chosen file is not a picture or cannot
// be copied; the previous copy then stays.
bool copyBackground(const QString &chosen, const QString &previous, QString *target, QString *reason);

} // namespace SettingsCopies
