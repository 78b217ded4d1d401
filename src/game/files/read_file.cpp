#include "game/files/read_file.h"

#include <algorithm>
#include <cerrno>
#include <limits>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

bool FileExists(const std::string& path) {
    struct stat info;
    return !path.empty() && ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

namespace {

// Only a regular file is ever opened: a FIFO, a device or a folder would block
// or hand back endless bytes. The check is made again on the open descriptor,
// since the name may have been swapped in between.
int OpenRegularFile(const std::string& path) {
    if (!FileExists(path)) return -1;
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return -1;
    struct stat info;
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return -1;
    }
    return fd;
}

} // namespace

bool ReadFileStart(const std::string& path, size_t limit, std::vector<uint8_t>& bytes) {
    const int fd = OpenRegularFile(path);
    if (fd < 0) return false;
    bytes.clear();
    bool ok = true;
    uint8_t buffer[65536];
    while (bytes.size() < limit) {
        const size_t want = std::min(sizeof buffer, limit - bytes.size());
        const ssize_t n = ::read(fd, buffer, want);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) ok = false;
        if (n <= 0) break;
        bytes.insert(bytes.end(), buffer, buffer + n);
    }
    ::close(fd);
    return ok;
}

bool ReadWholeFile(const std::string& path, std::vector<uint8_t>& bytes) {
    return ReadFileStart(path, std::numeric_limits<size_t>::max(), bytes);
}
