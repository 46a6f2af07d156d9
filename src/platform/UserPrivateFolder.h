#pragma once
// A folder in the temporary folder that only this user can enter, for the
// files other users must not see or take over: the local socket when the
// session has no runtime folder, the single-instance keys and locks.
//
// "corvanelle-r7-<uid>" in $TMPDIR (or /tmp), made with mode 0700. An entry of
// that name that is not such a folder (another user's, a link, a plain file, a
// folder others may enter) is never used: the temporary folder is shared, and
// anyone may have made it first.

#include <QString>

namespace UserPrivateFolder {

// The folder's path, made when missing; empty when it cannot be made or what
// is there fails the checks. *problem (when given) says why in that case.
QString path(QString *problem = nullptr);

// The same in another parent folder than the temporary one.
QString pathIn(const QString &parent, QString *problem = nullptr);

} // namespace UserPrivateFolder
