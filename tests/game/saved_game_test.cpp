#include "game/saved_game.h"

#include <gtest/gtest.h>

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
