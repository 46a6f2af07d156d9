#include "Autostart.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

namespace Autostart {

QString entryPath(const QString &name)
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + "/autostart/" + name +
           ".desktop";
}

bool isRegistered(const QString &name)
{
    return QFile::exists(entryPath(name));
}

QString execLine(const QString &executable, const QString &argument)
{
    // Inside quotes, ", `, $ and \ take a backslash; the value itself then
    // escapes every backslash once more, and % is doubled.
    QString quoted;
    for (const QChar c : executable) {
        if (c == '"' || c == '`' || c == '$' || c == '\\')
            quoted += '\\';
        quoted += c;
    }
    quoted.replace('\\', QStringLiteral("\\\\"));
    quoted.replace('%', QStringLiteral("%%"));
    return '"' + quoted + "\" " + argument;
}

bool registerEntry(const QString &name, const QString &executable, const QString &argument)
{
    const QString path = entryPath(name);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text))
        return false;
    const QString text = QStringLiteral("[Desktop Entry]\nType=Application\nName=%1\nExec=%2\n"
                                        "X-GNOME-Autostart-enabled=true\n")
                             .arg(QString(name).replace('\n', ' '), execLine(executable, argument));
    file.write(text.toUtf8());
    return file.commit();
}

} // namespace Autostart
