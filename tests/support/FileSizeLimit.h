// Makes writing past a size fail, as on a full disk: the soft file size
// limit of this process, with SIGXFSZ ignored so that the write returns an
// error instead of killing the writer. Children started meanwhile inherit both.
#pragma once

#include <csignal>
#include <cstddef>
#include <sys/resource.h>

class FileSizeLimit {
public:
    // 0 sets no limit.
    explicit FileSizeLimit(std::size_t bytes) : m_active(bytes > 0)
    {
        if (!m_active)
            return;
        getrlimit(RLIMIT_FSIZE, &m_before);
        rlimit limited = m_before;
        limited.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limited);
        m_signalBefore = std::signal(SIGXFSZ, SIG_IGN);
    }
    ~FileSizeLimit()
    {
        if (!m_active)
            return;
        setrlimit(RLIMIT_FSIZE, &m_before);
        std::signal(SIGXFSZ, m_signalBefore);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    bool m_active;
    rlimit m_before{};
    void (*m_signalBefore)(int) = SIG_DFL;
};
