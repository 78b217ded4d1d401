#include "game/files/replace_file.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <random>
#include <vector>

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool WriteAll(int fd, const uint8_t* bytes, size_t size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, bytes, size);
        if (n < 0 && errno == EINTR) continue;
        if (n == 0) errno = ENOSPC;
        if (n <= 0) return false;
        bytes += n;
        size -= static_cast<size_t>(n);
    }
    return true;
}

std::string FolderOf(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Follows a chain of symbolic links to the file that gets the bytes, which may
// not exist yet; empty when the chain loops or cannot be read.
std::string LinkTarget(std::string path) {
    for (int hops = 0; hops < 40; ++hops) {
        struct stat info;
        if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
        std::vector<char> link(PATH_MAX + 1);
        const ssize_t n = ::readlink(path.c_str(), link.data(), PATH_MAX);
        if (n <= 0) return {};
        const std::string to(link.data(), static_cast<size_t>(n));
        path = to.front() == '/' ? to : FolderOf(path) + "/" + to;
    }
    errno = ELOOP;
    return {};
}

// Whether we may write the file, asked of the system with our effective identity
// (supplementary groups and all). A privileged user may write anything, so for
// it only a file that nobody may write counts as protected: that is how a player
// marks a saved game to be kept.
bool MayReplace(const std::string& path, const struct stat& info) {
    if (::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0) return false;
    return ::geteuid() != 0 || (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH));
}

// Temporary files are ".<name>.save-XXXXXX" beside the target. A write holds a
// lock on its temporary until the rename is done; one that nobody holds was
// left by a killed or crashed write and is removed by the next one, while the
// temporary of a write running in another process is left alone.
constexpr size_t TempSuffixLength = 6;

std::string TempPrefix(const std::string& target) {
    return "." + NameOf(target) + ".save-";
}

void RemoveStaleTemps(const std::string& target) {
    const std::string folder = FolderOf(target);
    const std::string prefix = TempPrefix(target);
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name.size() != prefix.size() + TempSuffixLength ||
            name.compare(0, prefix.size(), prefix) != 0 ||
            !std::all_of(name.begin() + static_cast<std::ptrdiff_t>(prefix.size()), name.end(),
                         [](char c) {
                             return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
                                    (c >= '0' && c <= '9');
                         }))
            continue;
        const std::string path = folder + "/" + name;
        // A saved game may be write-only; its temporary opens one way or the other.
        const int flags = O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
        int fd = ::open(path.c_str(), O_RDONLY | flags);
        if (fd < 0) fd = ::open(path.c_str(), O_WRONLY | flags);
        if (fd < 0) continue;
        struct stat info;
        // Ours were made by this user and have no other name.
        if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_nlink == 1 &&
            info.st_uid == ::geteuid() && ::flock(fd, LOCK_EX | LOCK_NB) == 0)
            ::unlink(path.c_str());
        ::close(fd);
    }
    ::closedir(dir);
}

std::string RandomSuffix() {
    static constexpr char Letters[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    thread_local std::mt19937_64 random{std::random_device{}()};
    std::uniform_int_distribution<size_t> pick(0, sizeof Letters - 2);
    std::string suffix;
    for (size_t i = 0; i < TempSuffixLength; ++i)
        suffix += Letters[pick(random)];
    return suffix;
}

// A new temporary beside the target, created with `mode` (less the umask) and
// locked; -1 when none can be made. The name is created exclusively, so nothing
// planted there is followed. Another write may remove the file in the moment
// between its creation and the lock, which the lock's holder sees as a file
// without a name: then it starts again.
int CreateLockedTemp(const std::string& target, mode_t mode, std::string& temp) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        temp = FolderOf(target) + "/" + TempPrefix(target) + RandomSuffix();
        const int fd = ::open(temp.c_str(),
                              O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC, mode);
        if (fd < 0 && errno == EEXIST) continue;
        if (fd < 0) return -1;
        struct stat info;
        if (::flock(fd, LOCK_EX) == 0 && ::fstat(fd, &info) == 0 && info.st_nlink > 0) return fd;
        ::close(fd);
    }
    errno = EEXIST;
    return -1;
}

} // namespace

SaveResult ReplaceFile(const std::string& path, const uint8_t* bytes, size_t size) {
    if (path.empty()) {
        errno = ENOENT;
        return SaveResult::CannotCreate;
    }
    // Through a symbolic link the file it points to gets the bytes, and the
    // link stays as it is.
    const std::string target = LinkTarget(path);
    if (target.empty()) return SaveResult::CannotCreate;
    struct stat old;
    const bool replacing = ::stat(target.c_str(), &old) == 0;
    if (replacing && !S_ISREG(old.st_mode)) {
        errno = EISDIR;
        return SaveResult::CannotCreate;
    }
    if (replacing && !MayReplace(target, old)) {
        errno = EACCES;
        return SaveResult::CannotCreate;
    }
    if (!replacing && errno != ENOENT) return SaveResult::CannotCreate;

    RemoveStaleTemps(target);
    std::string temp;
    // A replacement is private until it has the old file's mode; a new file is
    // created with the usual one, the umask applied by the system.
    const int fd = CreateLockedTemp(target, replacing ? 0600 : 0666, temp);
    if (fd < 0) return SaveResult::CannotCreate;
    const auto fail = [&](SaveResult result) {
        const int reason = errno;
        ::unlink(temp.c_str());
        ::close(fd);
        errno = reason;
        return result;
    };
    if (replacing) {
        if (::fchmod(fd, old.st_mode & 07777) != 0) return fail(SaveResult::CannotCreate);
        // Only a privileged user can give the file back to its owner; anyone else
        // saving someone else's writable file becomes its owner, as with any editor.
        if (old.st_uid != ::geteuid() || old.st_gid != ::getegid()) {
            const bool ownerKept = ::fchown(fd, old.st_uid, old.st_gid) == 0;
            (void)ownerKept;
        }
    }
    if (!WriteAll(fd, bytes, size) || ::fsync(fd) != 0) return fail(SaveResult::WriteFailed);
    // Renamed while still locked, so that no other write takes it for a stale one.
    if (::rename(temp.c_str(), target.c_str()) != 0) return fail(SaveResult::CannotCreate);
    if (::close(fd) != 0) return SaveResult::WriteFailed;
    // The rename itself reaches the disk only with its folder. A file system
    // that cannot sync folders says EINVAL; that is no failed write.
    const int folder = ::open(FolderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder < 0) return SaveResult::Saved;
    const bool synced = ::fsync(folder) == 0 || errno == EINVAL;
    const int reason = errno;
    ::close(folder);
    errno = reason;
    return synced ? SaveResult::Saved : SaveResult::WriteFailed;
}
