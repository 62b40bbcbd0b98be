// The platform half of diagnostics on POSIX systems: errno texts and the log file.
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "diag/LogFile.h"
#include "lyrics/ports/ErrorReport.h"

namespace zor {

std::string systemErrorText(int code) {
    return std::strerror(code);
}

bool appendToLogFile(const std::string& path, const std::string& bytes, bool truncate,
                     int& errorCode) {
    const int flags = O_RDWR | O_CREAT | O_APPEND | O_CLOEXEC | (truncate ? O_TRUNC : 0);
    const int fd = ::open(path.c_str(), flags, 0644);
    if (fd < 0) {
        errorCode = errno;
        return false;
    }
    const char* data = bytes.data();
    std::size_t left = bytes.size();
    bool written = true;
    while (left > 0) {
        const ssize_t n = ::write(fd, data, left);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            errorCode = errno;
            written = false;
            break;
        }
        data += n;
        left -= static_cast<std::size_t>(n);
    }
    if (::close(fd) != 0 && written) {
        errorCode = errno;
        written = false;
    }
    return written;
}

}  // namespace zor
