#pragma once

#include <QtGlobal>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#endif

/**
 * While it lives, this process writes no file beyond the given size: a write
 * past it fails (EFBIG) as on a disk that fills up. isSet() is false where
 * the system has no such limit, and the test then skips.
 */
class FileSizeLimit
{
public:
    explicit FileSizeLimit(qint64 bytes)
    {
#ifdef Q_OS_UNIX
        std::signal(SIGXFSZ, SIG_IGN); // a failed write, not the end of the test
        if (getrlimit(RLIMIT_FSIZE, &m_old) != 0)
            return;
        rlimit small = m_old;
        small.rlim_cur = rlim_t(bytes);
        m_set = setrlimit(RLIMIT_FSIZE, &small) == 0;
#else
        Q_UNUSED(bytes);
#endif
    }
    ~FileSizeLimit()
    {
        lift();
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

    bool isSet() const
    {
        return m_set;
    }
    void lift()
    {
#ifdef Q_OS_UNIX
        if (m_set)
            setrlimit(RLIMIT_FSIZE, &m_old);
#endif
        m_set = false;
    }

private:
    bool m_set = false;
#ifdef Q_OS_UNIX
    rlimit m_old{};
#endif
};
