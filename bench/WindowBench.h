#pragma once

#include "BenchTable.h"
#include "StartFiles.h"

#include <QList>
#include <QString>

// Start-ups that must not grow with the number of profiles: the control
// panel started shown, on an X server without a window manager, with the
// starter profiles and with generated models of growing size, side by side
// with a bare program that shows one empty window of the same size (the time
// from exec to the first top-level window mapped, and the processor time
// until then); the same starts hidden, to the first idle wait of the event
// loop; and the resident memory after each, against the memory the model
// itself takes.
class WindowBench
{
public:
    struct Programs
    {
        QString controlPanel;
        QString bareWindow;
        QString probe;
        QString self; // this program, which holds a model for the memory floor
        QString homes;
        QString runtimes;
        QString display; // the X server of the shown starts
    };

    WindowBench(const Programs &programs, const StartFiles &files, int runs)
        : m_programs(programs)
        , m_files(files)
        , m_runs(runs)
    {}

    static QList<int> sizes() { return {0, 5, 40, 80}; }
    static QList<int> hiddenSizes() { return {0, 40, 80}; }

    // False when a program did not start, map its window or go idle.
    bool runShown(BenchTable &table);
    bool runHidden(BenchTable &table);

    // In the child this program runs for the memory floor: loads path (none
    // when empty) into the model store, then idles until it is stopped.
    static int holdModel(const QString &path);

private:
    struct Result
    {
        Samples time;
        Samples cpu;
        Samples resident; // kilobytes
    };
    QStringList arguments(bool hidden) const;
    // A start of program with that many profiles: into result, false when it
    // failed.
    bool startOnce(const QString &program, int profiles, bool shown, Result &result) const;
    // The resident memory of this program holding the model of that many
    // profiles (none for 0), after it went idle; negative when it failed.
    qint64 heldModelKilobytes(int profiles) const;
    void addMemoryRows(BenchTable &table, const char *how, const Result &starter, const Result &largest,
                       int largestProfiles, bool goal) const;

    Programs m_programs;
    const StartFiles &m_files;
    int m_runs;
};
