#include "ProcessTools.h"

#include <QByteArray>
#include <QFile>

#include <climits>
#include <unistd.h>

ProcessTools::~ProcessTools() = default;

QString ProcessTools::executablePath(quint32 processId) const
{
    const QByteArray link = "/proc/" + QByteArray::number(processId) + "/exe";
    char target[PATH_MAX];
    const ssize_t length = ::readlink(link.constData(), target, sizeof target);
    if (length <= 0)
        return QString();
    QString path = QFile::decodeName(QByteArray(target, int(length)));
    static const QString deleted = QStringLiteral(" (deleted)");
    if (path.endsWith(deleted))
        path.chop(deleted.size());
    return path;
}

QString ProcessTools::shortName(quint32 processId) const
{
    QFile comm("/proc/" + QString::number(processId) + "/comm");
    if (!comm.open(QIODevice::ReadOnly))
        return QString();
    QByteArray name = comm.readAll();
    if (name.endsWith('\n'))
        name.chop(1);
    return QString::fromLocal8Bit(name);
}
