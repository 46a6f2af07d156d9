#include "ProcessBench.h"

#include "ChildProcess.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <chrono>
#include <cstdio>
#include <memory>
#include <thread>

namespace {

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

bool ProcessBench::measureStartup(const Place &place, const QStringList &programs, Samples times[], Samples cpu[])
{
    const int count = programs.size();
    for (int run = 0; run < m_runs; ++run) {
        for (int k = 0; k < count; ++k) {
            const int which = (run + k) % count;
            QTemporaryDir home(place.homes + QStringLiteral("/home-XXXXXX"));
            std::unique_ptr<QTemporaryDir> runtime;
            if (!place.runtimes.isEmpty())
                runtime = std::make_unique<QTemporaryDir>(place.runtimes + QStringLiteral("/runtime-XXXXXX"));
            ChildProcess process;
            const bool started = process.start(programs.at(which), arguments(), home.path(),
                                               runtime ? runtime->path() : QString(), m_programs.probe);
            const double ms = started ? process.waitForIdle(10000) : -1;
            const double cpuMs = process.idleCpuMs();
            process.stop();
            if (ms < 0) {
                std::fprintf(stderr, "%s did not start or never went idle\n", qPrintable(programs.at(which)));
                return false;
            }
            times[which].add(ms);
            cpu[which].add(cpuMs);
        }
    }
    return true;
}

bool ProcessBench::runStartup(BenchTable &table)
{
    table.addSection(QStringLiteral("Start-up: exec to the first idle wait of the event loop; \"hide\", a fresh home "
                                    "folder, offscreen platform"));
    // For comparison with the yardstick that only polls: the first with the
    // processor time and the tray program, the others show where the time
    // goes. The goals of the start-up are the shown and hidden rows' by the
    // number of profiles.
    const struct
    {
        const char *where;
        Place place;
        bool first;
    } variants[] = {
        {"home on disk, no session runtime folder", {m_programs.homes, QString()}, true},
        {"home on disk, a session runtime folder on tmpfs (a desktop session)",
         {m_programs.homes, m_programs.runtimes},
         false},
        {"home and runtime folder on tmpfs (no disk syncs)", {m_programs.runtimes, m_programs.runtimes}, false},
    };
    for (const auto &variant : variants) {
        // The first run also starts the tray yardstick, to show what a tray
        // program pays over the bare one.
        QStringList programs{m_programs.controlPanel, m_programs.bareQt};
        if (variant.first)
            programs << m_programs.bareTray;
        Samples times[3];
        Samples cpu[3];
        if (!measureStartup(variant.place, programs, times, cpu))
            return false;
        table.addTimes(QStringLiteral("start hidden: control panel, %1").arg(QLatin1String(variant.where)), times[0]);
        table.addTimes(QStringLiteral("start hidden: bare Qt program, the same"), times[1]);
        const double ratio = times[0].median() / times[1].median();
        table.addValue(QStringLiteral("start hidden: ratio of medians"), QStringLiteral("%1x").arg(ratio, 0, 'f', 2),
                       QStringLiteral("%1 more").arg(BenchTable::time(times[0].median() - times[1].median())),
                       QStringLiteral("(for comparison)"), BenchTable::Goal::None);
        if (variant.first) {
            // Processor time does not grow with the load of the machine, as
            // the time to idle does when other programs take the processors.
            table.addTimes(QStringLiteral("start hidden: processor time to idle, all threads: control panel"), cpu[0]);
            table.addTimes(QStringLiteral("start hidden: processor time to idle, all threads: bare Qt program"),
                           cpu[1]);
            table.addValue(QStringLiteral("start hidden: ratio of processor time medians"),
                           QStringLiteral("%1x").arg(cpu[0].median() / cpu[1].median(), 0, 'f', 2),
                           QStringLiteral("%1 more").arg(BenchTable::time(cpu[0].median() - cpu[1].median())),
                           QStringLiteral("(for comparison)"), BenchTable::Goal::None);
            table.addTimes(QStringLiteral("start hidden: bare Qt program with a tray icon and its menu, the same"),
                           times[2]);
            const double trayRatio = times[0].median() / times[2].median();
            table.addValue(QStringLiteral("start hidden: ratio of medians against the tray program"),
                           QStringLiteral("%1x").arg(trayRatio, 0, 'f', 2),
                           QStringLiteral("%1 more").arg(BenchTable::time(times[0].median() - times[2].median())),
                           QStringLiteral("(for comparison)"), BenchTable::Goal::None);
        }
    }
    return true;
}

bool ProcessBench::runIdle(BenchTable &table)
{
    const QString programs[2] = {m_programs.controlPanel, m_programs.bareQt};
    const QTemporaryDir home0(m_programs.homes + QStringLiteral("/home-XXXXXX"));
    const QTemporaryDir home1(m_programs.homes + QStringLiteral("/home-XXXXXX"));
    const QTemporaryDir runtime0(m_programs.runtimes + QStringLiteral("/runtime-XXXXXX"));
    const QTemporaryDir runtime1(m_programs.runtimes + QStringLiteral("/runtime-XXXXXX"));
    const QString homes[2] = {home0.path(), home1.path()};
    const QString runtimes[2] = {runtime0.path(), runtime1.path()};
    ChildProcess processes[2];
    for (int i = 0; i < 2; ++i) {
        if (!processes[i].start(programs[i], arguments(), homes[i], runtimes[i], m_programs.probe)
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

    table.addSection(QStringLiteral("Idle: processor time of all threads per %1 s window over %2 s, started as above "
                                    "with a runtime folder")
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
