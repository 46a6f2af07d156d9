#pragma once
// For tests of readers that must never wait on a named pipe: from a deadline
// on, opens the pipe for writing and closes it again, over and over until
// destroyed. A reader that waits on it (in open() for a writer, or in read()
// for bytes) then goes on with an empty read, so that the test fails on what
// it checks instead of hanging.

#include <QFile>
#include <QString>

#include <atomic>
#include <chrono>
#include <thread>

#include <fcntl.h>
#include <unistd.h>

class PipeUnblocker
{
public:
    PipeUnblocker(const QString &pipe, std::chrono::milliseconds after)
        : m_thread([this, path = QFile::encodeName(pipe), after] {
            const auto deadline = std::chrono::steady_clock::now() + after;
            while (!m_stop) {
                if (std::chrono::steady_clock::now() >= deadline) {
                    // Without a reader waiting, opening for writing fails
                    // at once.
                    const int fd = ::open(path.constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
                    if (fd >= 0)
                        ::close(fd);
                }
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
            }
        })
    {}
    ~PipeUnblocker()
    {
        m_stop = true;
        m_thread.join();
    }
    PipeUnblocker(const PipeUnblocker &) = delete;
    PipeUnblocker &operator=(const PipeUnblocker &) = delete;

private:
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};
