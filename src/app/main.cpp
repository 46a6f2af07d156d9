#include "App.h"
#include "AppExtensions.h"
#include "LogFile.h"
#include "QuitOnSignal.h"
#include "SettingsFile.h"
#include "SingleInstanceGuard.h"
#include "StartupEnvironment.h"

#include <QDateTime>
#include <QDebug>
#include <QSettings>
#include <QStringList>

#include <memory>

namespace {

// App sets the log up, and a refused start never makes one: its one line
// goes to the same log file, as App's handler would write it, so that a start
// that seemed to do nothing can be told from one that failed.
void logRefusedStart(const SingleInstanceGuard &guard, const AppExtensions &extensions)
{
    const QSettings settings(SettingsFile::pathBeforeApplication(), QSettings::IniFormat);
    if (settings.value("DisableLogging", false).toBool())
        return;
    QString text = QStringLiteral("Another instance runs (%1): ").arg(guard.refusalReason());
    // Why the flag cannot be used is the running instance's to log.
    text += extensions.isAttached() ? QStringLiteral("this start asks it to open its window and ends")
                                    : QStringLiteral("this start ends; the open-window flag cannot be used");
    LogFile::appendLogLine(LogFile::formatLine(QtInfoMsg, text, settings.value("VerboseLogging", false).toBool(),
                                               QDateTime::currentDateTime()));
}

} // namespace

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
        logRefusedStart(guard, *extensions);
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
