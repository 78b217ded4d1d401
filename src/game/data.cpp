#include "game/data.h"

#include "game/saved_game.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <limits>

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

int HelpCount(uint8_t progress) {
    const int h = progress & 7;
    return std::min(h, IsFinished(progress) ? MaxHelpCount : MaxHelpCount - 1);
}

bool FigureIsValid(const FigureRecord& figure) {
    return std::all_of(figure.begin(), figure.end(),
                       [](const Placement& p) { return TriangleInBounds(p); });
}

std::vector<FigureRecord> ParseCollection(const std::vector<uint8_t>& bytes) {
    const size_t count = std::min<size_t>(bytes.size() / FigureRecordSize, MaxFigures);
    std::vector<FigureRecord> figures(count);
    if (count) std::memcpy(figures.data(), bytes.data(), count * FigureRecordSize);
    return figures;
}

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

bool WriteAll(int fd, const uint8_t* bytes, size_t size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, bytes, size);
        if (n < 0 && errno == EINTR) continue;
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

// Temporary files are ".<name>.save-XXXXXX" beside the saved game. A save holds
// a lock on its temporary until the rename is done; one that nobody holds was
// left by a killed or crashed save and is removed by the next save, while the
// temporary of a save running in another process is left alone.
std::string TempPrefix(const std::string& target) {
    return "." + FileNamePart(target) + ".save-";
}

void RemoveStaleTemps(const std::string& target) {
    const std::string folder = FolderOf(target);
    const std::string prefix = TempPrefix(target);
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name.size() != prefix.size() + 6 || name.compare(0, prefix.size(), prefix) != 0)
            continue;
        const std::string path = folder + "/" + name;
        // A saved game may be write-only; its temporary opens one way or the other.
        const int flags = O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
        int fd = ::open(path.c_str(), O_RDONLY | flags);
        if (fd < 0) fd = ::open(path.c_str(), O_WRONLY | flags);
        if (fd < 0) continue;
        struct stat info;
        if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0)
            ::unlink(path.c_str());
        ::close(fd);
    }
    ::closedir(dir);
}

// A new temporary beside the target, locked; -1 when none can be made. Another
// save may remove the file in the moment between its creation and the lock,
// which the lock's holder sees as a file without a name: then it starts again.
int CreateLockedTemp(const std::string& target, std::string& temp) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        temp = FolderOf(target) + "/" + TempPrefix(target) + "XXXXXX";
        // mkstemp creates the name exclusively, so nothing planted there is followed.
        const int fd = ::mkstemp(temp.data());
        if (fd < 0) return -1;
        struct stat info;
        if (::flock(fd, LOCK_EX) == 0 && ::fstat(fd, &info) == 0 && info.st_nlink > 0) return fd;
        ::close(fd);
    }
    return -1;
}

mode_t NewFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
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

CollectionResult LoadCollection(const std::string& path, GameData& data) {
    std::vector<uint8_t> bytes;
    if (!ReadFileStart(path, static_cast<size_t>(MaxFigures) * FigureRecordSize, bytes))
        return CollectionResult::CannotOpen;
    const std::vector<FigureRecord> figures = ParseCollection(bytes);
    if (figures.empty()) return CollectionResult::Empty;
    data.FigureCount = static_cast<int>(figures.size());
    std::copy(figures.begin(), figures.end(), data.Figures.begin() + 1);
    return CollectionResult::Loaded;
}

int BoundedFigureCount(const GameData& data) {
    return std::clamp(data.FigureCount, 0, MaxFigures);
}

int ClampFigureNumber(int number, int figureCount) {
    return number >= 1 && number <= figureCount ? number : 1;
}

bool ReadProgressFile(const std::string& path, GameData& data, int clearCount) {
    std::vector<uint8_t> bytes;
    const size_t count = static_cast<size_t>(BoundedFigureCount(data));
    if (!ReadFileStart(path, count, bytes)) return false;
    std::fill(data.Progress.begin() + 1,
              data.Progress.begin() + 1 + std::clamp(clearCount, 0, MaxFigures), 0);
    const size_t n = std::min(bytes.size(), count);
    std::copy_n(bytes.begin(), n, data.Progress.begin() + 1);
    return true;
}

SaveResult WriteProgressFile(const std::string& path, const GameData& data) {
    const size_t size = static_cast<size_t>(BoundedFigureCount(data));
    return ReplaceFile(path, data.Progress.data() + 1, size);
}

SaveResult ReplaceFile(const std::string& path, const uint8_t* bytes, size_t size) {
    if (path.empty()) return SaveResult::CannotCreate;
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
    const int fd = CreateLockedTemp(target, temp);
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
    } else if (::fchmod(fd, NewFileMode()) != 0) {
        return fail(SaveResult::CannotCreate);
    }
    if (!WriteAll(fd, bytes, size) || ::fsync(fd) != 0) return fail(SaveResult::WriteFailed);
    // Renamed while still locked, so that no other save takes it for a stale one.
    if (::rename(temp.c_str(), target.c_str()) != 0) return fail(SaveResult::CannotCreate);
    if (::close(fd) != 0) return SaveResult::WriteFailed;
    // The rename itself reaches the disk only with its folder. A file system
    // that cannot sync folders says EINVAL; that is no failed save.
    const int folder = ::open(FolderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder < 0) return SaveResult::Saved;
    const bool synced = ::fsync(folder) == 0 || errno == EINVAL;
    ::close(folder);
    return synced ? SaveResult::Saved : SaveResult::WriteFailed;
}
