#pragma once

#include "BenchTable.h"

#include <QString>

// The control panel as a running program against a bare Qt program that
// also wakes every 100 ms, both started the same way (argument "hide", a
// fresh home folder, offscreen platform): the time from exec to the first
// idle wait of the event loop, and the processor time and memory while idle.
class ProcessBench
{
public:
    struct Programs
    {
        QString controlPanel;
        QString bareQt;
        QString bareTray; // the bare Qt program with a tray icon and its menu, for comparison
        QString probe;
        QString homes;    // where the fresh home folders are made (on disk, as a user's home is)
        QString runtimes; // where fresh session runtime folders are made (a tmpfs, as a session's is)
    };

    ProcessBench(const Programs &programs, int runs, int idleSeconds)
        : m_programs(programs)
        , m_runs(runs)
        , m_idleSeconds(idleSeconds)
    {}

    // False when a program did not start or never went idle.
    bool runStartup(BenchTable &table);
    bool runIdle(BenchTable &table);

private:
    QStringList arguments() const;
    // Where a start-up runs: the folders its home and runtime folders are
    // made in (no runtime folder when empty).
    struct Place
    {
        QString homes;
        QString runtimes;
    };
    // Start-up times of the programs, side by side (one of each per run, in
    // turns first), and the processor time each spent until then; false when
    // one failed.
    bool measureStartup(const Place &place, const QStringList &programs, Samples times[], Samples cpu[]);

    Programs m_programs;
    int m_runs;
    int m_idleSeconds;
};
