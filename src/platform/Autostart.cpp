#include "Autostart.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

namespace Autostart {

namespace {

// Where an install puts the command, from its prefix.
constexpr char installedCommand[] = "bin/corvanelle-r7";

} // namespace

QString entryPath(const QString &name)
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + "/autostart/" + name + ".desktop";
}

bool isRegistered(const QString &name)
{
    return QFile::exists(entryPath(name));
}

QString startCommand(const QString &executable)
{
    const QFileInfo program(executable);
    const QString target = program.canonicalFilePath();
    if (target.isEmpty())
        return executable;
    QDir folder = program.absoluteDir();
    while (folder.cdUp()) {
        const QString command = folder.absoluteFilePath(QLatin1String(installedCommand));
        if (QFileInfo(command).canonicalFilePath() == target)
            return command;
    }
    return executable;
}

QString execLine(const QString &executable, const QString &argument)
{
    // Inside quotes, ", `, $ and \ take a backslash. The value, as every
    // string value of the file, then escapes backslash, newline, tab and
    // carriage return (\\, \n, \t, \r), so that it stays on its line; a
    // field code's % is doubled.
    QString quoted = QStringLiteral("\"");
    for (const QChar c : executable) {
        if (c == '"' || c == '`' || c == '$' || c == '\\')
            quoted += '\\';
        quoted += c;
    }
    quoted += QStringLiteral("\" ") + argument;
    QString value;
    value.reserve(quoted.size() + 8);
    for (const QChar c : quoted) {
        if (c == '\\')
            value += QStringLiteral("\\\\");
        else if (c == '\n')
            value += QStringLiteral("\\n");
        else if (c == '\t')
            value += QStringLiteral("\\t");
        else if (c == '\r')
            value += QStringLiteral("\\r");
        else if (c == '%')
            value += QStringLiteral("%%");
        else
            value += c;
    }
    return value;
}

bool registerEntry(const QString &name, const QString &executable, const QString &argument, const QString &icon)
{
    const QString path = entryPath(name);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text))
        return false;
    QString text = QStringLiteral("[Desktop Entry]\nType=Application\nName=%1\nExec=%2\n")
                       .arg(QString(name).replace('\n', ' '), execLine(startCommand(executable), argument));
    if (!icon.isEmpty())
        text += QStringLiteral("Icon=%1\n").arg(QString(icon).replace('\n', ' '));
    text += QStringLiteral("X-GNOME-Autostart-enabled=true\n");
    const QByteArray bytes = text.toUtf8();
    // A short write can pass commit() unseen while it sits in the file's
    // buffer: flushed first, it fails there and nothing replaces the entry.
    return file.write(bytes) == bytes.size() && file.flush() && file.commit();
}

} // namespace Autostart
