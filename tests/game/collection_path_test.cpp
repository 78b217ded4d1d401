#include "game/collection_path.h"
#include "support/test_figures.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

TEST(CollectionPath, FirstExistingFileWinsAndFoldersOrGapsDoNotCount) {
    const std::string dir = TempDir("lookup");
    const std::string first = dir + "first.dat", second = dir + "second.dat";
    WriteBytes(second, {1});
    std::filesystem::create_directories(dir + "folder.dat");

    EXPECT_EQ(FirstExistingPath({"", dir + "missing.dat", dir + "folder.dat", second}), second);
    WriteBytes(first, {1});
    EXPECT_EQ(FirstExistingPath({first, second}), first);
    EXPECT_EQ(FirstExistingPath({second, first}), second);
}

TEST(CollectionPath, FoundInNoneIsEmpty) {
    const std::string dir = TempDir("nowhere");
    EXPECT_EQ(FirstExistingPath({}), "");
    EXPECT_EQ(FirstExistingPath({dir + "a.dat", dir + "b.dat", dir}), "");
}

// A test program's folders are its own: another run of it at the same time gets
// others, and a run's folders are gone when it ends. The test runs itself twice,
// each child reporting its folder into the parent's.
TEST(TestFolders, EveryRunHasFoldersOfItsOwnAndRemovesThemAtItsEnd) {
    const std::string mine = TempDir("mine");
    if (const char* report = std::getenv("TRIGONET_FOLDER_REPORT")) {
        std::ofstream(report) << TempDir("child");
        return;
    }
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe");
    std::vector<std::filesystem::path> runs;
    for (int child = 0; child < 2; ++child) {
        const std::string report = mine + "report" + std::to_string(child);
        const pid_t pid = ::fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            ::setenv("TRIGONET_FOLDER_REPORT", report.c_str(), 1);
            const int quiet = ::open("/dev/null", O_WRONLY);
            ::dup2(quiet, 1);
            ::execl(self.c_str(), self.c_str(),
                    "--gtest_filter=TestFolders.EveryRunHasFoldersOfItsOwnAndRemovesThemAtItsEnd",
                    nullptr);
            ::_exit(127);
        }
        int status = -1;
        ASSERT_EQ(::waitpid(pid, &status, 0), pid);
        ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
        std::ifstream in(report);
        std::string folder;
        std::getline(in, folder);
        ASSERT_FALSE(folder.empty());
        runs.push_back(std::filesystem::path(folder).parent_path().parent_path());
    }
    const std::filesystem::path own = std::filesystem::path(mine).parent_path().parent_path();
    EXPECT_NE(runs[0], runs[1]);
    for (const std::filesystem::path& run : runs) {
        EXPECT_NE(run, own);
        EXPECT_EQ(run.parent_path(), own.parent_path()); // beside ours, under $TMPDIR
        EXPECT_FALSE(std::filesystem::exists(run)) << run;
    }
    EXPECT_TRUE(std::filesystem::is_directory(mine));
    EXPECT_TRUE(
        std::filesystem::equivalent(own.parent_path(), std::filesystem::temp_directory_path()));
}
