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

// A string value of the file: backslash, newline, tab and carriage return
// escaped (\\, \n, \t, \r), so that it stays on its line.
QString escapedValue(const QString &text)
{
    QString value;
    value.reserve(text.size() + 8);
    for (const QChar c : text) {
        if (c == '\\')
            value += QStringLiteral("\\\\");
        else if (c == '\n')
            value += QStringLiteral("\\n");
        else if (c == '\t')
            value += QStringLiteral("\\t");
        else if (c == '\r')
            value += QStringLiteral("\\r");
        else
            value += c;
    }
    return value;
}

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
    // Inside quotes, ", `, $ and \ take a backslash. The value is then
    // escaped as every string value of the file, and a field code's % is
    // doubled.
    QString quoted = QStringLiteral("\"");
    for (const QChar c : executable) {
        if (c == '"' || c == '`' || c == '$' || c == '\\')
            quoted += '\\';
        quoted += c;
    }
    quoted += QStringLiteral("\" ") + argument;
    return escapedValue(quoted).replace('%', QStringLiteral("%%"));
}

bool registerEntry(const QString &name, const QString &executable, const QString &argument, const QString &icon)
{
    const QString path = entryPath(name);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text))
        return false;
    // TryExec: once the program is removed, the desktop skips the entry
    // rather than fail to start it at every log-in.
    const QString command = startCommand(executable);
    QString text = QStringLiteral("[Desktop Entry]\nType=Application\nName=%1\nTryExec=%2\nExec=%3\n")
                       .arg(QString(name).replace('\n', ' '), escapedValue(command), execLine(command, argument));
    if (!icon.isEmpty())
        text += QStringLiteral("Icon=%1\n").arg(QString(icon).replace('\n', ' '));
    text += QStringLiteral("X-GNOME-Autostart-enabled=true\n");
    const QByteArray bytes = text.toUtf8();
    // A short write can pass commit() unseen while it sits in the file's
    // buffer: flushed first, it fails there and nothing replaces the entry.
    return file.write(bytes) == bytes.size() && file.flush() && file.commit();
}

} // namespace Autostart
