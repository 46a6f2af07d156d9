// Preloaded into a program under measurement: reports, once, the moment its
// main thread first waits in poll() or ppoll() with a timeout other than
// zero, which is where an event loop goes idle. The time (CLOCK_MONOTONIC)
// and the processor time of all its threads so far (CLOCK_PROCESS_CPUTIME_ID),
// nanoseconds, 8 bytes each, are written to the file descriptor named by
// R7_IDLE_PROBE_FD, which is then closed. The processor time does not depend
// on how busy the other processors of the machine are.

#include <dlfcn.h>
#include <poll.h>
#include <signal.h>
#include <sys/syscall.h>
#include <time.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>

namespace {

bool reported = false;

void reportIdle(bool mayWait)
{
    if (reported || !mayWait || syscall(SYS_gettid) != getpid())
        return;
    reported = true;
    const char *fdText = std::getenv("R7_IDLE_PROBE_FD");
    if (!fdText)
        return;
    const int fd = std::atoi(fdText);
    timespec now{};
    timespec cpu{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &cpu);
    const std::int64_t nanoseconds[2] = {std::int64_t(now.tv_sec) * 1000000000 + now.tv_nsec,
                                         std::int64_t(cpu.tv_sec) * 1000000000 + cpu.tv_nsec};
    [[maybe_unused]] const ssize_t written = write(fd, nanoseconds, sizeof nanoseconds);
    close(fd);
}

template<class Function>
Function next(const char *name)
{
    return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}

} // namespace

extern "C" {

int poll(struct pollfd *fds, nfds_t count, int timeout)
{
    static const auto real = next<int (*)(pollfd *, nfds_t, int)>("poll");
    reportIdle(timeout != 0);
    return real(fds, count, timeout);
}

int __poll_chk(struct pollfd *fds, nfds_t count, int timeout, size_t size)
{
    static const auto real = next<int (*)(pollfd *, nfds_t, int, size_t)>("__poll_chk");
    reportIdle(timeout != 0);
    return real(fds, count, timeout, size);
}

int ppoll(struct pollfd *fds, nfds_t count, const struct timespec *timeout, const sigset_t *mask)
{
    static const auto real = next<int (*)(pollfd *, nfds_t, const timespec *, const sigset_t *)>("ppoll");
    reportIdle(!timeout || timeout->tv_sec != 0 || timeout->tv_nsec != 0);
    return real(fds, count, timeout, mask);
}

} // extern "C"
