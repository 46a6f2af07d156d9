// The benchmarks of ./bench.sh: one table of every measurement.
//
//   r7_bench [--runs N] [--idle-seconds S] [--homes DIR] [--runtimes DIR]
//            [--display :N] [--only model,upload,startup,idle,shown,hidden,views]
//   r7_bench --hold-model FILE   (the memory floor's child: holds a model)
//   r7_bench --seed-home N HOME  (a home with N generated profiles, for a
//                                 profiler's run of the program)

#include "BenchTable.h"
#include "StartFiles.h"
#include "ModelBench.h"
#include "ProcessBench.h"
#include "UploadBench.h"
#include "ViewsBench.h"
#include "WindowBench.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStringList>
#include <QSysInfo>
#include <QThread>

#include <algorithm>
#include <cstdio>

namespace {

// The shown and hidden starts by size and the views start a program for each
// run: at most this many runs, to keep the whole benchmark within minutes.
constexpr int programRuns = 10;

void warningsOnly(QtMsgType type, const QMessageLogContext &, const QString &text)
{
    if (type != QtDebugMsg && type != QtInfoMsg)
        std::fprintf(stderr, "%s\n", qPrintable(text));
}

QString cpuModel()
{
    QFile info(QStringLiteral("/proc/cpuinfo"));
    if (info.open(QIODevice::ReadOnly)) {
        for (const QByteArray &line : info.readAll().split('\n')) {
            if (line.startsWith("model name"))
                return QString::fromUtf8(line.mid(line.indexOf(':') + 1).trimmed());
        }
    }
    return QStringLiteral("unknown processor");
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    qInstallMessageHandler(warningsOnly);
    if (app.arguments().size() == 3 && app.arguments().at(1) == QLatin1String("--hold-model"))
        return WindowBench::holdModel(app.arguments().at(2) == QLatin1String("-") ? QString() : app.arguments().at(2));

    if (app.arguments().size() == 4 && app.arguments().at(1) == QLatin1String("--seed-home")) {
        StartFiles files;
        const int profiles = app.arguments().at(2).toInt();
        files.generate({profiles});
        return files.seed(app.arguments().at(3), profiles) ? 0 : 1;
    }

    int runs = 20;
    int idleSeconds = 60;
    QString homes = QDir::tempPath();
    QString runtimes;
    QString display = qEnvironmentVariable("DISPLAY");
    QStringList only = {"model", "upload", "startup", "idle", "shown", "hidden", "views"};
    const QStringList args = app.arguments();
    for (int i = 1; i + 1 < args.size(); i += 2) {
        if (args.at(i) == "--runs")
            runs = std::max(1, args.at(i + 1).toInt());
        else if (args.at(i) == "--idle-seconds")
            idleSeconds = std::max(1, args.at(i + 1).toInt());
        else if (args.at(i) == "--homes")
            homes = args.at(i + 1);
        else if (args.at(i) == "--runtimes")
            runtimes = args.at(i + 1);
        else if (args.at(i) == "--display")
            display = args.at(i + 1);
        else if (args.at(i) == "--only")
            only = args.at(i + 1).split(',');
    }

    std::printf("Machine: %s, %d processors (nproc), %s, Qt %s\n", qPrintable(cpuModel()), QThread::idealThreadCount(),
                qPrintable(QSysInfo::prettyProductName()), qVersion());
    std::fflush(stdout);

    BenchTable table;
    bool ok = true;
    // The programs first, while this process is still small and quiet.
    if (runtimes.isEmpty())
        runtimes = homes;
    ProcessBench processes({QStringLiteral(R7_CONTROL_PANEL), QStringLiteral(R7_BARE_QT), QStringLiteral(R7_BARE_TRAY),
                            QStringLiteral(R7_IDLE_PROBE), homes, runtimes},
                           runs, idleSeconds);
    if (only.contains("startup"))
        ok = processes.runStartup(table) && ok;
    if (only.contains("idle"))
        ok = processes.runIdle(table) && ok;
    if (only.contains("shown") || only.contains("hidden")) {
        StartFiles files;
        files.generate(WindowBench::sizes());
        WindowBench windows({QStringLiteral(R7_CONTROL_PANEL), QStringLiteral(R7_BARE_WINDOW),
                             QStringLiteral(R7_IDLE_PROBE), QCoreApplication::applicationFilePath(), homes, runtimes,
                             display},
                            files, std::min(runs, programRuns));
        if (only.contains("shown")) {
            if (display.isEmpty()) {
                std::fprintf(stderr, "the shown start-up needs an X server: --display or DISPLAY\n");
                ok = false;
            } else {
                ok = windows.runShown(table) && ok;
            }
        }
        if (only.contains("hidden"))
            ok = windows.runHidden(table) && ok;
    }
    if (only.contains("views")) {
        ok = ViewsBench({QStringLiteral(R7_VIEW_BENCH), QStringLiteral(R7_PROGRAM_FOLDER), homes, display},
                        std::min(runs, programRuns))
                 .run(table)
             && ok;
    }
    if (only.contains("model"))
        ok = ModelBench(runs).run(table) && ok;
    if (only.contains("upload"))
        ok = UploadBench(runs).run(table) && ok;

    std::printf("\n");
    table.print(stdout);
    const int missed = table.missedGoals();
    std::printf("\n%s\n", !ok      ? "A measurement failed (see above)."
                          : missed ? qPrintable(QStringLiteral("%1 goal(s) missed.").arg(missed))
                                   : "Every goal met.");
    return ok && missed == 0 ? 0 : 1;
}
