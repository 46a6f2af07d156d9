// Saves the two models of SaveChildModels in turn until it is killed,
// printing the number of each save once it was written. The configuration
// store test starts it with its own application name, so both use the same
// working file.

#include "ConfigFile.h"
#include "SaveChildModels.h"

#include <QCoreApplication>

#include <cstdio>

namespace {

void quiet(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type != QtDebugMsg && type != QtInfoMsg)
        std::fprintf(stderr, "%s\n", qPrintable(message));
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc > 1)
        QCoreApplication::setApplicationName(QString::fromLocal8Bit(argv[1]));
    qInstallMessageHandler(quiet);
    for (long n = 0;; ++n) {
        SaveChildModels::build(int(n % 2));
        if (!ConfigFile::instance()->save())
            return 1;
        std::printf("%ld\n", n);
        std::fflush(stdout);
    }
}
