// picturegen <manifest> <output folder>
// Draws every file the manifest lists into the output folder, under its
// path in the resource tree. Runs at build time, before the resource
// compiler; a failure names the manifest line and fails the build.

#include "PictureManifest.h"
#include "Recipes.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QSaveFile>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <numeric>
#include <thread>
#include <vector>

int main(int argc, char *argv[])
{
    // No display is needed: the drawing happens on images.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    if (arguments.size() != 3) {
        std::fprintf(stderr, "usage: picturegen <manifest> <output folder>\n");
        return 2;
    }
    PictureManifest manifest;
    if (!manifest.load(arguments[1])) {
        std::fprintf(stderr, "picturegen: %s\n", qPrintable(manifest.error()));
        return 1;
    }
    const QDir output(arguments[2]);
    const QVector<PictureEntry> &entries = manifest.entries();
    QVector<QString> failures(entries.size());
    const auto draw = [&](int index) {
        const PictureEntry &entry = entries[index];
        QString error;
        const QByteArray bytes = Recipes::render(entry, &error);
        if (bytes.isEmpty()) {
            failures[index] = QStringLiteral("%1:%2: %3: %4").arg(arguments[1]).arg(entry.line).arg(entry.path, error);
            return;
        }
        const QString path = output.filePath(entry.path);
        QSaveFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
            failures[index] = QStringLiteral("%1: %2").arg(path, file.errorString());
    };
    for (const PictureEntry &entry : entries) {
        const QString folder = QFileInfo(output.filePath(entry.path)).path();
        if (!QDir().mkpath(folder)) {
            std::fprintf(stderr, "picturegen: cannot make the folder %s\n", qPrintable(folder));
            return 1;
        }
    }
    // The files are independent: they draw in parallel, the largest first.
    QVector<int> order(entries.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        return qint64(entries[a].size.width()) * entries[a].size.height()
               > qint64(entries[b].size.width()) * entries[b].size.height();
    });
    std::atomic<int> next(0);
    std::vector<std::thread> workers;
    const unsigned count = qBound(1u, std::thread::hardware_concurrency(), 8u);
    for (unsigned i = 0; i < count; ++i)
        workers.emplace_back([&] {
            for (int index = next++; index < order.size(); index = next++)
                draw(order[index]);
        });
    for (std::thread &worker : workers)
        worker.join();
    int failed = 0;
    for (const QString &failure : failures) {
        if (failure.isEmpty())
            continue;
        std::fprintf(stderr, "picturegen: %s\n", qPrintable(failure));
        ++failed;
    }
    return failed == 0 ? 0 : 1;
}
