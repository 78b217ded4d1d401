#include "game/collection_path.h"
#include "support/test_figures.h"

#include <gtest/gtest.h>

#include <filesystem>

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
