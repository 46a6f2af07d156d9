#pragma once

#include "BenchTable.h"

#include <QVector>

// The package and the configuration file on generated models of growing
// size: package(), writeBytes() and loadBytes(), each model checked to come
// back equal and byte-identical from a write and a read.
class ModelBench
{
public:
    explicit ModelBench(int runs)
        : m_runs(runs)
    {}

    // Adds the rows; false when a model did not survive its round trip.
    bool run(BenchTable &table);

private:
    struct Size
    {
        int profiles = 0;
        Samples package;
        Samples write;
        Samples read;
    };

    bool measure(Size &size, BenchTable &table);
    void addRows(BenchTable &table, const char *what, Samples Size::*times, double goalMs) const;

    int m_runs;
    QVector<Size> m_sizes;
};
