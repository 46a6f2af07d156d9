#include "SafeFile.h"

#include <QCoreApplication>
#include <QFile>
#include <QSaveFile>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace SafeFile {

Result write(const QString &path, const QByteArray &bytes, QString *reason)
{
    QSaveFile file(path);
    // Unbuffered, and a short write followed by another: the call that
    // cannot write at all is the one that tells why (a full disk, a file
    // size limit).
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        if (reason)
            *reason = file.errorString();
        return NotOpened;
    }
    qint64 done = 0;
    while (done < bytes.size()) {
        const qint64 written = file.write(bytes.constData() + done, bytes.size() - done);
        if (written <= 0)
            break;
        done += written;
    }
    if (done != bytes.size() || !file.commit()) {
        // A write cut short without an error of the file's own leaves the
        // system's reason in errno.
        if (reason)
            *reason = file.error() != QFileDevice::NoError ? file.errorString() : qt_error_string();
        file.cancelWriting();
        return NotWritten;
    }
    return Written;
}

bool openForReading(QFile &file, QString *reason)
{
    // Checked through the descriptor that is read, never by name: a pipe
    // renamed into place after a check would be opened and wait for a writer.
    // Opening a pipe without blocking succeeds at once, so the check sees it.
    const int fd = ::open(QFile::encodeName(file.fileName()).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        if (reason)
            *reason = qt_error_string(errno);
        return false;
    }
    struct stat status = {};
    QString refused;
    if (::fstat(fd, &status) != 0)
        refused = qt_error_string(errno);
    else if (S_ISDIR(status.st_mode))
        refused = QCoreApplication::translate("QIODevice", "file to open is a directory");
    else if (!S_ISREG(status.st_mode))
        refused = QStringLiteral("not a plain file");
    else if (const int flags = ::fcntl(fd, F_GETFL); flags < 0 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0)
        refused = qt_error_string(errno);
    else if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle))
        refused = file.errorString();
    if (refused.isEmpty())
        return true;
    ::close(fd);
    if (reason)
        *reason = refused;
    return false;
}

bool read(const QString &path, QByteArray *bytes, QString *reason)
{
    QFile file(path);
    if (!openForReading(file, reason))
        return false;
    *bytes = file.readAll();
    if (file.error() == QFileDevice::NoError)
        return true;
    if (reason)
        *reason = file.errorString();
    return false;
}

Result copy(const QString &from, const QString &to, QString *reason)
{
    QByteArray bytes;
    if (!read(from, &bytes, reason))
        return NotOpened;
    return write(to, bytes, reason);
}

bool replace(const QString &from, const QString &to, QString *reason)
{
    // rename() replaces an existing target atomically; QFile::rename would
    // refuse it, and removing the target first leaves a moment without it.
    if (std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0)
        return true;
    if (reason)
        *reason = qt_error_string(errno);
    return false;
}

} // namespace SafeFile
