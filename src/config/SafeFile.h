#pragma once
// Writing the store's files so that a failure never costs the old contents:
// the new bytes go to a temporary file beside the target, which takes the
// target's name only once everything was written and flushed. A process
// killed on the way, a full disk or a folder without write permission leave
// the old file as it was.

#include <QByteArray>
#include <QString>

class QFile;

namespace SafeFile {

enum Result {
    Written,
    NotOpened,  // the temporary file could not be made (folder missing or read-only)
    NotWritten, // writing, flushing or renaming failed; the temporary file is gone
};

// Opens file for reading only when it is a plain file or a link to one: a
// named pipe would block until something writes into it, and a device such
// as /dev/zero would be read until memory runs out. What is checked is what
// was opened, so a pipe or device put in the file's place meanwhile is
// refused too. reason (may be null) gets why it was not opened. Once open,
// file reads through its descriptor: its fileName() is empty.
bool openForReading(QFile &file, QString *reason = nullptr);
// The whole contents of path into bytes, as openForReading() opens it.
// reason (may be null) gets the system's text of a failure.
bool read(const QString &path, QByteArray *bytes, QString *reason = nullptr);
// bytes as the whole new contents of path. reason (may be null) gets the
// system's text of a failure.
Result write(const QString &path, const QByteArray &bytes, QString *reason = nullptr);
// The contents of from written to to as write() does; NotOpened also when
// from cannot be read.
Result copy(const QString &from, const QString &to, QString *reason = nullptr);
// Gives from the name to, replacing a file of that name in one step.
bool replace(const QString &from, const QString &to, QString *reason = nullptr);

} // namespace SafeFile
