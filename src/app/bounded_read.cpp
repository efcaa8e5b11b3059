#include "app/bounded_read.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vededa {

bool readBoundedFile(const std::string& path, std::string& text, std::string& error, std::size_t limit) {
    // Non-blocking, so that opening a pipe cannot wait for a writer; the type is checked on the open
    // descriptor, so the file checked is the file read.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        error = path + ": cannot open the file for reading (" + std::strerror(errno) + ")";
        return false;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        error = path + ": cannot read the file's status (" + std::strerror(errno) + ")";
        ::close(fd);
        return false;
    }
    if (!S_ISREG(st.st_mode)) {
        error = path + ": not a regular file" + (S_ISDIR(st.st_mode) ? " (a folder)" : " (a device or pipe)");
        ::close(fd);
        return false;
    }
    if (static_cast<unsigned long long>(st.st_size) > limit) {
        error = path + ": the file is too large (" + std::to_string(st.st_size) + " bytes; at most " +
                std::to_string(limit) + " are read)";
        ::close(fd);
        return false;
    }
    std::string out;
    char buffer[16384];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR) continue;
            error = path + ": read error (" + std::strerror(errno) + ")";
            ::close(fd);
            return false;
        }
        if (n == 0) break;
        out.append(buffer, static_cast<std::size_t>(n));
        if (out.size() > limit) { // the file grew while it was read
            error = path + ": the file is too large (more than " + std::to_string(limit) + " bytes)";
            ::close(fd);
            return false;
        }
    }
    ::close(fd);
    text = std::move(out);
    return true;
}

} // namespace vededa
