#pragma once
#include <QList>
#include <QString>

// What the system tells about running processes, read from /proc, and ending
// the user's own. Virtual so that tests can script a process list of their
// own.
class ProcessTools
{
public:
    virtual ~ProcessTools();

    // The full path of the process's executable; empty when it cannot be read
    // (a process of another user, or one that has ended). The " (deleted)"
    // that the kernel adds for a removed or replaced file is cut off.
    virtual QString executablePath(quint32 processId) const;
    // The short name the kernel keeps for the process (at most 15 bytes, from
    // the executable's name unless the process changed it); empty when unknown.
    virtual QString shortName(quint32 processId) const;
    // Every running process, by the numbered folders of /proc.
    virtual QList<quint32> processIds() const;
    // Sends SIGTERM to the process when it belongs to this user (never to
    // this process itself); false when it was not sent.
    virtual bool terminate(quint32 processId);
    // How long endProcesses waits between two looks at the process list.
    virtual void pause(int ms);

    // The processes whose executable has this file name (case-sensitive); a
    // process whose executable cannot be read counts by its short name,
    // which holds the name's first 15 bytes.
    QList<quint32> findProcesses(const QString &executableName) const;
    bool isRunning(const QString &executableName) const { return !findProcesses(executableName).isEmpty(); }
    // Asks every process of that name to end and waits up to timeoutMs for
    // them to be gone; true when none is left.
    bool endProcesses(const QString &executableName, int timeoutMs = 2000);

    // The process list the program's own questions use; tests put a fake
    // one in its place (null gives back the system's).
    static ProcessTools &current();
    static void setCurrent(ProcessTools *tools);
};

// Whether a program of that executable file name runs, by ProcessTools::current().
bool isProcessRunning(const QString &executableName);
