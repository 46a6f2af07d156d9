#include "SafeFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <cstdio>

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

bool openForReading(QFile &file)
{
    return QFileInfo(file.fileName()).isFile() && file.open(QIODevice::ReadOnly);
}

bool read(const QString &path, QByteArray *bytes, QString *reason)
{
    QFile file(path);
    if (openForReading(file)) {
        *bytes = file.readAll();
        if (file.error() == QFileDevice::NoError)
            return true;
    }
    if (reason)
        *reason = file.isOpen() || QFileInfo(path).isFile() || !QFileInfo::exists(path)
                      ? file.errorString()
                      : QStringLiteral("not a plain file");
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
