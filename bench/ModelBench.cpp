#include "ModelBench.h"

#include "ConfigFile.h"
#include "ModelGenerator.h"
#include "ModelSnapshot.h"
#include "PackageCreator.h"
#include "ProfileReceiver.h"

#include <cstdio>

namespace {

// The goals hold for the model of 40 profiles.
constexpr int goalProfiles = 40;
constexpr double packageGoalMs = 1;
constexpr double writeGoalMs = 25;
constexpr double readGoalMs = 25;
// Linear: no step costs more per profile than this many times the cheapest.
// Twice leaves room for the caches a large model outgrows (and the fresh
// pages a large file needs), not for a cost that grows with the size.
constexpr double linearSpread = 2;

struct Counts
{
    int mappings = 0;
    int outputs = 0;
};

void count(const InputMapList &list, Counts &counts)
{
    for (const InputMapPtr &mapping : list) {
        if (!mapping)
            continue;
        ++counts.mappings;
        counts.outputs += mapping->activationOutputs.size() + mapping->deactivationOutputs.size();
        count(mapping->children, counts);
    }
}

Counts countModel()
{
    PackageCreator *model = PackageCreator::instance();
    Counts counts;
    count(model->globalProfile()->inputMaps, counts);
    for (const ProfileData *profile : model->profiles())
        count(profile->inputMaps, counts);
    return counts;
}

ModelGenerator::Shape shapeOf(int profiles)
{
    ModelGenerator::Shape shape;
    shape.profiles = profiles;
    return shape;
}

} // namespace

bool ModelBench::run(BenchTable &table)
{
    const int largest = ModelGenerator::largestProfileCount(shapeOf(0));
    // The next larger model must be refused, or "largest" is not.
    ModelGenerator::build(shapeOf(largest + 1));
    QtMessageHandler previous = qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
    const bool largerRefused = PackageCreator::instance()->package().isEmpty();
    qInstallMessageHandler(previous);

    table.addSection(
        QStringLiteral("Model: the global profile and N profiles (every fourth a sub-profile), each with "
                       "own settings, 2 applications, 2 profile outputs, 60 + 6 mappings, 3 outputs each"));
    bool ok = largerRefused;
    if (!largerRefused)
        std::fprintf(stderr, "a package of %d profiles was built: the largest model is larger\n", largest + 1);
    for (int profiles : {5, 10, 20, 40, 80, largest}) {
        Size size;
        size.profiles = profiles;
        ok = measure(size, table) && ok;
        m_sizes.append(size);
    }
    addRows(table, "package()", &Size::package, packageGoalMs);
    addRows(table, "writeBytes()", &Size::write, writeGoalMs);
    addRows(table, "loadBytes()", &Size::read, readGoalMs);
    return ok;
}

bool ModelBench::measure(Size &size, BenchTable &table)
{
    PackageCreator *model = PackageCreator::instance();
    ConfigFile *file = ConfigFile::instance();
    ModelGenerator::build(shapeOf(size.profiles));
    const Counts counts = countModel();

    QByteArray sink;
    const QByteArray package = model->package();
    size.package = timeRuns(m_runs * 5, [&] { sink = model->package(); });
    // A copy of its own, so that the writer's buffer is free again.
    QByteArray bytes = file->writeBytes();
    bytes.detach();
    // Each file is let go before the next is written, as saving does.
    size.write = timeRuns(
        m_runs, [&] { sink = QByteArray(); }, [&] { sink = file->writeBytes(); });
    const bool sameWrites = sink == bytes;

    const ModelSnapshot written = ModelSnapshot::take();
    bool readOk = true;
    {
        ProfileReceiver receiver;
        size.read = timeRuns(
            m_runs, [] { SampleModel::emptyModel(); }, [&] { readOk = file->loadBytes(bytes) && readOk; });
    }
    const QString difference = written.differenceFrom(ModelSnapshot::take());
    // Every group names the item count of the profile the package encoded
    // last, as the program's memory figure leaves it after each change.
    model->package();
    const bool sameFile = file->writeBytes() == bytes;
    const bool ok = !package.isEmpty() && sameWrites && readOk && difference.isEmpty() && sameFile;

    table.addValue(QStringLiteral("model of %1 profiles").arg(size.profiles),
                   ok ? QStringLiteral("round trip ok") : QStringLiteral("ROUND TRIP FAILED"),
                   QStringLiteral("%1 mappings, %2 outputs, file %3, package %4")
                       .arg(counts.mappings)
                       .arg(counts.outputs)
                       .arg(BenchTable::bytes(bytes.size()), BenchTable::bytes(package.size())),
                   QString(), BenchTable::check(ok));
    if (!ok) {
        std::fprintf(stderr, "model of %d profiles: package %s, writes %s, read %s, model %s, file %s\n", size.profiles,
                     package.isEmpty() ? "empty" : "ok", sameWrites ? "equal" : "differ", readOk ? "ok" : "failed",
                     difference.isEmpty() ? "equal" : qPrintable(difference), sameFile ? "equal" : "differs");
    }
    return ok;
}

void ModelBench::addRows(BenchTable &table, const char *what, Samples Size::*times, double goalMs) const
{
    // Time per profile is the step from the row before: equal steps are
    // linear growth.
    double cheapest = 0;
    double dearest = 0;
    for (int i = 0; i < m_sizes.size(); ++i) {
        const Size &size = m_sizes.at(i);
        const double median = (size.*times).median();
        QString note;
        if (i > 0) {
            const Size &before = m_sizes.at(i - 1);
            const double step = (median - (before.*times).median()) / (size.profiles - before.profiles);
            note = QStringLiteral("%1 per profile from %2").arg(BenchTable::time(step)).arg(before.profiles);
            if (i > 1) { // the smallest models are dominated by the fixed part
                cheapest = cheapest == 0 ? step : std::min(cheapest, step);
                dearest = std::max(dearest, step);
            }
        } else {
            note = QStringLiteral("%1 per profile").arg(BenchTable::time(median / (size.profiles + 1)));
        }
        QString goal;
        BenchTable::Goal met = BenchTable::Goal::None;
        if (size.profiles == goalProfiles) {
            goal = QStringLiteral("<= %1").arg(BenchTable::time(goalMs));
            met = BenchTable::check(median <= goalMs);
        }
        table.addTimes(QStringLiteral("%1 %2 profiles").arg(QLatin1String(what)).arg(size.profiles), size.*times, note,
                       goal, met);
    }
    const bool linear = cheapest > 0 && dearest <= cheapest * linearSpread;
    table.addValue(QStringLiteral("%1 growth").arg(QLatin1String(what)),
                   linear ? QStringLiteral("linear") : QStringLiteral("not linear"),
                   QStringLiteral("steps from 10 profiles on: %1 to %2 per profile")
                       .arg(BenchTable::time(cheapest), BenchTable::time(dearest)),
                   QStringLiteral("linear (steps within %1x)").arg(linearSpread), BenchTable::check(linear));
}
