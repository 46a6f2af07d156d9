#include "Predefined.h"

#include "ProgramFolder.h"
#include "SettingsFile.h"

#include <QDir>
#include <QFile>
#include <QTextStream>

namespace {

// The predefined profile folders in catalogue order.
QStringList profileFolders()
{
    return QDir(Predefined::profilesFolder())
        .entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
}

// The lines of a predefined folder's "info.txt" (only the first with
// firstOnly); false when the file cannot be opened.
bool readInfoLines(const QString &folder, bool firstOnly, QStringList *lines)
{
    QFile file(Predefined::profilesFolder() + folder + QLatin1Char('/') + Predefined::infoFileName());
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return false;
    QTextStream stream(&file);
    stream.setCodec("UTF-8");
    QString line;
    while (stream.readLineInto(&line)) {
        lines->append(line);
        if (firstOnly)
            break;
    }
    return true;
}

// The value on the first line of a predefined folder's "info.txt", after
// its "="; false when the folder has no such line.
bool nameOnFirstLine(const QString &folder, QString *name)
{
    QStringList lines;
    if (!readInfoLines(folder, true, &lines) || lines.isEmpty())
        return false;
    const QString &first = lines.first();
    const int equals = first.indexOf(QLatin1Char('='));
    if (equals < 0)
        return false;
    *name = first.mid(equals + 1).trimmed();
    return true;
}

void readInfoLine(const QString &line, PredefinedProfileInfo *info)
{
    const int equals = line.indexOf(QLatin1Char('='));
    if (equals < 0)
        return;
    const QString key = line.left(equals);
    const QString value = line.mid(equals + 1);
    if (key == QLatin1String("Name")) {
        info->name = value.trimmed();
    } else if (key == QLatin1String("BundleID")) {
        info->bundleId = value.trimmed();
    } else if (key == QLatin1String("MouseSupport")) {
        const QStringList parts = value.split(QLatin1Char(','));
        for (const QString &part : parts)
            info->mouseSupport.append(part.trimmed().toInt());
    }
}

QString firstLogoIn(const QString &folder)
{
    if (folder.isEmpty())
        return QString();
    const QDir dir(folder);
    const QStringList logos = dir.entryList({QStringLiteral("logo.*")}, QDir::Files | QDir::NoSymLinks, QDir::Name);
    return logos.isEmpty() ? QString() : dir.absoluteFilePath(logos.first());
}

// The folder name of a profile name (see userProfilePath()).
QString folderNameOf(const QString &name)
{
    if (name.isEmpty())
        return QStringLiteral("%empty");
    QString folder;
    folder.reserve(name.size());
    for (int i = 0; i < name.size(); ++i) {
        const QChar c = name.at(i);
        if (c == QLatin1Char('/') || c == QLatin1Char('%') || c == QChar(0) || (i == 0 && c == QLatin1Char('.')))
            folder += QStringLiteral("%%1").arg(c.unicode(), 2, 16, QLatin1Char('0')).toUpper();
        else
            folder += c;
    }
    return folder;
}

} // namespace

Predefined *Predefined::instance()
{
    static Predefined catalogue;
    return &catalogue;
}

Predefined::Predefined(QObject *parent)
    : QObject(parent)
{
    const QStringList folders = profileFolders();
    for (const QString &folder : folders) {
        QStringList lines;
        if (!readInfoLines(folder, false, &lines))
            continue;
        PredefinedProfileInfo info;
        for (const QString &line : qAsConst(lines))
            readInfoLine(line, &info);
        m_infos.append(info);
    }
}

Predefined::~Predefined() = default;

QString Predefined::profilesFolder()
{
    return ProgramFolder::path() + QStringLiteral("/profiles/");
}

QString Predefined::predefinedFolder(const QString &name)
{
    const QStringList folders = profileFolders();
    for (const QString &folder : folders) {
        QString named;
        if (nameOnFirstLine(folder, &named) && named == name)
            return profilesFolder() + folder;
    }
    return QString();
}

QHash<QString, QString> Predefined::predefinedFolders()
{
    QHash<QString, QString> byName;
    const QStringList folders = profileFolders();
    for (const QString &folder : folders) {
        QString name;
        // The first folder of a name, as predefinedFolder() finds it.
        if (nameOnFirstLine(folder, &name) && !byName.contains(name))
            byName.insert(name, profilesFolder() + folder);
    }
    return byName;
}

QString Predefined::userProfilePath(const QString &name)
{
    return SettingsFile::folder() + QStringLiteral("/Profiles/") + folderNameOf(name);
}

bool Predefined::sameFolder(const QString &path, const QString &other)
{
    return QFile::encodeName(path) == QFile::encodeName(other);
}

QString Predefined::userProfileFile(const QString &name)
{
    return userProfilePath(name) + QLatin1Char('/') + profileFileName();
}

QString Predefined::logoFile(const QString &name)
{
    const QString own = firstLogoIn(userProfilePath(name));
    return own.isEmpty() ? firstLogoIn(predefinedFolder(name)) : own;
}

QString Predefined::logoFile(const QString &name, const QHash<QString, QString> &predefinedFolders)
{
    const QString own = firstLogoIn(userProfilePath(name));
    return own.isEmpty() ? firstLogoIn(predefinedFolders.value(name)) : own;
}

QString Predefined::nameForProgram(const QString &displayName) const
{
    for (const PredefinedProfileInfo &info : m_infos) {
        if (!info.bundleId.isEmpty() && displayName.contains(info.bundleId))
            return info.name;
    }
    return QString();
}
