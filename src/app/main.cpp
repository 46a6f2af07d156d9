#include "App.h"
#include "AppExtensions.h"
#include "QuitOnSignal.h"
#include "SettingsFile.h"
#include "SingleInstanceGuard.h"
#include "StartupEnvironment.h"

#include <QDebug>
#include <QSettings>
#include <QStringList>

#include <memory>

int main(int argc, char *argv[])
{
    StartupEnvironment::apply();
    QuitOnSignal::install();
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);

    SingleInstanceGuard guard(SingleInstanceGuard::keyFromArguments(arguments));
    auto extensions = std::make_unique<AppExtensions>();
    if (!guard.tryAcquire()) {
        extensions->requestOpenWindow();
        return 0;
    }
    // A request that an instance killed before its next poll left behind is
    // not this start's: a hidden start stays hidden.
    extensions->clearOpenRequest();

    auto settings = std::make_unique<QSettings>(SettingsFile::pathBeforeApplication(), QSettings::IniFormat);
    if (settings->value("EnableHighDpiScaling", true).toBool())
        QApplication::setAttribute(Qt::AA_EnableHighDpiScaling);

    int result = 0;
    {
        App app(argc, argv);
        // Logged only now: App sets the log up.
        for (const QString &problem : {guard.problem(), extensions->problem()}) {
            if (!problem.isEmpty())
                qWarning().noquote() << problem;
        }
        // A signal during the start (while a box of the start's waited, say)
        // ends the program here.
        if (!QuitOnSignal::quitRequested())
            result = app.exec();
    }
    settings.reset();
    extensions.reset();
    return result;
}
