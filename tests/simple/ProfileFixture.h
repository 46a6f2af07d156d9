#pragma once
// Models, files and predefined profiles for the simple view's profile tests:
// a model built from a line "pair:name ...", files written into the
// temporary home, and a program folder of predefined profiles.

#include "PackageCreator.h"
#include "Predefined.h"
#include "ProfileData.h"
#include "SampleModel.h"
#include "SettingsFile.h"
#include "SimpleModel.h"

#include <QBuffer>
#include <QColor>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QStringList>

namespace ProfileFixture {

inline QString pairText(const ProfileData *profile)
{
    if (profile->isGlobal())
        return QStringLiteral("G");
    if (!profile->isSubProfile())
        return QString::number(profile->index);
    return QStringLiteral("%1.%2").arg(profile->index).arg(profile->subIndex);
}

// The profile at a pair ("G", "1", "1.0"); null when there is none.
inline ProfileData *at(const QString &pair)
{
    for (ProfileData *profile : SimpleModel::instance()->profiles()) {
        if (pairText(profile) == pair)
            return profile;
    }
    return nullptr;
}

// The first profile of that name (Global included); null when none.
inline ProfileData *named(const QString &name)
{
    for (ProfileData *profile : SimpleModel::instance()->profiles()) {
        if (profile->name == name)
            return profile;
    }
    return nullptr;
}

// The model of a setup "0:Work 1:Game 1.0:Level": the global profile
// (default, active and current) and the profiles given.
inline void build(const QString &setup)
{
    PackageCreator *store = PackageCreator::instance();
    ProfileData *global = SampleModel::emptyModel();
    const QStringList tokens = setup.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (const QString &token : tokens) {
        const int colon = token.indexOf(QLatin1Char(':'));
        const QStringList pair = token.left(colon).split(QLatin1Char('.'));
        store->addProfile(pair.at(0).toInt(), pair.size() > 1 ? pair.at(1).toInt() : 255, token.mid(colon + 1));
    }
    global->isDefault = true;
    store->setActiveProfile(global);
    store->setCurrentProfile(global);
    store->loading = false;
}

// The names of the profiles without Global, in list order.
inline QStringList names()
{
    QStringList list;
    for (const ProfileData *profile : SimpleModel::instance()->userProfiles())
        list << profile->name;
    return list;
}

inline bool writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

inline QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// A picture of one colour as the bytes of a file of that format.
inline QByteArray picture(const QColor &colour, const char *format = "PNG", int side = 40)
{
    QImage image(side, side, QImage::Format_ARGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

// The colour in the middle of a picture file; invalid when it does not load.
inline QColor colourOf(const QString &path)
{
    const QImage image(path);
    return image.isNull() ? QColor() : image.pixelColor(image.width() / 2, image.height() / 2);
}

// A configuration file of one profile named name, linking the given
// applications (id = name).
inline QByteArray profileFile(const QString &name, const QStringList &apps = {})
{
    QStringList entries;
    for (const QString &app : apps)
        entries << QStringLiteral("{\"Name\": \"%1\", \"Path\": \"%1\"}").arg(app);
    return QStringLiteral("json,2,4\n{\"Version\": 2, \"RootProfile\": {\"Name\": \"Global\", \"Groups\": "
                          "[{\"Name\": \"%1\", \"Applications\": [%2]}]}}\n")
        .arg(name, entries.join(QStringLiteral(", ")))
        .toUtf8();
}

// The per-user "Profiles" folder.
inline QString profilesFolder()
{
    return SettingsFile::folder() + QStringLiteral("/Profiles");
}

// The folders in "Profiles", in name order.
inline QStringList profileFolders()
{
    return QDir(profilesFolder()).entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
}

// The files of a folder, in name order.
inline QStringList filesIn(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}

// A predefined profile folder under program/profiles: "info.txt" (its first
// line names the profile unless nameLater), "profile.kvlf" of one profile of
// that name and, with a colour, "logo.png".
inline bool writePredefined(const QString &program, const QString &folder, const QString &name, const QString &bundleId,
                            const QColor &logo = QColor(), bool nameLater = false)
{
    const QString base = program + QStringLiteral("/profiles/") + folder + QLatin1Char('/');
    const QString nameLine = QStringLiteral("Name=") + name + QLatin1Char('\n');
    const QString bundleLine = QStringLiteral("BundleID=") + bundleId + QLatin1Char('\n');
    const QString info = nameLater ? bundleLine + nameLine : nameLine + bundleLine;
    return writeFile(base + QStringLiteral("info.txt"), info.toUtf8() + "MouseSupport=20\n")
           && writeFile(base + QStringLiteral("profile.kvlf"), profileFile(name, {name.toLower() + ".exe"}))
           && (!logo.isValid() || writeFile(base + QStringLiteral("logo.png"), picture(logo)));
}

} // namespace ProfileFixture
