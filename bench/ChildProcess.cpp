#include "ChildProcess.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

extern char **environ;

namespace {

// The descriptor the probe writes to, inside the child.
constexpr int probeDescriptor = 100;

qint64 monotonicNow()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return qint64(now.tv_sec) * 1000000000 + now.tv_nsec;
}

std::vector<char *> pointersTo(std::vector<std::string> &strings)
{
    std::vector<char *> pointers;
    for (std::string &text : strings)
        pointers.push_back(text.data());
    pointers.push_back(nullptr);
    return pointers;
}

// A field of /proc/<pid>/task/<tid>/<file>, summed over the threads. A thread
// that has ended counts with its last value in seen, so that the sum never
// falls when one ends between two readings.
template<class Read>
qint64 sumOverThreads(pid_t pid, const char *file, Read read, QHash<QString, qint64> &seen)
{
    if (pid <= 0)
        return 0;
    const QString tasks = QStringLiteral("/proc/%1/task").arg(pid);
    for (const QString &task : QDir(tasks).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile f(tasks + '/' + task + '/' + QLatin1String(file));
        if (f.open(QIODevice::ReadOnly))
            seen[task] = read(f.readAll());
    }
    qint64 sum = 0;
    for (const qint64 value : qAsConst(seen))
        sum += value;
    return sum;
}

qint64 statusField(const QByteArray &status, const QByteArray &name)
{
    const int at = status.indexOf('\n' + name + ':');
    if (at < 0)
        return 0;
    const int end = status.indexOf('\n', at + 1);
    return status.mid(at + name.size() + 2, end - at - name.size() - 2).trimmed().split(' ').value(0).toLongLong();
}

} // namespace

ChildProcess::~ChildProcess()
{
    stop();
}

bool ChildProcess::start(const QString &program, const QStringList &arguments, const QString &home,
                         const QString &runtime, const QString &probe, const QString &display)
{
    stop();
    std::vector<std::string> argv{program.toStdString()};
    for (const QString &argument : arguments)
        argv.push_back(argument.toStdString());

    // The caller's environment without what would reach the user's files,
    // display or a probe of its own.
    static const char *const dropped[] = {
        "HOME=",           "XDG_CONFIG_HOME=", "XDG_DATA_HOME=",         "XDG_CACHE_HOME=",
        "XDG_STATE_HOME=", "QT_QPA_PLATFORM=", "QT_XCB_GL_INTEGRATION=", "LD_PRELOAD=",
        "DISPLAY=",        "WAYLAND_DISPLAY=", "R7_IDLE_PROBE_FD=",      "XDG_RUNTIME_DIR="};
    std::vector<std::string> env;
    for (char **variable = environ; *variable; ++variable) {
        bool keep = true;
        for (const char *prefix : dropped)
            keep = keep && std::string(*variable).rfind(prefix, 0) != 0;
        if (keep)
            env.emplace_back(*variable);
    }
    const std::string homePath = home.toStdString();
    env.push_back("HOME=" + homePath);
    env.push_back("XDG_CONFIG_HOME=" + homePath + "/.config");
    env.push_back("XDG_DATA_HOME=" + homePath + "/.local/share");
    env.push_back("XDG_CACHE_HOME=" + homePath + "/.cache");
    if (!runtime.isEmpty())
        env.push_back("XDG_RUNTIME_DIR=" + runtime.toStdString());
    if (display.isEmpty()) {
        env.push_back("QT_QPA_PLATFORM=offscreen");
    } else {
        env.push_back("QT_QPA_PLATFORM=xcb");
        env.push_back("DISPLAY=" + display.toStdString());
    }
    env.push_back("QT_XCB_GL_INTEGRATION=none");
    env.push_back("LD_PRELOAD=" + probe.toStdString());
    env.push_back("R7_IDLE_PROBE_FD=" + std::to_string(probeDescriptor));
    std::vector<char *> argPointers = pointersTo(argv);
    std::vector<char *> envPointers = pointersTo(env);

    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0)
        return false;
    const pid_t parent = getpid();
    const pid_t pid = fork();
    if (pid < 0) {
        close(fds[0]);
        close(fds[1]);
        return false;
    }
    if (pid == 0) {
        // Only async-signal-safe calls from here on.
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        if (getppid() != parent)
            _exit(127);
        dup2(fds[1], probeDescriptor); // without close-on-exec
        const int null = open("/dev/null", O_RDWR);
        dup2(null, STDIN_FILENO);
        dup2(null, STDOUT_FILENO);
        dup2(null, STDERR_FILENO);
        timespec now{};
        clock_gettime(CLOCK_MONOTONIC, &now);
        const qint64 execTime = qint64(now.tv_sec) * 1000000000 + now.tv_nsec;
        [[maybe_unused]] const ssize_t written = write(probeDescriptor, &execTime, sizeof execTime);
        execve(argPointers[0], argPointers.data(), envPointers.data());
        _exit(127);
    }
    close(fds[1]);
    m_pid = pid;
    m_threadCpu.clear();
    m_threadWakeups.clear();
    m_probe = fds[0];
    if (!readTimes(&m_execTime, 1, 5000)) {
        stop();
        return false;
    }
    return true;
}

bool ChildProcess::readTimes(qint64 *nanoseconds, int count, int timeoutMs)
{
    char buffer[2 * sizeof(qint64)];
    const size_t wanted = size_t(count) * sizeof(qint64);
    size_t got = 0;
    const qint64 deadline = monotonicNow() + qint64(timeoutMs) * 1000000;
    while (got < wanted) {
        const qint64 left = (deadline - monotonicNow()) / 1000000;
        if (left <= 0)
            return false;
        pollfd pfd{m_probe, POLLIN, 0};
        const int ready = ::poll(&pfd, 1, int(left));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0)
            return false;
        const ssize_t n = read(m_probe, buffer + got, wanted - got);
        if (n <= 0)
            return false;
        got += size_t(n);
    }
    memcpy(nanoseconds, buffer, wanted);
    return true;
}

double ChildProcess::waitForIdle(int timeoutMs)
{
    qint64 idle[2] = {};
    if (m_pid <= 0 || !readTimes(idle, 2, timeoutMs))
        return -1;
    m_idleCpu = idle[1];
    return (idle[0] - m_execTime) / 1e6;
}

qint64 ChildProcess::cpuNanoseconds() const
{
    // The first field of schedstat is the time spent on a processor.
    return sumOverThreads(
        m_pid, "schedstat", [](const QByteArray &text) { return text.split(' ').value(0).toLongLong(); }, m_threadCpu);
}

qint64 ChildProcess::residentKilobytes() const
{
    QFile status(QStringLiteral("/proc/%1/status").arg(m_pid));
    return m_pid > 0 && status.open(QIODevice::ReadOnly) ? statusField(status.readAll(), "VmRSS") : 0;
}

qint64 ChildProcess::wakeups() const
{
    return sumOverThreads(
        m_pid, "status", [](const QByteArray &text) { return statusField(text, "voluntary_ctxt_switches"); },
        m_threadWakeups);
}

void ChildProcess::stop()
{
    if (m_probe >= 0) {
        close(m_probe);
        m_probe = -1;
    }
    if (m_pid <= 0)
        return;
    kill(m_pid, SIGTERM);
    int status = 0;
    for (int i = 0; i < 200; ++i) {
        if (waitpid(m_pid, &status, WNOHANG) == m_pid) {
            m_pid = -1;
            return;
        }
        usleep(10000);
    }
    kill(m_pid, SIGKILL);
    waitpid(m_pid, &status, 0);
    m_pid = -1;
}
