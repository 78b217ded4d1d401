#include "game/files/read_file.h"
#include "game/files/replace_file.h"
#include "support/test_figures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>

#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace fs = std::filesystem;

TEST(ReplaceFile, ANewFileGetsTheModeTheUmaskLeavesAndTheUmaskStays) {
    const std::string dir = TempDir("r");
    const uint8_t bytes[] = {1, 2, 3};
    const mode_t mask = ::umask(027);
    EXPECT_EQ(ReplaceFile(dir + "a", bytes, sizeof bytes), SaveResult::Saved);
    const mode_t during = ::umask(mask);
    EXPECT_EQ(during, 027);
    struct stat info;
    ASSERT_EQ(::stat((dir + "a").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
    std::vector<uint8_t> back;
    ASSERT_TRUE(ReadWholeFile(dir + "a", back));
    EXPECT_EQ(back, (std::vector<uint8_t>{1, 2, 3}));
    // An empty path or a folder in the way is no file to write.
    EXPECT_EQ(ReplaceFile("", bytes, 1), SaveResult::CannotCreate);
    fs::create_directory(dir + "d");
    EXPECT_EQ(ReplaceFile(dir + "d", bytes, 1), SaveResult::CannotCreate);
    EXPECT_TRUE(fs::is_directory(dir + "d"));
}

namespace {

// The test program's own fsync, which the file layer calls in place of the
// system's: it fails the call numbered failCall (1 for the first) while that is set.
int failCall = 0;
int syncCalls = 0;

} // namespace

extern "C" int fsync(int fd) {
    if (failCall && ++syncCalls == failCall) {
        errno = EIO;
        return -1;
    }
    return static_cast<int>(::syscall(SYS_fsync, fd));
}

TEST(ReplaceFile, AFailedSyncIsAFailedWrite) {
    const std::string dir = TempDir("r");
    WriteBytes(dir + "a", {1, 2});
    const uint8_t bytes[] = {3, 4, 5};
    // The file's own sync: the old file stays, and no temporary is left.
    failCall = 1, syncCalls = 0;
    EXPECT_EQ(ReplaceFile(dir + "a", bytes, sizeof bytes), SaveResult::WriteFailed);
    EXPECT_EQ(errno, EIO);
    std::vector<uint8_t> back;
    ASSERT_TRUE(ReadWholeFile(dir + "a", back));
    EXPECT_EQ(back, (std::vector<uint8_t>{1, 2}));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);
    // The folder's sync, after the rename: the bytes are there but not surely on the disk.
    failCall = 2, syncCalls = 0;
    EXPECT_EQ(ReplaceFile(dir + "a", bytes, sizeof bytes), SaveResult::WriteFailed);
    failCall = 0;
    EXPECT_EQ(ReplaceFile(dir + "a", bytes, sizeof bytes), SaveResult::Saved);
}

TEST(ReplaceFile, OnlyItsOwnStaleTemporariesAreRemoved) {
    const std::string dir = TempDir("r");
    const std::vector<std::string> kept{
        ".a.save-Ab12C",  ".a.save-Ab12Cd.old",         ".a.save-Ab 2Cd", ".a.save-back-up",
        ".a.save-Hard12", ".a.save-\xc3\xa9t\xc3\xa9!", ".b.save-Ab12Cd", "keep"};
    for (const std::string& name : kept)
        if (name != ".a.save-Hard12") WriteBytes(dir + name, {7});
    fs::create_hard_link(dir + "keep", dir + ".a.save-Hard12"); // a player's second name
    WriteBytes(dir + ".a.save-Zz9yX8", {1});                    // left by a killed write
    fs::create_directory(dir + ".a.save-Dir123");
    const uint8_t bytes[] = {3};
    ASSERT_EQ(ReplaceFile(dir + "a", bytes, 1), SaveResult::Saved);
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir))
        names.push_back(entry.path().filename().string());
    std::vector<std::string> expected = kept;
    expected.insert(expected.end(), {".a.save-Dir123", "a"});
    std::sort(names.begin(), names.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(names, expected);
}
