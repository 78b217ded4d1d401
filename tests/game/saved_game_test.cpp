#include "game/saved_game.h"

#include "support/test_figures.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

TEST(FileNamePart, KeepsTheNameWithItsExtensionWithoutTheFolder) {
    EXPECT_EQ(FileNamePart("/home/p/my game.ftg"), "my game.ftg");
    EXPECT_EQ(FileNamePart("plain.ftg"), "plain.ftg");
    EXPECT_EQ(FileNamePart(""), "");
}

TEST(WithSavedGameExtension, ReplacesOrAppendsTheExtension) {
    EXPECT_EQ(WithSavedGameExtension("/d/a.txt"), "/d/a.ftg");
    EXPECT_EQ(WithSavedGameExtension("/d/a"), "/d/a.ftg");
    EXPECT_EQ(WithSavedGameExtension("/d/a.ftg"), "/d/a.ftg");
    EXPECT_EQ(WithSavedGameExtension("/d/a.b.c"), "/d/a.b.ftg");
    EXPECT_EQ(WithSavedGameExtension("/d/a."), "/d/a.ftg");
}

TEST(WithSavedGameExtension, IgnoresDotsInFoldersAndLeadingDots) {
    EXPECT_EQ(WithSavedGameExtension("/d.old/a"), "/d.old/a.ftg");
    EXPECT_EQ(WithSavedGameExtension("/d/.hidden"), "/d/.hidden.ftg");
}

TEST(GameCaption, NamesTheSavedGameInTheChosenLanguage) {
    EXPECT_EQ(GameCaption("/any/folder/my game.ftg", 1), "Fribo Trigonet - Spiel my game.ftg");
    EXPECT_EQ(GameCaption("/any/folder/my game.ftg", 0), "Fribo Trigonet - Game my game.ftg");
    EXPECT_EQ(GameCaption("/any/folder/my game.ftg", -1), "Fribo Trigonet - Game my game.ftg");
}

TEST(GameCaption, IsTheBareNameWithoutASavedGame) {
    EXPECT_EQ(GameCaption("", 1), "Fribo Trigonet");
    EXPECT_EQ(GameCaption("", 0), "Fribo Trigonet");
}

TEST(CheckSavedGamePath, NamesWhatIsWrongWithEachUnusablePath) {
    const std::string dir = TempDir("paths");
    WriteBytes(dir + "game.ftg", {8});
    ASSERT_EQ(::mkfifo((dir + "pipe.ftg").c_str(), 0600), 0);
    ASSERT_EQ(::mkdir((dir + "folder.ftg").c_str(), 0700), 0);
    ASSERT_EQ(::symlink("loop-b.ftg", (dir + "loop-a.ftg").c_str()), 0);
    ASSERT_EQ(::symlink("loop-a.ftg", (dir + "loop-b.ftg").c_str()), 0);
    const std::string tooLong = dir + std::string(10000, 'x') + ".ftg";
    EXPECT_EQ(CheckSavedGamePath(dir + "game.ftg").Problem, PathProblem::None);
    EXPECT_EQ(CheckSavedGamePath(dir + "gone.ftg").Problem, PathProblem::Missing);

    const auto message = [](const std::string& path, int language) {
        return UnusableSavedGameMessage(path, CheckSavedGamePath(path), language);
    };
    EXPECT_EQ(message(dir + "pipe.ftg", 0),
              "The saved game " + dir + "pipe.ftg cannot be loaded: it is a named pipe (FIFO).");
    EXPECT_EQ(message(dir + "pipe.ftg", 1), "Das Spiel " + dir +
                                                "pipe.ftg lässt sich nicht laden: es ist eine "
                                                "benannte Pipe (FIFO).");
    EXPECT_EQ(message(dir + "folder.ftg", 0),
              "The saved game " + dir + "folder.ftg cannot be loaded: it is a folder.");
    EXPECT_EQ(message(dir + "loop-a.ftg", 1),
              "Das Spiel " + dir +
                  "loop-a.ftg lässt sich nicht laden: seine symbolischen Links bilden eine "
                  "Schleife.");
    EXPECT_EQ(message(tooLong, 0),
              "The saved game " + tooLong + " cannot be loaded: the path is too long.");
    EXPECT_EQ(message(dir + "game.ftg/inner.ftg", 0),
              "The saved game " + dir + "game.ftg/inner.ftg cannot be loaded: Not a directory.");
    // A device of our own, in our folder: only a privileged user may make one.
    if (::mknod((dir + "device.ftg").c_str(), S_IFCHR | 0600, ::makedev(1, 3)) == 0) {
        EXPECT_EQ(message(dir + "device.ftg", 0),
                  "The saved game " + dir + "device.ftg cannot be loaded: it is a device.");
    }
}

TEST(CannotSaveMessage, KeepsTheGamesSentenceForAFullDriveAndGivesEveryOtherReason) {
    const std::string dir = TempDir("save-reasons");
    ASSERT_EQ(::mkfifo((dir + "pipe.ftg").c_str(), 0600), 0);
    EXPECT_EQ(CannotSaveMessage(dir + "a.ftg", ENOSPC, 0),
              "Cannot save game a.ftg. Drive full or not writable.");
    EXPECT_EQ(CannotSaveMessage(dir + "a.ftg", EACCES, 1),
              "Kann Spiel a.ftg nicht speichern. Datenträger voll oder nicht beschreibbar.");
    // The file layer refuses anything but a regular file alike; the path tells which.
    EXPECT_EQ(CannotSaveMessage(dir + "pipe.ftg", EISDIR, 0),
              "Cannot save game pipe.ftg: it is a named pipe (FIFO).");
    EXPECT_EQ(CannotSaveMessage(dir + "none/a.ftg", ENOENT, 0),
              "Cannot save game a.ftg: No such file or directory.");
    EXPECT_EQ(CannotSaveMessage(dir + "a.ftg", EIO, 1),
              "Kann Spiel a.ftg nicht speichern: Input/output error.");
}
