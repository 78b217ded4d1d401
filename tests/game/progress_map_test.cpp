#include "game/progress_map.h"

#include "support/sample_collection.h"
#include "support/test_figures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

namespace {

GameData Collection(const std::vector<FigureRecord>& figures) {
    GameData data;
    data.Language = 0;
    data.FigureCount = static_cast<int>(figures.size());
    std::copy(figures.begin(), figures.end(), data.Figures.begin() + 1);
    return data;
}

// `count` (at most 100) figures of four squares whose shapes all differ: each
// set of four cells of a 4 x 4 block of squares that touches its top and left.
std::vector<FigureRecord> Sample(int count) {
    std::vector<FigureRecord> figures;
    for (int mask = 0; mask < 1 << 16 && static_cast<int>(figures.size()) < count; ++mask) {
        if (__builtin_popcount(mask) != 4 || !(mask & 0x000f) || !(mask & 0x1111)) continue;
        std::vector<std::pair<int, int>> blocks;
        for (int k = 0; k < 16; ++k)
            if (mask >> k & 1) blocks.push_back({25 + 10 * (k % 4), 10 + 10 * (k / 4)});
        figures.push_back(FigureOfSquares(blocks));
    }
    return figures;
}

// Saves `from` and loads the file into `to`, as the game does with another collection.
ProgressMapping Carry(const GameData& from, GameData& to) {
    return DecodeProgressFile(EncodeProgressFile(from), to, MaxFigures, {});
}

} // namespace

TEST(ShapeId, IsTheSameForEveryShiftAndDiffersBetweenShapes) {
    const FigureRecord line = FigureOfSquares({{20, 20}, {30, 20}, {40, 20}, {50, 20}});
    const FigureRecord ell = FigureOfSquares({{20, 20}, {30, 20}, {40, 20}, {40, 30}});
    EXPECT_EQ(ShapeIdOf(line), ShapeIdOf(Shifted(line, 7, 13)));
    EXPECT_EQ(ShapeIdOf(line), ShapeIdOf(Shifted(line, -20, -20)));
    EXPECT_NE(ShapeIdOf(line), ShapeIdOf(ell));
    const std::vector<FigureRecord> sample = Sample(100);
    std::vector<ShapeId> ids;
    for (const FigureRecord& figure : sample)
        ids.push_back(ShapeIdOf(figure));
    std::sort(ids.begin(), ids.end());
    EXPECT_EQ(std::unique(ids.begin(), ids.end()), ids.end());
    // A record off the board has an id of its own and never stamps a grid.
    FigureRecord off = line;
    off[3].Orient = 16;
    EXPECT_NE(ShapeIdOf(off), ShapeIdOf(line));
    EXPECT_EQ(ShapeIdOf(off), ShapeIdOf(off));
}

TEST(ProgressFile, OldReadersSeeTheProgressBytesAndZerosOnly) {
    GameData data = Collection(Sample(5));
    data.Progress[1] = 8, data.Progress[4] = 12, data.Progress[5] = 2;
    const std::vector<uint8_t> bytes = EncodeProgressFile(data);
    ASSERT_EQ(bytes.size(), MaxFigures + ProgressTagSize + 5 * 9);
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin(), bytes.begin() + 5),
              (std::vector<uint8_t>{8, 0, 0, 12, 2}));
    EXPECT_TRUE(std::all_of(bytes.begin() + 5, bytes.begin() + MaxFigures,
                            [](uint8_t b) { return b == 0; }));
    EXPECT_EQ(std::string(bytes.begin() + MaxFigures, bytes.begin() + MaxFigures + 4), "FTGS");
}

TEST(ProgressFile, TheSameCollectionReadsBackUnmovedAndSilent) {
    GameData data = Collection(Sample(30));
    data.Progress[1] = 8, data.Progress[2] = 2, data.Progress[30] = 12 | 16;
    data.OtherProgress = {{0x1234, 8}};
    GameData read = Collection(Sample(30));
    read.Progress.fill(9);
    const ProgressMapping mapping = Carry(data, read);
    EXPECT_FALSE(mapping.Moved);
    for (int k = 1; k <= MaxFigures; ++k)
        ASSERT_EQ(read.Progress[k], data.Progress[k]) << k;
    EXPECT_EQ(read.OtherProgress, data.OtherProgress);
    EXPECT_EQ(MovedProgressSentence(mapping, 0), "");
}

TEST(ProgressFile, ProgressFollowsItsFiguresIntoAnotherCollectionAndBack) {
    const std::vector<FigureRecord> shipped = Sample(30);
    GameData game = Collection(shipped);
    game.Progress[3] = 8;  // solved
    game.Progress[7] = 12; // given up
    game.Progress[9] = 1;  // one help step
    game.Progress[20] = 8;
    // A designer's collection: figure 9 shifted to come first, figure 3 under
    // another number, figure 20 left out, and a new figure.
    const FigureRecord added = FigureOfSquares({{20, 20}, {30, 20}, {40, 20}, {70, 50}});
    ASSERT_EQ(
        std::count_if(shipped.begin(), shipped.end(),
                      [&](const FigureRecord& f) { return ShapeIdOf(f) == ShapeIdOf(added); }),
        0);
    GameData designed =
        Collection({Shifted(shipped[8], 4, 3), shipped[0], added, shipped[2], shipped[6]});
    ProgressMapping mapping = Carry(game, designed);
    EXPECT_TRUE(mapping.Moved);
    EXPECT_EQ(mapping.Played, 4);
    EXPECT_EQ(mapping.Kept, 3);
    EXPECT_EQ((std::vector<int>{designed.Progress[1], designed.Progress[2], designed.Progress[3],
                                designed.Progress[4], designed.Progress[5]}),
              (std::vector<int>{1, 0, 0, 8, 12}));
    EXPECT_EQ(designed.OtherProgress, (std::vector<ShapeProgress>{{ShapeIdOf(shipped[19]), 8}}));
    EXPECT_EQ(MovedProgressSentence(mapping, 0),
              "The figure collection has changed: 3 of the 4 figures you played keep their state.");
    EXPECT_EQ(MovedProgressSentence(mapping, 1),
              "Die Figurensammlung ist eine andere: 3 der 4 Figuren, die du gespielt hast, "
              "behalten ihren Stand.");

    // Solved in the designer's collection, then back: nothing is lost on the way.
    designed.Progress[3] = 8;
    GameData back = Collection(shipped);
    mapping = Carry(designed, back);
    EXPECT_TRUE(mapping.Moved);
    EXPECT_EQ(mapping.Played, 5);
    EXPECT_EQ(mapping.Kept, 4);
    for (int k = 1; k <= 30; ++k)
        EXPECT_EQ(back.Progress[k], game.Progress[k]) << k;
    EXPECT_EQ(back.OtherProgress, (std::vector<ShapeProgress>{{ShapeIdOf(added), 8}}));
}

TEST(ProgressFile, EqualShapesInOneCollectionKeepTheirOrder) {
    const FigureRecord square = BigSquare(30, 20);
    GameData twice = Collection({square, Shifted(square, 10, 10)});
    twice.Progress[1] = 8, twice.Progress[2] = 3;
    GameData once = Collection({Sample(1)[0], Shifted(square, 5, 0)});
    Carry(twice, once);
    EXPECT_EQ(once.Progress[1], 0);
    EXPECT_EQ(once.Progress[2], 8);
    EXPECT_EQ(once.OtherProgress, (std::vector<ShapeProgress>{{ShapeIdOf(square), 3}}));

    // Through a collection without the shape and back, an unplayed first square
    // keeps the played ones in their places.
    GameData three = Collection({square, Shifted(square, 10, 0), Shifted(square, 0, 10)});
    three.Progress[2] = 8, three.Progress[3] = 12;
    GameData other = Collection(Sample(2));
    EXPECT_EQ(Carry(three, other).Played, 2);
    EXPECT_EQ(other.OtherProgress.size(), 3u);
    GameData again = Collection({square, Shifted(square, 10, 0), Shifted(square, 0, 10)});
    Carry(other, again);
    EXPECT_EQ((std::vector<int>{again.Progress[1], again.Progress[2], again.Progress[3]}),
              (std::vector<int>{0, 8, 12}));
    EXPECT_TRUE(again.OtherProgress.empty());
}

TEST(ProgressFile, GamesWithoutShapesMoveFromTheirEditionOrReadByNumber) {
    const std::vector<FigureRecord> old = Sample(90);
    std::vector<ShapeId> origin;
    for (int k = 0; k < MaxFigures; ++k)
        origin.push_back(k < 90 ? ShapeIdOf(old[k]) : 0x5eed0000u + k);
    std::vector<uint8_t> bytes(MaxFigures, 0);
    bytes[0] = 8, bytes[4] = 12, bytes[89] = 2;
    // Today's collection: old figure 90 first, then old 1..5.
    GameData today = Collection({old[89], old[0], old[1], old[2], old[3], old[4]});
    ProgressMapping mapping = DecodeProgressFile(bytes, today, MaxFigures, origin);
    EXPECT_TRUE(mapping.Moved);
    EXPECT_EQ(mapping.Played, 3);
    EXPECT_EQ(mapping.Kept, 3);
    EXPECT_EQ((std::vector<int>{today.Progress[1], today.Progress[2], today.Progress[3],
                                today.Progress[6]}),
              (std::vector<int>{2, 8, 0, 12}));
    // Unknown origin, another length or a damaged tag: byte n to figure n, as always.
    GameData plain = Collection(Sample(6));
    EXPECT_FALSE(DecodeProgressFile(bytes, plain, MaxFigures, {}).Moved);
    EXPECT_EQ(plain.Progress[1], 8);
    EXPECT_EQ(plain.Progress[5], 12);
    const std::vector<uint8_t> shortGame{8, 3, 12};
    EXPECT_FALSE(DecodeProgressFile(shortGame, plain, MaxFigures, origin).Moved);
    EXPECT_EQ(plain.Progress[2], 3);
    EXPECT_EQ(plain.Progress[5], 0);
    std::vector<uint8_t> damaged = EncodeProgressFile(today);
    damaged[MaxFigures + 7] = 0xff; // more entries than the file holds
    EXPECT_FALSE(DecodeProgressFile(damaged, plain, MaxFigures, origin).Moved);
    EXPECT_EQ(plain.Progress[1], 2);
    EXPECT_EQ(plain.Progress[2], 8);
    damaged.resize(MaxFigures + 20);
    EXPECT_FALSE(DecodeProgressFile(damaged, plain, MaxFigures, origin).Moved);
}

TEST(ProgressFile, ARedrawnFigureKeepsWhatWasDoneToItsEarlierShape) {
    const std::vector<FigureRecord> before = Sample(8);
    // The next edition redrew figures 2 and 3 (as 7 and 8 of the sample) and
    // moved them to the end.
    GameData old = Collection({before[0], before[1], before[2], before[3]});
    old.Progress[1] = 8, old.Progress[2] = 12, old.Progress[3] = 2;
    const std::vector<uint8_t> file = EncodeProgressFile(old);
    int asked = 0;
    const auto redrawn = [&] {
        ++asked;
        return std::vector<std::pair<ShapeId, ShapeId>>{
            {ShapeIdOf(before[1]), ShapeIdOf(before[6])},
            {ShapeIdOf(before[2]), ShapeIdOf(before[7])}};
    };
    GameData next = Collection({before[0], before[3], before[6], before[7]});
    ProgressMapping mapping = DecodeProgressFile(file, next, MaxFigures, {}, redrawn);
    EXPECT_EQ(
        (std::vector<int>{next.Progress[1], next.Progress[2], next.Progress[3], next.Progress[4]}),
        (std::vector<int>{8, 0, 12, 2}));
    EXPECT_EQ(mapping.Played, 3);
    EXPECT_EQ(mapping.Kept, 3);
    EXPECT_TRUE(next.OtherProgress.empty());
    // A state the file holds for the new shape itself wins over the old one's.
    old.OtherProgress.push_back({ShapeIdOf(before[6]), 4});
    GameData again = Collection({before[0], before[3], before[6], before[7]});
    mapping = DecodeProgressFile(EncodeProgressFile(old), again, MaxFigures, {}, redrawn);
    EXPECT_EQ(again.Progress[3], 4);
    EXPECT_EQ(again.Progress[4], 2);
    EXPECT_EQ(mapping.Kept, 3); // of 8, 12, 2 and 4, the 12 found no figure
    // Nothing is asked of the edition when every played shape is found.
    asked = 0;
    GameData same = Collection({before[0], before[1], before[2], before[3]});
    DecodeProgressFile(file, same, MaxFigures, {}, redrawn);
    EXPECT_EQ(asked, 0);
}

TEST(MovedProgressSentence, HasPiecesForOneAndNone) {
    EXPECT_EQ(MovedProgressSentence({true, 1, 1}, 0),
              "The figure collection has changed: the one figure you played keeps its state.");
    EXPECT_EQ(MovedProgressSentence({true, 1, 0}, 1),
              "Die Figurensammlung ist eine andere: die eine Figur, die du gespielt hast, ist "
              "nicht dabei.");
    EXPECT_EQ(MovedProgressSentence({true, 12, 0}, 0),
              "The figure collection has changed: none of the 12 figures you played is in it.");
    EXPECT_EQ(MovedProgressSentence({true, 12, 1}, 1),
              "Die Figurensammlung ist eine andere: eine der 12 Figuren, die du gespielt hast, "
              "behält ihren Stand.");
    EXPECT_EQ(MovedProgressSentence({true, 0, 0}, 0), ""); // nothing played, nothing to say
}

TEST(SwitchCollection, EachCollectionKeepsItsOwnStatesThroughSwitchesAndASave) {
    const std::string dir = TempDir("switch");
    const std::vector<FigureRecord> sample = Sample(6);
    const std::vector<FigureRecord> shippedFigures(sample.begin(), sample.begin() + 4);
    const std::vector<FigureRecord> ownFigures{sample[4], sample[5]};
    const auto write = [&](const std::string& name, const std::vector<FigureRecord>& figures) {
        std::vector<uint8_t> bytes(figures.size() * FigureRecordSize);
        std::memcpy(bytes.data(), figures.data(), bytes.size());
        WriteBytes(dir + name, bytes);
        return dir + name;
    };
    const std::string shipped = write("shipped.dat", shippedFigures);
    const std::string own = write("own.dat", ownFigures);

    GameData data = Collection(shippedFigures);
    data.Progress[1] = 8, data.Progress[2] = 12, data.Progress[4] = 2;
    data.CurrentFigure = 4;
    ProgressMapping mapping;
    ASSERT_TRUE(SwitchCollection(own, data, mapping));
    EXPECT_EQ(data.FigureCount, 2);
    EXPECT_EQ(data.CurrentFigure, 1); // figure 4 is not in a collection of two
    EXPECT_EQ(data.Progress[1], 0);
    EXPECT_EQ(data.Progress[2], 0);
    EXPECT_EQ(data.Progress[4], 0); // nothing left over from the other collection's numbers
    EXPECT_EQ(mapping.Played, 3);
    EXPECT_EQ(mapping.Kept, 0);
    EXPECT_TRUE(data.Dirty);

    data.Progress[2] = 9; // solved with one help step, here only
    ASSERT_TRUE(SwitchCollection(shipped, data, mapping));
    EXPECT_EQ(data.FigureCount, 4);
    EXPECT_EQ(
        (std::vector<int>{data.Progress[1], data.Progress[2], data.Progress[3], data.Progress[4]}),
        (std::vector<int>{8, 12, 0, 2}));
    EXPECT_EQ(data.OtherProgress, (std::vector<ShapeProgress>{{ShapeIdOf(sample[5]), 9}}));

    // A file that holds no figure leaves the game as it was.
    WriteBytes(dir + "empty.dat", {});
    data.CurrentFigure = 3;
    const GameData before = data;
    EXPECT_FALSE(SwitchCollection(dir + "empty.dat", data, mapping));
    EXPECT_FALSE(SwitchCollection(dir + "missing.dat", data, mapping));
    EXPECT_EQ(data.FigureCount, 4);
    EXPECT_EQ(data.CurrentFigure, 3);
    EXPECT_EQ(data.Progress, before.Progress);
    EXPECT_EQ(data.OtherProgress, before.OtherProgress);

    // Saved with the shipped collection and read at the next start with the own one.
    ASSERT_EQ(WriteGameFile(dir + "game.ftg", data), SaveResult::Saved);
    GameData next = Collection(ownFigures);
    // The old edition is worked out only for a game saved without shapes.
    int asked = 0;
    next.UntaggedOrigin = [&] { return ++asked, std::vector<ShapeId>{}; };
    ASSERT_TRUE(ReadGameFile(dir + "game.ftg", next, MaxFigures, mapping));
    EXPECT_EQ(asked, 0);
    EXPECT_EQ(next.Progress[1], 0);
    EXPECT_EQ(next.Progress[2], 9);
    EXPECT_EQ(next.Progress[3], 0);
    ASSERT_TRUE(SwitchCollection(shipped, next, mapping));
    EXPECT_EQ(next.Progress, before.Progress);
    WriteBytes(dir + "old.ftg", std::vector<uint8_t>(MaxFigures, 3));
    ASSERT_TRUE(ReadGameFile(dir + "old.ftg", next, MaxFigures, mapping));
    EXPECT_EQ(asked, 1);
}
