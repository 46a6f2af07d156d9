#pragma once
// Folders that only this user can enter, for the files other users must not
// see or take over: the single-instance keys and locks, and the local socket.
//
// The private folder is "corvanelle-r7-<uid>" in $TMPDIR (or /tmp), made with
// mode 0700. An entry of that name that is not such a folder (another user's,
// a link, a plain file, a folder others may enter) is never used: the
// temporary folder is shared, and anyone may have made it first. Nor is a
// parent folder in which another user could rename or remove the folder and
// put one of their own in its place: it must be sticky (and root's or this
// user's, as the owner of a sticky folder may still rename in it) or this
// user's own with write access for nobody else.
//
// Each folder is checked through a descriptor opened without following a
// link, not by its name, so what is checked is what is there. Once it passes,
// only this user and root can change what its name leads to, so it is then
// used by name.

#include <QString>

namespace UserPrivateFolder {

// The folder's path, made when missing; empty when it cannot be made or what
// is there fails the checks. *problem (when given) says why in that case.
QString path(QString *problem = nullptr);

// The same in another parent folder than the temporary one.
QString pathIn(const QString &parent, QString *problem = nullptr);

// The session's runtime folder ($XDG_RUNTIME_DIR) when it passes the same
// checks (this user's own folder with mode 0700, not a link, in a parent that
// keeps others out); empty otherwise, and *problem (when given) says why when
// the variable names one that fails them.
QString runtimeFolder(QString *problem = nullptr);

// name inside folder; empty when folder is, so that nothing is ever made
// outside a private folder for want of one.
QString filePath(const QString &folder, const QString &name);

} // namespace UserPrivateFolder
