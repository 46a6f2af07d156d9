#pragma once

#include <chrono>
#include <vector>

// Repeated measurements of one quantity: median, minimum and maximum.
class Samples
{
public:
    void add(double value) { m_values.push_back(value); }
    int count() const { return int(m_values.size()); }
    bool isEmpty() const { return m_values.empty(); }
    double median() const;
    double minimum() const;
    double maximum() const;

private:
    std::vector<double> m_values;
};

// Runs work `runs` times and returns the wall time of each run in
// milliseconds. Before each run, prepare() is called outside the timing.
template<class Prepare, class Work>
Samples timeRuns(int runs, Prepare prepare, Work work)
{
    Samples samples;
    for (int i = 0; i < runs; ++i) {
        prepare();
        const auto start = std::chrono::steady_clock::now();
        work();
        const auto end = std::chrono::steady_clock::now();
        samples.add(std::chrono::duration<double, std::milli>(end - start).count());
    }
    return samples;
}

template<class Work>
Samples timeRuns(int runs, Work work)
{
    return timeRuns(
        runs, [] {}, work);
}
