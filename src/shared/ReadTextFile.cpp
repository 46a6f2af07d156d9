#include "ReadTextFile.h"

#include <QDebug>
#include <QFile>

QString readTextFile(const QString &path, bool *ok)
{
    QFile file(path);
    const bool opened = file.open(QIODevice::ReadOnly);
    if (ok)
        *ok = opened;
    if (!opened) {
        qDebug().noquote() << "Error opening file" << path << file.errorString();
        return QString();
    }
    return QString::fromUtf8(file.readAll());
}
