#include "WindowBench.h"

#include "ChildProcess.h"
#include "ConfigFile.h"
#include "WindowWatch.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <chrono>
#include <cstdio>
#include <memory>
#include <thread>

namespace {

// The shown start with the starter profiles against the bare window
// program, and the largest against the starter profiles, shown and hidden.
constexpr double shownGoal = 2.5;
constexpr double growthGoal = 1.3;
constexpr double memoryGoal = 1.5;
constexpr int startTimeoutMs = 15000;
// What the start left queued (the first painting, the check of the
// starter copy) is done with by then.
constexpr int settleMs = 300;

QString sizeName(int profiles)
{
    return profiles == 0 ? QStringLiteral("starter profiles") : QStringLiteral("%1 profiles").arg(profiles);
}

QString ratio(double value)
{
    return QStringLiteral("%1x").arg(value, 0, 'f', 2);
}

QString kilobytes(double value)
{
    return BenchTable::bytes(qint64(value * 1024));
}

} // namespace

QStringList WindowBench::arguments(bool hidden) const
{
    QStringList list;
    if (hidden)
        list << QStringLiteral("hide");
    // A guard key of its own, so that a control panel the user runs does not
    // turn the measured one away.
    list << QStringLiteral("instance") << QStringLiteral("r7-bench-%1").arg(QCoreApplication::applicationPid());
    return list;
}

bool WindowBench::startOnce(const QString &program, int profiles, bool shown, Result &result) const
{
    QTemporaryDir home(m_programs.homes + QStringLiteral("/home-XXXXXX"));
    QTemporaryDir runtime(m_programs.runtimes + QStringLiteral("/runtime-XXXXXX"));
    if (!m_files.seed(home.path(), profiles)) {
        std::fprintf(stderr, "the working file of %d profiles could not be written\n", profiles);
        return false;
    }
    WindowWatch watch;
    if (shown && !watch.open(m_programs.display)) {
        std::fprintf(stderr, "no X server at %s\n", qPrintable(m_programs.display));
        return false;
    }
    ChildProcess process;
    if (!process.start(program, arguments(!shown), home.path(), runtime.path(), m_programs.probe,
                       shown ? m_programs.display : QString())) {
        std::fprintf(stderr, "%s did not start\n", qPrintable(program));
        return false;
    }
    double ms = -1;
    double cpuMs = 0;
    if (shown) {
        const qint64 mapped = watch.waitForMap(process.pid(), startTimeoutMs);
        cpuMs = process.cpuNanoseconds() / 1e6;
        if (mapped > 0)
            ms = (mapped - process.execTime()) / 1e6;
        if (ms >= 0 && process.waitForIdle(startTimeoutMs) < 0)
            ms = -1;
    } else {
        ms = process.waitForIdle(startTimeoutMs);
        cpuMs = process.idleCpuMs();
    }
    if (ms < 0) {
        std::fprintf(stderr, "%s with %s did not %s\n", qPrintable(program), qPrintable(sizeName(profiles)),
                     shown ? "map its window" : "go idle");
        return false;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(settleMs));
    result.time.add(ms);
    result.cpu.add(cpuMs);
    result.resident.add(process.residentKilobytes());
    process.stop();
    return true;
}

int WindowBench::holdModel(const QString &path)
{
    if (!path.isEmpty() && !ConfigFile::instance()->loadFile(path))
        return 1;
    return QCoreApplication::exec();
}

qint64 WindowBench::heldModelKilobytes(int profiles) const
{
    QTemporaryDir home(m_programs.homes + QStringLiteral("/home-XXXXXX"));
    if (!m_files.seed(home.path(), profiles))
        return -1;
    ChildProcess process;
    const QString path = profiles > 0 ? StartFiles::workingFile(home.path()) : QStringLiteral("-");
    if (!process.start(m_programs.self, {QStringLiteral("--hold-model"), path}, home.path(), QString(),
                       m_programs.probe)
        || process.waitForIdle(startTimeoutMs) < 0)
        return -1;
    const qint64 kilobytes = process.residentKilobytes();
    process.stop();
    return kilobytes;
}

void WindowBench::addMemoryRows(BenchTable &table, const char *how, const Result &starter, const Result &largest,
                                int largestProfiles, bool goal) const
{
    const double memory = largest.resident.median() / starter.resident.median();
    table.addValue(QStringLiteral("resident memory after the %1 start: starter profiles").arg(QLatin1String(how)),
                   kilobytes(starter.resident.median()),
                   QStringLiteral("min %1, max %2")
                       .arg(kilobytes(starter.resident.minimum()), kilobytes(starter.resident.maximum())));
    table.addValue(
        QStringLiteral("resident memory after the %1 start: %2 profiles").arg(QLatin1String(how)).arg(largestProfiles),
        kilobytes(largest.resident.median()),
        QStringLiteral("%1 against the starter profiles, %2 more")
            .arg(ratio(memory), kilobytes(largest.resident.median() - starter.resident.median())),
        goal ? QStringLiteral("<= %1x").arg(memoryGoal) : QStringLiteral("(for comparison)"),
        goal ? BenchTable::check(memory <= memoryGoal) : BenchTable::Goal::None);
}

bool WindowBench::runShown(BenchTable &table)
{
    table.addSection(QStringLiteral("Start-up shown: exec to the first top-level window mapped; an X server without a "
                                    "window manager, QT_XCB_GL_INTEGRATION=none, a fresh home folder on disk, a "
                                    "runtime folder on tmpfs; the profiles in the working file and its backup"));
    const QList<int> profiles = sizes();
    // Entry 0 is the bare window program, then one per size.
    QVector<Result> results(profiles.size() + 1);
    const int count = results.size();
    for (int run = 0; run < m_runs; ++run) {
        for (int k = 0; k < count; ++k) {
            const int which = (run + k) % count;
            const bool ok = which == 0
                                ? startOnce(m_programs.bareWindow, 0, true, results[0])
                                : startOnce(m_programs.controlPanel, profiles.at(which - 1), true, results[which]);
            if (!ok)
                return false;
        }
    }

    const Result &bare = results.at(0);
    table.addTimes(QStringLiteral("start shown: bare window program (one empty 1400x800 window)"), bare.time,
                   QStringLiteral("processor time %1, resident %2")
                       .arg(BenchTable::time(bare.cpu.median()), kilobytes(bare.resident.median())));
    for (int i = 0; i < profiles.size(); ++i) {
        const Result &result = results.at(i + 1);
        const double toBare = result.time.median() / bare.time.median();
        // The goal is the starter profiles'; the others show the growth.
        const bool starter = profiles.at(i) == 0;
        table.addTimes(QStringLiteral("start shown: control panel, %1").arg(sizeName(profiles.at(i))), result.time,
                       QStringLiteral("%1 the bare window program's; processor time %2 (%3)")
                           .arg(ratio(toBare), BenchTable::time(result.cpu.median()),
                                ratio(result.cpu.median() / bare.cpu.median())),
                       starter ? QStringLiteral("<= %1x bare").arg(shownGoal) : QStringLiteral("(for comparison)"),
                       starter ? BenchTable::check(toBare <= shownGoal) : BenchTable::Goal::None);
    }
    const Result &starter = results.at(1);
    const Result &largest = results.last();
    const double growth = largest.time.median() / starter.time.median();
    table.addValue(QStringLiteral("start shown: %1 profiles against the starter profiles").arg(profiles.last()),
                   ratio(growth),
                   QStringLiteral("%1 more").arg(BenchTable::time(largest.time.median() - starter.time.median())),
                   QStringLiteral("<= %1x").arg(growthGoal), BenchTable::check(growth <= growthGoal));
    addMemoryRows(table, "shown", starter, largest, profiles.last(), true);

    const qint64 empty = heldModelKilobytes(0);
    const qint64 held = heldModelKilobytes(profiles.last());
    if (empty < 0 || held < 0) {
        std::fprintf(stderr, "the program holding the model did not go idle\n");
        return false;
    }
    table.addValue(QStringLiteral("the model of %1 profiles in memory").arg(profiles.last()), kilobytes(held - empty),
                   QStringLiteral("resident memory of a program that only loads the file, less the same without it "
                                  "(%1 and %2)")
                       .arg(kilobytes(held), kilobytes(empty)),
                   QStringLiteral("(the floor)"));
    return true;
}

bool WindowBench::runHidden(BenchTable &table)
{
    table.addSection(QStringLiteral("Start-up hidden by the number of profiles: exec to the first idle wait of the "
                                    "event loop; \"hide\", offscreen platform, the homes as above"));
    const QList<int> profiles = hiddenSizes();
    QVector<Result> results(profiles.size());
    const int count = results.size();
    for (int run = 0; run < m_runs; ++run) {
        for (int k = 0; k < count; ++k) {
            const int which = (run + k) % count;
            if (!startOnce(m_programs.controlPanel, profiles.at(which), false, results[which]))
                return false;
        }
    }
    for (int i = 0; i < profiles.size(); ++i) {
        table.addTimes(QStringLiteral("start hidden: control panel, %1").arg(sizeName(profiles.at(i))),
                       results.at(i).time,
                       QStringLiteral("processor time %1").arg(BenchTable::time(results.at(i).cpu.median())));
    }
    const Result &starter = results.first();
    const Result &largest = results.last();
    const double growth = largest.time.median() / starter.time.median();
    table.addValue(QStringLiteral("start hidden: %1 profiles against the starter profiles").arg(profiles.last()),
                   ratio(growth),
                   QStringLiteral("%1 more; processor time %2")
                       .arg(BenchTable::time(largest.time.median() - starter.time.median()),
                            ratio(largest.cpu.median() / starter.cpu.median())),
                   QStringLiteral("<= %1x").arg(growthGoal), BenchTable::check(growth <= growthGoal));
    addMemoryRows(table, "hidden", starter, largest, profiles.last(), false);
    return true;
}
