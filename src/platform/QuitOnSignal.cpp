#include "QuitOnSignal.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace QuitOnSignal {

namespace {
int signalPipe[2] = {-1, -1};
bool connected = false;
bool requested = false;

void onSignal(int)
{
    const char byte = 1;
    // Only async-signal-safe calls here; the notifier does the rest.
    [[maybe_unused]] const auto written = ::write(signalPipe[0], &byte, 1);
}
} // namespace

void install()
{
    if (signalPipe[0] != -1 || ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signalPipe) != 0)
        return;
    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int sig : {SIGTERM, SIGINT, SIGHUP})
        ::sigaction(sig, &action, nullptr);
}

void connectToApplication()
{
    if (signalPipe[1] == -1 || connected || !QCoreApplication::instance())
        return;
    connected = true;
    auto *notifier = new QSocketNotifier(signalPipe[1], QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(notifier, &QSocketNotifier::activated, [notifier]() {
        notifier->setEnabled(false);
        requested = true;
        // Ends each event loop that runs, nested ones (a modal box's exec)
        // included, and any that starts later returns at once; only the
        // application's own exec starts afresh.
        QCoreApplication::quit();
    });
}

bool quitRequested()
{
    return requested;
}

} // namespace QuitOnSignal
