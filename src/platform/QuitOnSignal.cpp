#include "QuitOnSignal.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace QuitOnSignal {

namespace {
int signalPipe[2] = {-1, -1};
bool connected = false;
bool requested = false;
// Set by the first SIGTERM or SIGINT; lock-free, so the handler may use it.
std::atomic_flag insistSeen = ATOMIC_FLAG_INIT;

void onSignal(int signal)
{
    // Only async-signal-safe calls here; the notifier does the rest. The
    // interrupted code may be about to read errno.
    const int savedErrno = errno;
    if (signal != SIGHUP && insistSeen.test_and_set()) {
        // A second SIGTERM or SIGINT while the program quits: the user
        // insists, and it ends at once as if the signal were not caught. The
        // signal stays blocked until this handler returns. A log-out's
        // SIGHUP, which follows its SIGTERM, does not count.
        struct sigaction defaultAction = {};
        defaultAction.sa_handler = SIG_DFL;
        sigemptyset(&defaultAction.sa_mask);
        ::sigaction(signal, &defaultAction, nullptr);
        ::raise(signal);
    } else {
        // The write end does not block: once bytes wait unread, the program
        // knows already, and this one is dropped.
        const char byte = 1;
        [[maybe_unused]] const auto written = ::write(signalPipe[0], &byte, 1);
    }
    errno = savedErrno;
}
} // namespace

void install()
{
    if (signalPipe[0] != -1 || ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, signalPipe) != 0)
        return;
    struct sigaction action = {};
    action.sa_handler = onSignal;
    // One at a time in a thread: a second quit signal waits until the
    // handler has seen the first.
    sigemptyset(&action.sa_mask);
    for (int sig : {SIGTERM, SIGINT, SIGHUP})
        sigaddset(&action.sa_mask, sig);
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
    QObject::connect(notifier, &QSocketNotifier::activated, [] {
        char bytes[64];
        while (::read(signalPipe[1], bytes, sizeof bytes) > 0) {}
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
