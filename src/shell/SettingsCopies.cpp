#include "SettingsCopies.h"

#include "LogFile.h"
#include "SafeFile.h"
#include "SettingsFile.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStringList>

namespace SettingsCopies {

namespace {

bool makeFolder(const QString &folder, QString *reason)
{
    if (QDir().mkpath(folder))
        return true;
    *reason = QCoreApplication::translate("SettingsCopies", "Cannot create the folder %1").arg(folder);
    return false;
}

// Both exist and are the same file (a link or another spelling of the path
// included).
bool sameFile(const QString &a, const QString &b)
{
    const QFileInfo first(a);
    const QFileInfo second(b);
    return first.exists() && second.exists() && first.canonicalFilePath() == second.canonicalFilePath();
}

bool isCopyInSettingsFolder(const QString &path)
{
    const QFileInfo info(path);
    if (!info.isFile() || !isPictureName(info.fileName()))
        return false;
    const QString folder = QFileInfo(SettingsFile::folder()).canonicalFilePath();
    return !folder.isEmpty() && QFileInfo(info.absolutePath()).canonicalFilePath() == folder;
}

} // namespace

QString desktopLogPath()
{
    static const QString path = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation) + "/log.txt";
    return path;
}

bool copyLogToDesktop(QString *reason)
{
    const QString target = desktopLogPath();
    if (!makeFolder(QFileInfo(target).path(), reason))
        return false;
    if (QFileInfo::exists(target) || QFileInfo(target).isSymLink()) {
        *reason = QCoreApplication::translate("SettingsCopies", "Destination file exists");
        return false;
    }
    return SafeFile::copy(LogFile::logFilePath(), target, reason) == SafeFile::Written;
}

bool isPictureName(const QString &fileName)
{
    static const QStringList suffixes = {"png", "bmp", "jpg", "jpeg"};
    return suffixes.contains(QFileInfo(fileName).suffix(), Qt::CaseInsensitive);
}

bool copyBackground(const QString &chosen, const QString &previous, QString *target, QString *reason)
{
    const QString name = chosen.mid(chosen.lastIndexOf('/') + 1);
    // The copy takes the chosen file's name in the folder that holds the
    // settings and the configuration: only a picture may go there.
    if (!isPictureName(name)) {
        *reason = QCoreApplication::translate("SettingsCopies", "%1 is not a picture").arg(name);
        return false;
    }
    const QString folder = SettingsFile::folder();
    *target = folder + "/" + name;
    if (sameFile(chosen, *target))
        return true;
    if (!makeFolder(folder, reason) || SafeFile::copy(chosen, *target, reason) != SafeFile::Written)
        return false;
    if (!previous.isEmpty() && !sameFile(previous, *target) && isCopyInSettingsFolder(previous)
        && !QFile::remove(previous))
        qWarning() << "DlgIniSettings: previous background not deleted" << previous;
    return true;
}

} // namespace SettingsCopies
