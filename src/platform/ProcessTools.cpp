#include "ProcessTools.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QThread>

#include <cerrno>
#include <climits>
#include <csignal>
#include <sys/stat.h>
#include <unistd.h>

namespace {

ProcessTools *replacement = nullptr;

// The kernel keeps this many bytes of a process's name.
constexpr int shortNameBytes = 15;
constexpr int endPollMs = 50;

// A process that has ended but is not yet reaped by its parent (a zombie)
// keeps its folder and its name: it is not running.
bool hasEnded(const QString &entry)
{
    QFile stat("/proc/" + entry + "/stat");
    if (!stat.open(QIODevice::ReadOnly))
        return true;
    const QByteArray line = stat.read(512);
    // "pid (name) state ...": the name may hold blanks and parentheses.
    const int nameEnd = line.lastIndexOf(')');
    if (nameEnd < 0 || nameEnd + 2 >= line.size())
        return false;
    const char state = line.at(nameEnd + 2);
    return state == 'Z' || state == 'X';
}

} // namespace

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

QList<quint32> ProcessTools::processIds() const
{
    QList<quint32> ids;
    const QStringList entries = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString &entry : entries) {
        bool number = false;
        const quint32 id = entry.toUInt(&number);
        if (number && id > 0 && !hasEnded(entry))
            ids.append(id);
    }
    return ids;
}

bool ProcessTools::terminate(quint32 processId)
{
    const pid_t pid = pid_t(processId);
    if (pid <= 0 || pid == ::getpid())
        return false;
    // The folder of a process belongs to the user it runs as.
    struct stat info
    {};
    const QByteArray folder = "/proc/" + QByteArray::number(processId);
    if (::stat(folder.constData(), &info) != 0 || info.st_uid != ::getuid())
        return false;
    return ::kill(pid, SIGTERM) == 0;
}

void ProcessTools::pause(int ms)
{
    QThread::msleep(ulong(ms));
}

QList<quint32> ProcessTools::findProcesses(const QString &executableName) const
{
    QList<quint32> found;
    if (executableName.isEmpty())
        return found;
    const QString shortForm = QString::fromLocal8Bit(executableName.toLocal8Bit().left(shortNameBytes));
    const QList<quint32> ids = processIds();
    for (const quint32 id : ids) {
        const QString path = executablePath(id);
        const bool matches = path.isEmpty() ? shortName(id) == shortForm : QFileInfo(path).fileName() == executableName;
        if (matches)
            found.append(id);
    }
    return found;
}

bool ProcessTools::endProcesses(const QString &executableName, int timeoutMs)
{
    QList<quint32> left = findProcesses(executableName);
    for (const quint32 id : qAsConst(left))
        terminate(id);
    for (int waited = 0; !left.isEmpty() && waited < timeoutMs; waited += endPollMs) {
        pause(endPollMs);
        left = findProcesses(executableName);
    }
    return left.isEmpty();
}

ProcessTools &ProcessTools::current()
{
    static ProcessTools system;
    return replacement ? *replacement : system;
}

void ProcessTools::setCurrent(ProcessTools *tools)
{
    replacement = tools;
}

bool isProcessRunning(const QString &executableName)
{
    return ProcessTools::current().isRunning(executableName);
}
