#include "game/files/read_file.h"
#include "game/files/replace_file.h"
#include "support/test_figures.h"

#include <gtest/gtest.h>

#include <filesystem>

#include <sys/stat.h>

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
