#include "LogRecorder.h"

namespace {

QStringList *currentLines = nullptr;
QtMessageHandler previousHandler = nullptr;

} // namespace

LogRecorder::LogRecorder()
{
    currentLines = &m_lines;
    m_previous = qInstallMessageHandler(&LogRecorder::handle);
    previousHandler = m_previous;
}

LogRecorder::~LogRecorder()
{
    qInstallMessageHandler(m_previous);
    currentLines = nullptr;
}

void LogRecorder::handle(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (currentLines)
        currentLines->append(message);
    if (previousHandler)
        previousHandler(type, context, message);
}

QStringList LogRecorder::matching(const QString &prefix) const
{
    QStringList found;
    for (const QString &line : m_lines) {
        if (line.startsWith(prefix))
            found.append(line);
    }
    return found;
}

int LogRecorder::indexOf(const QString &prefix, int from) const
{
    for (int i = qMax(from, 0); i < m_lines.size(); ++i) {
        if (m_lines[i].startsWith(prefix))
            return i;
    }
    return -1;
}
