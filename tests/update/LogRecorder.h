#pragma once
// Records the log lines written while it exists (and passes them on to the
// handler before it), for tests that check what the update logs.
//
//     LogRecorder log;
//     ...;
//     QCOMPARE(log.count("Blfwk: eraseFlashRegionWithRetries"), 4);

#include <QStringList>
#include <QtGlobal>

class LogRecorder
{
public:
    LogRecorder();
    ~LogRecorder();
    LogRecorder(const LogRecorder &) = delete;
    LogRecorder &operator=(const LogRecorder &) = delete;

    QStringList lines() const { return m_lines; }
    // Lines that start with prefix.
    QStringList matching(const QString &prefix) const;
    int count(const QString &prefix) const { return matching(prefix).size(); }
    bool contains(const QString &line) const { return m_lines.contains(line); }
    // The index of the first line starting with prefix at or after from; -1
    // when there is none.
    int indexOf(const QString &prefix, int from = 0) const;
    void clear() { m_lines.clear(); }

private:
    static void handle(QtMsgType type, const QMessageLogContext &context, const QString &message);

    QStringList m_lines;
    QtMessageHandler m_previous;
};
