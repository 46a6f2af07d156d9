#include "ProfileFolders.h"

#include "Predefined.h"
#include "ProfileData.h"
#include "SafeFile.h"
#include "SimpleModel.h"

#include <QDebug>
#include <QDir>
#include <QFileInfo>

namespace {

// Every logo in the folder goes.
bool removeLogos(const QString &folder)
{
    const QDir dir(folder);
    const QStringList logos = dir.entryList({QStringLiteral("logo.*")}, QDir::Files | QDir::Hidden | QDir::System);
    bool removed = true;
    for (const QString &logo : logos) {
        if (!QFile::remove(dir.absoluteFilePath(logo))) {
            qWarning() << "Profiles: could not remove the logo" << dir.absoluteFilePath(logo);
            removed = false;
        }
    }
    return removed;
}

// The picture's bytes, read before anything in the folder changes: it may
// lie in that very folder.
bool readImage(const QString &imagePath, QByteArray *bytes)
{
    QFile file(imagePath);
    if (!file.open(QIODevice::ReadOnly)) {
        qWarning() << "Profiles: could not read the picture" << imagePath << file.errorString();
        return false;
    }
    *bytes = file.readAll();
    return true;
}

bool writeLogo(const QString &folder, const QString &imagePath, const QByteArray &bytes)
{
    const QString target = folder + QLatin1Char('/') + ProfileFolders::logoFileName(imagePath);
    QString reason;
    if (SafeFile::write(target, bytes, &reason) != SafeFile::Written) {
        qWarning() << "Profiles: could not write the logo" << target << reason;
        return false;
    }
    return true;
}

// The folder's logos replaced by the picture's bytes (none without a
// picture).
bool putLogo(const QString &folder, const QString &imagePath, const QByteArray &bytes)
{
    const bool removed = removeLogos(folder);
    return (imagePath.isEmpty() || writeLogo(folder, imagePath, bytes)) && removed;
}

} // namespace

namespace ProfileFolders {

bool usedByOther(const QString &folder, const ProfileData *self)
{
    const QList<ProfileData *> profiles = SimpleModel::instance()->profiles();
    for (const ProfileData *profile : profiles) {
        if (profile != self && Predefined::sameFolder(Predefined::userProfilePath(profile->name), folder))
            return true;
    }
    return false;
}

bool renew(const QString &name, const ProfileData *self)
{
    const QString folder = Predefined::userProfilePath(name);
    if (QFileInfo::exists(folder) && !usedByOther(folder, self) && !QDir(folder).removeRecursively())
        qWarning() << "Profiles: could not remove the profile folder" << folder;
    if (!QDir().mkpath(folder)) {
        qWarning() << "Profiles: could not create the profile folder" << folder;
        return false;
    }
    return true;
}

QString logoFileName(const QString &imagePath)
{
    const QString fileName = QFileInfo(imagePath).fileName();
    const int dot = fileName.lastIndexOf(QLatin1Char('.'));
    return QStringLiteral("logo.") + (dot < 0 ? QString() : fileName.mid(dot + 1));
}

bool storeLogo(const QString &name, const QString &imagePath, const ProfileData *self)
{
    QByteArray bytes;
    const bool read = imagePath.isEmpty() || readImage(imagePath, &bytes);
    if (!renew(name, self))
        return false;
    if (!read)
        return false;
    // A shared folder kept its files: its logo gives way to the new one.
    return imagePath.isEmpty() || putLogo(Predefined::userProfilePath(name), imagePath, bytes);
}

bool replaceLogo(const QString &name, const QString &imagePath)
{
    QByteArray bytes;
    if (!imagePath.isEmpty() && !readImage(imagePath, &bytes))
        return false;
    const QString folder = Predefined::userProfilePath(name);
    if (!QDir().mkpath(folder)) {
        qWarning() << "Profiles: could not create the profile folder" << folder;
        return false;
    }
    return putLogo(folder, imagePath, bytes);
}

} // namespace ProfileFolders
