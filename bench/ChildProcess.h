#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

#include <sys/types.h>

// One program started for measurement: in a home folder of its own (and a
// runtime folder of its own, when given), on the offscreen platform or on an
// X server's display, with the idle probe (IdleProbe.cpp) preloaded, its
// output discarded. The toolkit's GL integration is off for every program
// alike. Stopped by its process id when stop() is called or the
// object goes, and sent SIGTERM by the kernel should this process die first.
class ChildProcess
{
public:
    ChildProcess() = default;
    ~ChildProcess();
    ChildProcess(const ChildProcess &) = delete;
    ChildProcess &operator=(const ChildProcess &) = delete;

    // runtime: the session's runtime folder ($XDG_RUNTIME_DIR), none when
    // empty; display: the X server to show windows on, the offscreen
    // platform when empty.
    bool start(const QString &program, const QStringList &arguments, const QString &home, const QString &runtime,
               const QString &probe, const QString &display = QString());
    // Milliseconds from the exec of the program to its main thread's first
    // wait in the event loop; negative when that does not come in time.
    double waitForIdle(int timeoutMs);
    // Processor time of all its threads from exec to that moment (after
    // waitForIdle), in milliseconds.
    double idleCpuMs() const { return m_idleCpu / 1e6; }
    // Processor time of all its threads so far, those that have ended
    // included (with what they had when last seen).
    qint64 cpuNanoseconds() const;
    // Resident memory and voluntary context switches (wake-ups) of all
    // threads, those that have ended included as above.
    qint64 residentKilobytes() const;
    qint64 wakeups() const;
    // SIGTERM, then SIGKILL when it has not ended within two seconds.
    void stop();

    pid_t pid() const { return m_pid; }
    // CLOCK_MONOTONIC nanoseconds just before the exec.
    qint64 execTime() const { return m_execTime; }

private:
    bool readTimes(qint64 *nanoseconds, int count, int timeoutMs);

    pid_t m_pid = -1;
    int m_probe = -1;
    qint64 m_execTime = 0;
    qint64 m_idleCpu = 0;
    // The last value read of each thread, by thread id.
    mutable QHash<QString, qint64> m_threadCpu;
    mutable QHash<QString, qint64> m_threadWakeups;
};
