#pragma once
#include "ProcessTools.h"

#include <QHash>

// A process list scripted by the test.
class FakeProcessTools : public ProcessTools
{
public:
    // An empty path stands for an executable that cannot be read.
    void addProcess(quint32 processId, const QString &executablePath, const QString &shortName = QString())
    {
        processes.insert(processId, {executablePath, shortName});
    }

    QString executablePath(quint32 processId) const override { return processes.value(processId).path; }
    QString shortName(quint32 processId) const override { return processes.value(processId).shortName; }

private:
    struct Process
    {
        QString path;
        QString shortName;
    };
    QHash<quint32, Process> processes;
};
