#pragma once
// Files and models for the configuration store's tests: small configuration
// files that each name one profile, so a test sees which file was loaded;
// reading and writing files in the temporary home; the store's files
// removed between test functions.

#include "ConfigFile.h"
#include "PackageCreator.h"
#include "ProfileData.h"
#include "SampleModel.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QStringList>

namespace StoreFixture {

// What readFile() gives for a file that is not there.
inline const QByteArray missing = QByteArrayLiteral("<missing>");

inline QByteArray readFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return missing;
    return file.readAll();
}

// Writes bytes to path (missing: removes it), making the folder.
inline bool writeFile(const QString &path, const QByteArray &bytes)
{
    if (bytes == missing)
        return !QFileInfo::exists(path) || QFile::remove(path);
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// The model as the program has it before a read: the global profile only.
inline void startEmpty()
{
    SampleModel::emptyModel();
}

// A configuration file of the global profile and one default profile.
inline QByteArray fileWith(const QString &profileName)
{
    startEmpty();
    ProfileData *profile = PackageCreator::instance()->addProfile(0, 255, profileName);
    profile->isDefault = true;
    PackageCreator::instance()->setCurrentProfile(PackageCreator::instance()->globalProfile());
    const QByteArray bytes = ConfigFile::instance()->writeBytes();
    startEmpty();
    return bytes;
}

// The names of the model's profiles without the global one.
inline QStringList profileNames()
{
    QStringList names;
    for (const ProfileData *profile : PackageCreator::instance()->profiles())
        names << profile->name;
    return names;
}

inline QList<QByteArray> backups(int count)
{
    QList<QByteArray> list;
    for (int n = 0; n < count; ++n)
        list << readFile(ConfigFile::backupPath(n));
    return list;
}

inline void writeBackups(const QList<QByteArray> &list)
{
    for (int n = 0; n < list.size(); ++n)
        writeFile(ConfigFile::backupPath(n), list.at(n));
}

// Every file of the store gone: working file, starter copy, documents folder,
// the older driver's file.
inline void removeStoreFiles()
{
    QFile::remove(ConfigFile::workingFilePath());
    QFile::remove(ConfigFile::starterCopyPath());
    QDir(ConfigFile::documentsFolder()).removeRecursively();
    QDir().mkpath(ConfigFile::documentsFolder());
    QFile::remove(ConfigFile::olderDriverFilePath());
}

} // namespace StoreFixture
