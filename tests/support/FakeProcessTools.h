#pragma once
#include "ProcessTools.h"

#include <QHash>
#include <QSet>

// A process list scripted by the test. A terminated process leaves the list
// unless the test made it one that stays; nothing waits in pause().
class FakeProcessTools : public ProcessTools
{
public:
    // An empty path stands for an executable that cannot be read.
    void addProcess(quint32 processId, const QString &executablePath, const QString &shortName = QString())
    {
        processes.insert(processId, {executablePath, shortName});
    }
    // The process ignores SIGTERM (or belongs to another user).
    void keepRunning(quint32 processId) { stubborn.insert(processId); }
    // The processes asked to end, in order.
    QList<quint32> terminated() const { return asked; }
    int pauses() const { return paused; }

    QString executablePath(quint32 processId) const override { return processes.value(processId).path; }
    QString shortName(quint32 processId) const override { return processes.value(processId).shortName; }
    QList<quint32> processIds() const override { return processes.keys(); }
    bool terminate(quint32 processId) override
    {
        asked.append(processId);
        if (stubborn.contains(processId))
            return false;
        return processes.remove(processId) > 0;
    }
    void pause(int) override { ++paused; }

private:
    struct Process
    {
        QString path;
        QString shortName;
    };
    QHash<quint32, Process> processes;
    QSet<quint32> stubborn;
    QList<quint32> asked;
    int paused = 0;
};
