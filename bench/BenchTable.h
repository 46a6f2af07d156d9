#pragma once

#include "Samples.h"

#include <QString>
#include <QVector>

#include <cstdio>

// The one table the benchmarks print: one row per measurement (median,
// minimum and maximum of its runs), a note column (time per profile, sizes)
// and the goal with whether it was met.
class BenchTable
{
public:
    enum class Goal { None, Met, Missed };

    void addSection(const QString &title);
    // A row of times in milliseconds.
    void addTimes(const QString &what, const Samples &milliseconds, const QString &note = QString(),
                  const QString &goal = QString(), Goal met = Goal::None);
    // A row of one derived value (a ratio, a growth).
    void addValue(const QString &what, const QString &value, const QString &note = QString(),
                  const QString &goal = QString(), Goal met = Goal::None);
    void print(std::FILE *out) const;
    int missedGoals() const;

    static Goal check(bool met) { return met ? Goal::Met : Goal::Missed; }
    // 0.85 ms, 12.3 µs, 148 ms: three significant digits in a fitting unit.
    static QString time(double milliseconds);
    static QString bytes(qint64 size);

private:
    struct Row
    {
        bool section = false;
        QString cells[7]; // what, runs, median, min, max, note, goal
        Goal met = Goal::None;
    };
    QVector<Row> m_rows;
};
