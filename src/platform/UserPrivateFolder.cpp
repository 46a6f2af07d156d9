#include "UserPrivateFolder.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace UserPrivateFolder {

namespace {

constexpr mode_t privateMode = 0700;

QString describe(const char *what, int error)
{
    return QString::fromLatin1(what) + QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(error));
}

// Why the entry at path is not this user's private folder; empty when it is.
QString refusal(const QByteArray &path)
{
    struct stat info = {};
    if (::lstat(path.constData(), &info) != 0)
        return describe("cannot be read", errno);
    if (S_ISLNK(info.st_mode))
        return QStringLiteral("is a symbolic link");
    if (!S_ISDIR(info.st_mode))
        return QStringLiteral("is not a folder");
    if (info.st_uid != ::geteuid())
        return QStringLiteral("belongs to user %1").arg(info.st_uid);
    if ((info.st_mode & 07777) != privateMode)
        return QStringLiteral("has mode %1, not 0700").arg(info.st_mode & 07777, 4, 8, QLatin1Char('0'));
    return QString();
}

} // namespace

QString pathIn(const QString &parent, QString *problem)
{
    const QString folder = QDir(parent).absoluteFilePath(QStringLiteral("corvanelle-r7-%1").arg(::geteuid()));
    const QByteArray native = QFile::encodeName(folder);
    if (::mkdir(native.constData(), privateMode) == 0) {
        // The umask may have taken bits the checks below want.
        ::chmod(native.constData(), privateMode);
    } else if (errno != EEXIST) {
        if (problem)
            *problem = folder + QLatin1Char(' ') + describe("cannot be made", errno);
        return QString();
    }
    const QString why = refusal(native);
    if (!why.isEmpty()) {
        if (problem)
            *problem = folder + QLatin1Char(' ') + why;
        return QString();
    }
    return folder;
}

QString path(QString *problem)
{
    return pathIn(QDir::tempPath(), problem);
}

} // namespace UserPrivateFolder
