#pragma once
// Lowers the size a file may grow to, as a full disk would stop it: writes
// past the limit fail with the system's "File too large" (SIGXFSZ is ignored
// meanwhile instead of ending the process). The old limit and signal
// handling come back when it goes.
//
//     FileSizeLimit limit(4096);
//     QVERIFY(limit.isSet());

#include <csignal>
#include <sys/resource.h>

class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        m_handler = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_old);
        rlimit lowered = m_old;
        lowered.rlim_cur = bytes;
        m_set = setrlimit(RLIMIT_FSIZE, &lowered) == 0;
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_handler);
    }
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;

    bool isSet() const { return m_set; }

private:
    rlimit m_old{};
    void (*m_handler)(int) = nullptr;
    bool m_set = false;
};
