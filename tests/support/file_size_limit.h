#pragma once

#include <csignal>
#include <sys/resource.h>

namespace tarvel::test {

// A full disk without root: while the limit holds, every write of this process that would make a
// regular file larger than `bytes` fails with EFBIG, as a write to a full file system fails (SIGXFSZ
// is ignored, so the write reports the failure instead of ending the process). /dev/full is not
// enough: it refuses the first byte, which a plain check of the first write already catches.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &m_old);
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limited = m_old;
        limited.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

    // The same for the whole of a child process, set between fork and exec (a QProcess's child
    // process modifier); the ignored signal stays ignored across exec.
    static void applyInChild(rlim_t bytes) {
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit limited{};
        getrlimit(RLIMIT_FSIZE, &limited);
        limited.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limited);
    }

private:
    rlimit m_old{};
    void (*m_oldHandler)(int) = SIG_DFL;
};

} // namespace tarvel::test
