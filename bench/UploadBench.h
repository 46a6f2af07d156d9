#pragma once

#include "BenchTable.h"

// The upload of the package of the 40-profile model, timed on the host:
// against the simulated mouse of the tests and against a transport whose
// mouse answers at once.
class UploadBench
{
public:
    explicit UploadBench(int runs)
        : m_runs(runs)
    {}

    // False when an upload failed.
    bool run(BenchTable &table);

private:
    int m_runs;
};
