#pragma once

#include "BenchTable.h"

#include <QString>

// The views' interactions at 40 profiles, each the time the event loop is
// blocked from the click to its next idle wait: switching to a profile not
// shown before in the expert view, opening its mapping page, opening a
// card's output picker, an edit on the settings page, and Save with the
// mouse connected (the upload goes on past the idle wait). Measured inside
// the program by the view benchmark (ViewBenchProgram.cpp), started in a home
// folder of its own.
class ViewsBench
{
public:
    struct Programs
    {
        QString viewBench;
        QString programFolder; // the shipped files beside the executable
        QString homes;
        QString display; // the X server; offscreen when empty
    };

    ViewsBench(const Programs &programs, int runs)
        : m_programs(programs)
        , m_runs(runs)
    {}

    // False when the program failed.
    bool run(BenchTable &table);

private:
    Programs m_programs;
    int m_runs;
};
