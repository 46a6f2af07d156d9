#include "UserPrivateFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace UserPrivateFolder {

namespace {

constexpr mode_t privateMode = 0700;

QString describe(const char *what, int error)
{
    return QString::fromLatin1(what) + QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(error));
}

// Why another user could put something else in place of an entry of the
// folder that info describes; empty when only this user and root can.
QString parentRefusal(const struct stat &info)
{
    if (info.st_uid != ::geteuid() && info.st_uid != 0)
        return QStringLiteral("is in a folder of user %1").arg(info.st_uid);
    if (!(info.st_mode & S_ISVTX) && (info.st_mode & (S_IWGRP | S_IWOTH)))
        return QStringLiteral("is in a folder that others may write in and that is not sticky");
    return QString();
}

// Why the entry that info describes is not this user's private folder;
// empty when it is.
QString folderRefusal(const struct stat &info)
{
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

// Why folder (made first when make is set) is not a private folder of this
// user's in a parent that keeps others out; empty when it is.
QString refusal(const QString &folder, bool make)
{
    // O_PATH: the parent may deny reading its list, and the folder another
    // user's; both can still be looked at.
    const int parent =
        ::open(QFile::encodeName(QFileInfo(folder).path()).constData(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    if (parent < 0)
        return describe(make ? "cannot be made" : "cannot be read", errno);
    const QByteArray name = QFile::encodeName(QFileInfo(folder).fileName());
    struct stat info = {};
    QString why = ::fstat(parent, &info) == 0 ? parentRefusal(info) : describe("cannot be read", errno);
    if (why.isEmpty() && make) {
        if (::mkdirat(parent, name.constData(), privateMode) == 0) {
            // The umask may have taken bits the checks below want. Nobody
            // else can have put anything in its place in this parent.
            if (::fchmodat(parent, name.constData(), privateMode, 0) != 0)
                why = describe("cannot be made private", errno);
        } else if (errno != EEXIST) {
            why = describe("cannot be made", errno);
        }
    }
    if (why.isEmpty()) {
        const int entry = ::openat(parent, name.constData(), O_PATH | O_NOFOLLOW | O_CLOEXEC);
        if (entry < 0 || ::fstat(entry, &info) != 0)
            why = describe("cannot be read", errno);
        else
            why = folderRefusal(info);
        if (entry >= 0)
            ::close(entry);
    }
    ::close(parent);
    return why;
}

} // namespace

QString pathIn(const QString &parent, QString *problem)
{
    const QString folder = QDir(parent).absoluteFilePath(QStringLiteral("corvanelle-r7-%1").arg(::geteuid()));
    const QString why = refusal(folder, true);
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

QString runtimeFolder(QString *problem)
{
    const QString named = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (named.isEmpty())
        return QString();
    // Without a slash at the end, the name is the folder's own, not a link's
    // target.
    QString folder = named;
    while (folder.size() > 1 && folder.endsWith(QLatin1Char('/')))
        folder.chop(1);
    const QString why =
        QDir::isAbsolutePath(folder) ? refusal(folder, false) : QStringLiteral("is not an absolute path");
    if (!why.isEmpty()) {
        if (problem)
            *problem = named + QLatin1Char(' ') + why;
        return QString();
    }
    return folder;
}

QString filePath(const QString &folder, const QString &name)
{
    return folder.isEmpty() ? QString() : folder + QLatin1Char('/') + name;
}

} // namespace UserPrivateFolder
