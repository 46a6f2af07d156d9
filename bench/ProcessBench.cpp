#include "ProcessBench.h"

#include "ChildProcess.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <chrono>
#include <cstdio>
#include <thread>

namespace {

constexpr double startupGoal = 1.2;
constexpr double idleGoal = 1.1;
constexpr int idleWindows = 20;

} // namespace

QStringList ProcessBench::arguments() const
{
    // A guard key of its own, so that a control panel the user runs does not
    // turn the measured one away.
    return {QStringLiteral("hide"), QStringLiteral("instance"),
            QStringLiteral("r7-bench-%1").arg(QCoreApplication::applicationPid())};
}

bool ProcessBench::runStartup(BenchTable &table)
{
    const QString programs[2] = {m_programs.controlPanel, m_programs.bareQt};
    Samples times[2];
    bool ok = true;
    for (int run = 0; run < m_runs && ok; ++run) {
        // Side by side: one of each per run, in turns first.
        for (int k = 0; k < 2 && ok; ++k) {
            const int which = (run + k) % 2;
            QTemporaryDir home(m_programs.homes + QStringLiteral("/home-XXXXXX"));
            ChildProcess process;
            const bool started = process.start(programs[which], arguments(), home.path(), m_programs.probe);
            const double ms = started ? process.waitForIdle(10000) : -1;
            process.stop();
            if (ms < 0) {
                std::fprintf(stderr, "%s did not start or never went idle\n", qPrintable(programs[which]));
                ok = false;
            } else {
                times[which].add(ms);
            }
        }
    }
    if (!ok)
        return false;
    table.addSection(QStringLiteral("Start-up: exec to the first idle wait of the event loop; \"hide\", fresh home "
                                    "folder, offscreen platform"));
    table.addTimes(QStringLiteral("start hidden: control panel"), times[0]);
    table.addTimes(QStringLiteral("start hidden: bare Qt program"), times[1]);
    const double ratio = times[0].median() / times[1].median();
    table.addValue(QStringLiteral("start hidden: ratio of medians"), QStringLiteral("%1x").arg(ratio, 0, 'f', 2),
                   QStringLiteral("%1 more").arg(BenchTable::time(times[0].median() - times[1].median())),
                   QStringLiteral("<= %1x").arg(startupGoal), BenchTable::check(ratio <= startupGoal));
    return true;
}

bool ProcessBench::runIdle(BenchTable &table)
{
    const QString programs[2] = {m_programs.controlPanel, m_programs.bareQt};
    const QTemporaryDir home0(m_programs.homes + QStringLiteral("/home-XXXXXX"));
    const QTemporaryDir home1(m_programs.homes + QStringLiteral("/home-XXXXXX"));
    const QString homes[2] = {home0.path(), home1.path()};
    ChildProcess processes[2];
    for (int i = 0; i < 2; ++i) {
        if (!processes[i].start(programs[i], arguments(), homes[i], m_programs.probe)
            || processes[i].waitForIdle(10000) < 0) {
            std::fprintf(stderr, "%s did not start or never went idle\n", qPrintable(programs[i]));
            return false;
        }
    }
    // What start-up left queued is done with by now.
    std::this_thread::sleep_for(std::chrono::seconds(1));

    Samples cpu[2];
    qint64 cpuStart[2], cpuBefore[2], memoryStart[2], wakeupsStart[2];
    for (int i = 0; i < 2; ++i) {
        cpuStart[i] = cpuBefore[i] = processes[i].cpuNanoseconds();
        memoryStart[i] = processes[i].residentKilobytes();
        wakeupsStart[i] = processes[i].wakeups();
    }
    const auto window = std::chrono::milliseconds(m_idleSeconds * 1000 / idleWindows);
    auto next = std::chrono::steady_clock::now();
    for (int w = 0; w < idleWindows; ++w) {
        next += window;
        std::this_thread::sleep_until(next);
        for (int i = 0; i < 2; ++i) {
            const qint64 now = processes[i].cpuNanoseconds();
            cpu[i].add((now - cpuBefore[i]) / 1e6);
            cpuBefore[i] = now;
        }
    }
    qint64 total[2], growth[2], wakeups[2];
    for (int i = 0; i < 2; ++i) {
        total[i] = cpuBefore[i] - cpuStart[i];
        growth[i] = processes[i].residentKilobytes() - memoryStart[i];
        wakeups[i] = processes[i].wakeups() - wakeupsStart[i];
        processes[i].stop();
    }

    table.addSection(QStringLiteral("Idle: processor time of all threads per %1 s window over %2 s, started as above")
                         .arg(m_idleSeconds / double(idleWindows))
                         .arg(m_idleSeconds));
    const char *names[2] = {"control panel", "bare Qt program"};
    for (int i = 0; i < 2; ++i) {
        table.addTimes(QStringLiteral("idle CPU: %1").arg(QLatin1String(names[i])), cpu[i],
                       QStringLiteral("%1 wake-ups/s, %2 per wake-up")
                           .arg(wakeups[i] / double(m_idleSeconds), 0, 'f', 1)
                           .arg(BenchTable::time(wakeups[i] ? total[i] / 1e6 / wakeups[i] : 0)));
    }
    const double ratio = double(total[0]) / double(total[1]);
    table.addValue(QStringLiteral("idle CPU: ratio of totals"), QStringLiteral("%1x").arg(ratio, 0, 'f', 2),
                   QStringLiteral("%1 against %2 in %3 s")
                       .arg(BenchTable::time(total[0] / 1e6), BenchTable::time(total[1] / 1e6))
                       .arg(m_idleSeconds),
                   QStringLiteral("<= %1x").arg(idleGoal), BenchTable::check(ratio <= idleGoal));
    table.addValue(QStringLiteral("idle memory growth: control panel"), QStringLiteral("%1 KB").arg(growth[0]),
                   QStringLiteral("resident; the bare Qt program %1 KB").arg(growth[1]), QStringLiteral("none"),
                   BenchTable::check(growth[0] <= 0));
    return true;
}
