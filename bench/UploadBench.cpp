#include "UploadBench.h"

#include "FakeHidTransport.h"
#include "InstantTransport.h"
#include "ModelGenerator.h"
#include "MouseFunctions.h"
#include "SimulatedMouse.h"

#include <QEventLoop>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

constexpr double goalMicroseconds = 50;
constexpr int memorySize = 1 << 20;

// Starts the device object on the transport the factory makes and waits
// until it reports the mouse connected.
bool connectDevice(const std::function<HIDInterface *()> &factory)
{
    MouseFunctions::destroyInstance();
    MouseFunctions::setTransportFactory(factory);
    MouseFunctions *device = MouseFunctions::instance();
    QEventLoop loop;
    bool connected = false;
    QObject::connect(device, &MouseFunctions::mouseConnect, &loop, [&](bool on) {
        connected = on;
        loop.quit();
    });
    QTimer::singleShot(5000, &loop, &QEventLoop::quit);
    device->init();
    if (!connected)
        loop.exec();
    // The replies of the connect sequence are in.
    QEventLoop settle;
    QTimer::singleShot(50, &settle, &QEventLoop::quit);
    settle.exec();
    return connected;
}

} // namespace

bool UploadBench::run(BenchTable &table)
{
    ModelGenerator::Shape shape;
    ModelGenerator::build(shape);
    const int packageSize = PackageCreator::instance()->package().size();

    table.addSection(QStringLiteral("Upload of the package of 40 profiles (%1): host time per 64-byte report")
                         .arg(BenchTable::bytes(packageSize)));
    bool ok = true;
    // reportsSince(): the reports written since it was called last.
    auto measure = [&](const QString &what, const std::function<int()> &reportsSince) {
        MouseFunctions *device = MouseFunctions::instance();
        int failures = 0;
        reportsSince();
        const Samples times = timeRuns(m_runs, [&] { failures += device->saveToRAM() != MouseFunctions::UploadOk; });
        const int perUpload = std::max(1, reportsSince() / m_runs);
        const double perReportUs = times.median() / perUpload * 1000;
        ok = ok && failures == 0;
        table.addValue(what, BenchTable::time(perReportUs / 1000),
                       QStringLiteral("%1 reports per upload, whole upload %2 (min %3, max %4), %5 runs%6")
                           .arg(perUpload)
                           .arg(BenchTable::time(times.median()), BenchTable::time(times.minimum()),
                                BenchTable::time(times.maximum()))
                           .arg(times.count())
                           .arg(failures ? QStringLiteral(", %1 FAILED").arg(failures) : QString()),
                       QStringLiteral("<= %1 µs").arg(goalMicroseconds),
                       BenchTable::check(failures == 0 && perReportUs <= goalMicroseconds));
    };

    SimulatedMouse mouse;
    mouse.setMemorySize(memorySize);
    mouse.plugIn();
    FakeHidTransport *fake = nullptr;
    if (connectDevice([&]() -> HIDInterface * { return fake = new FakeHidTransport(&mouse); })) {
        measure(QStringLiteral("upload per report: simulated mouse"), [&] {
            const int count = fake->writtenPackets().size();
            fake->clearWrittenPackets();
            mouse.clearLog();
            return count;
        });
    } else {
        std::fprintf(stderr, "the simulated mouse did not connect\n");
        ok = false;
    }

    InstantTransport *instant = nullptr;
    if (connectDevice([&]() -> HIDInterface * { return instant = new InstantTransport(memorySize); })) {
        int counted = 0;
        measure(QStringLiteral("upload per report: mouse answering at once"), [&] {
            const int since = instant->writtenPackets() - counted;
            counted = instant->writtenPackets();
            return since;
        });
    } else {
        std::fprintf(stderr, "the instant transport did not connect\n");
        ok = false;
    }
    MouseFunctions::destroyInstance();
    MouseFunctions::setTransportFactory({});
    return ok;
}
