#include "DesktopEntry.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString unescaped(const QString &raw)
{
    QString text;
    text.reserve(raw.size());
    for (int i = 0; i < raw.size(); ++i) {
        const QChar c = raw.at(i);
        if (c != QLatin1Char('\\') || i + 1 == raw.size()) {
            text += c;
            continue;
        }
        const QChar next = raw.at(i + 1);
        switch (next.unicode()) {
        case 's':
            text += QLatin1Char(' ');
            break;
        case 'n':
            text += QLatin1Char('\n');
            break;
        case 't':
            text += QLatin1Char('\t');
            break;
        case 'r':
            text += QLatin1Char('\r');
            break;
        case '\\':
            text += QLatin1Char('\\');
            break;
        default:
            // Not a string escape: kept for the list or Exec rules.
            text += c;
            text += next;
            break;
        }
        ++i;
    }
    return text;
}

// The field codes the launcher fills in; "%%" is a literal percent sign.
bool isFieldCode(QChar c)
{
    return QStringLiteral("fFuUdDnNickvm").contains(c);
}

} // namespace

DesktopEntry DesktopEntry::parse(const QByteArray &text)
{
    DesktopEntry entry;
    bool inGroup = false;
    const QList<QByteArray> lines = text.split('\n');
    for (const QByteArray &rawLine : lines) {
        const QString line = QString::fromUtf8(rawLine).trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        if (line.startsWith(QLatin1Char('['))) {
            // Only the first group of that name counts.
            inGroup = !entry.hasGroup && line == QLatin1String("[Desktop Entry]");
            entry.hasGroup = entry.hasGroup || inGroup;
            continue;
        }
        if (!inGroup)
            continue;
        const int equals = line.indexOf(QLatin1Char('='));
        if (equals <= 0)
            continue;
        const QString key = line.left(equals).trimmed();
        // A key given twice keeps its first value.
        if (!entry.values.contains(key))
            entry.values.insert(key, unescaped(line.mid(equals + 1).trimmed()));
    }
    return entry;
}

std::optional<QByteArray> DesktopEntry::readFile(const QString &path)
{
    const int fd =
        ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    struct stat status;
    std::optional<QByteArray> content;
    if (::fstat(fd, &status) == 0 && S_ISREG(status.st_mode) && status.st_size <= maximumFileSize) {
        // One byte more than allowed tells a file that grew since fstat.
        QByteArray bytes(int(maximumFileSize) + 1, Qt::Uninitialized);
        qint64 total = 0;
        for (;;) {
            const ssize_t got = ::read(fd, bytes.data() + total, size_t(bytes.size() - total));
            if (got > 0) {
                total += got;
                if (total < bytes.size())
                    continue;
            } else if (got < 0 && errno == EINTR) {
                continue;
            } else if (got == 0) {
                bytes.truncate(int(total));
                content = bytes;
            }
            break;
        }
    }
    ::close(fd);
    return content;
}

QStringList DesktopEntry::splitExec(const QString &exec)
{
    QStringList arguments;
    QString current;
    bool inArgument = false; // something of the current argument was seen
    bool quoted = false;
    for (int i = 0; i < exec.size(); ++i) {
        const QChar c = exec.at(i);
        if (quoted) {
            if (c == QLatin1Char('"')) {
                quoted = false;
            } else if (c == QLatin1Char('\\') && i + 1 < exec.size()
                       && QStringLiteral("\"`$\\").contains(exec.at(i + 1))) {
                current += exec.at(++i);
            } else {
                current += c;
            }
            continue;
        }
        if (c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n')) {
            if (inArgument)
                arguments.append(current);
            current.clear();
            inArgument = false;
            continue;
        }
        if (c == QLatin1Char('"')) {
            quoted = true;
            inArgument = true;
            continue;
        }
        if (c == QLatin1Char('%') && i + 1 < exec.size()) {
            const QChar code = exec.at(i + 1);
            if (code == QLatin1Char('%')) {
                current += code;
                inArgument = true;
                ++i;
                continue;
            }
            if (isFieldCode(code)) {
                // Filled in by the launcher: nothing of it stays here.
                ++i;
                continue;
            }
        }
        current += c;
        inArgument = true;
    }
    if (quoted)
        return QStringList();
    if (inArgument)
        arguments.append(current);
    return arguments;
}
