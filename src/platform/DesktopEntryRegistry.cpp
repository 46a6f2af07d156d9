#include "DesktopEntryRegistry.h"

#include "DesktopEntry.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QSet>

#include <unistd.h>

namespace {

const QString uninstallPath = QStringLiteral("Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall");

QString applicationsIn(const QString &dataFolder)
{
    return QDir::cleanPath(dataFolder) + QStringLiteral("/applications");
}

class Reader
{
public:
    explicit Reader(const QStringList &folders)
    {
        for (const QString &folder : folders) {
            const QString canonical = QFileInfo(folder).canonicalFilePath();
            if (!canonical.isEmpty())
                roots.append(canonical + QLatin1Char('/'));
        }
    }

    void readFolder(const QString &folder, Registry::Hive hive, int view, const QString &listPath)
    {
        const QString root = QFileInfo(folder).canonicalFilePath();
        if (root.isEmpty())
            return;
        // Links to folders are not followed, so a loop of links cannot hold the scan.
        QDirIterator files(root, {QStringLiteral("*.desktop")}, QDir::Files, QDirIterator::Subdirectories);
        QStringList found;
        while (files.hasNext())
            found.append(files.next());
        // The same order on every run, whatever order the folder lists them in.
        found.sort();
        for (const QString &path : qAsConst(found)) {
            QString id = path.mid(root.size() + 1);
            id.replace(QLatin1Char('/'), QLatin1Char('-'));
            // A key's name cannot hold the path separator.
            if (id.contains(QLatin1Char('\\')) || seen.contains(id))
                continue;
            seen.insert(id);
            addEntry(path, hive, view, listPath + QLatin1Char('\\') + id);
        }
    }

    Registry registry;

private:
    bool inApplicationsFolder(const QString &canonical) const
    {
        for (const QString &root : roots) {
            if (canonical.startsWith(root))
                return true;
        }
        return false;
    }

    void addEntry(const QString &path, Registry::Hive hive, int view, const QString &keyPath)
    {
        const QString canonical = QFileInfo(path).canonicalFilePath();
        if (canonical.isEmpty() || !inApplicationsFolder(canonical))
            return;
        const std::optional<QByteArray> text = DesktopEntry::readFile(canonical);
        if (!text)
            return;
        const DesktopEntry entry = DesktopEntry::parse(*text);
        if (!entry.isValid())
            return;

        QString program = entry.value(QStringLiteral("TryExec"));
        if (program.isEmpty())
            program = entry.execArguments().value(0);
        QString location = entry.value(QStringLiteral("Path"));
        if (location.isEmpty() && QDir::isAbsolutePath(program))
            location = QFileInfo(program).path();
        const bool hidden = entry.isTrue(QStringLiteral("NoDisplay")) || entry.isTrue(QStringLiteral("Hidden"))
                            || entry.value(QStringLiteral("Type")) != QLatin1String("Application");

        registry.addKey(hive, view, keyPath);
        const auto setText = [&](const char *name, const QString &text) {
            if (!text.isEmpty())
                registry.setValue(hive, view, keyPath, QLatin1String(name), Registry::Value::text(text));
        };
        setText("DisplayName", entry.value(QStringLiteral("Name")));
        setText("InstallLocation", location);
        setText("DisplayIcon", entry.value(QStringLiteral("Icon")));
        setText("UninstallString", program);
        if (hidden)
            registry.setValue(hive, view, keyPath, QStringLiteral("SystemComponent"), Registry::Value::number(1));
    }

    QStringList roots;
    QSet<QString> seen;
};

} // namespace

namespace DesktopEntryRegistry {

QString userApplicationsFolder()
{
    QString data = qEnvironmentVariable("XDG_DATA_HOME");
    if (!QDir::isAbsolutePath(data))
        data = QDir::homePath() + QStringLiteral("/.local/share");
    return applicationsIn(data);
}

QStringList systemApplicationsFolders()
{
    QString dirs = qEnvironmentVariable("XDG_DATA_DIRS");
    if (dirs.isEmpty())
        dirs = QStringLiteral("/usr/local/share:/usr/share");
    QStringList folders;
    for (const QString &dir : dirs.split(QLatin1Char(':'), Qt::SkipEmptyParts)) {
        if (QDir::isAbsolutePath(dir))
            folders.append(applicationsIn(dir));
    }
    return folders;
}

QString userKeyName()
{
    return QString::number(::getuid());
}

Registry read()
{
    const QString user = userApplicationsFolder();
    const QStringList system = systemApplicationsFolders();
    Reader reader(QStringList{user} + system);
    const QString userList = userKeyName() + QLatin1Char('\\') + uninstallPath;
    reader.registry.addKey(Registry::Users, Registry::DefaultView, userList);
    reader.readFolder(user, Registry::Users, Registry::DefaultView, userList);
    for (const QString &folder : system)
        reader.readFolder(folder, Registry::LocalMachine, Registry::View64, uninstallPath);
    return std::move(reader.registry);
}

} // namespace DesktopEntryRegistry
