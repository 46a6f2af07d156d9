#pragma once
// The warnings logged while it lives, for tests that check what is said and
// how often.
//
//     WarningLog log;
//     hook.start();
//     QCOMPARE(log.lines.size(), 1);

#include <QStringList>
#include <QtGlobal>

class WarningLog
{
public:
    WarningLog()
        : previous(qInstallMessageHandler(&WarningLog::keep))
    {
        current() = this;
    }
    ~WarningLog()
    {
        qInstallMessageHandler(previous);
        current() = nullptr;
    }
    WarningLog(const WarningLog &) = delete;
    WarningLog &operator=(const WarningLog &) = delete;

    QStringList lines;

private:
    static WarningLog *&current()
    {
        static WarningLog *log = nullptr;
        return log;
    }
    static void keep(QtMsgType type, const QMessageLogContext &, const QString &message)
    {
        if (type == QtWarningMsg && current())
            current()->lines << message;
    }

    QtMessageHandler previous;
};
