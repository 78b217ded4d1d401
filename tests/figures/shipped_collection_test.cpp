#include "figures/difficulty.h"
#include "figures/figure_rules.h"
#include "figures/figure_shape.h"
#include "figures/figure_source.h"
#include "figures/record_file.h"
#include "figures/solver.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <gtest/gtest.h>
#include <set>

namespace {

// The readable source and the file the build made from it, read once.
struct Shipped {
    FigureSource source;
    std::vector<FigureRecord> records;
    Shipped() {
        std::string text, error;
        EXPECT_TRUE(ReadTextFile(FIGURE_SOURCE, text));
        EXPECT_TRUE(ParseFigureSource(text, source, error)) << error;
        EXPECT_TRUE(ReadRecordFile(COLLECTION_FILE, records, error)) << error;
    }
};

const Shipped& Collection() {
    static const Shipped shipped;
    return shipped;
}

bool Uses(const FigureRecord& figure, int remainder, int modulus) {
    return std::any_of(figure.begin(), figure.end(),
                       [&](const Placement& p) { return p.Orient % modulus == remainder; });
}

bool UsesOdd(const FigureRecord& figure) {
    return Uses(figure, 1, 2);
}

} // namespace

TEST(ShippedCollection, TheBuildMadeTheCollectionFileFromTheSource) {
    const Shipped& c = Collection();
    ASSERT_EQ(c.source.Figures.size(), 222u);
    ASSERT_EQ(c.records.size(), 222u);
    for (size_t i = 0; i < c.records.size(); ++i)
        EXPECT_EQ(c.records[i], c.source.Figures[i].Record) << c.source.Figures[i].Name;
}

TEST(ShippedCollection, EveryFigurePassesEveryRule) {
    for (const RuleProblem& problem : CheckCollection(Collection().records))
        ADD_FAILURE() << FormatProblem(problem);
}

TEST(ShippedCollection, EveryFigureCanBeSolvedAndLaid) {
    for (size_t i = 0; i < Collection().records.size(); ++i) {
        const SolveResult result = SolveFigure(Collection().records[i]);
        EXPECT_GE(result.Arrangements, 1) << "figure " << i + 1;
        EXPECT_TRUE(result.Layable) << "figure " << i + 1;
    }
}

namespace {

// The chapter of every figure, by the chapter line above it in the source.
std::vector<int> ChapterOfEachFigure() {
    std::string text;
    EXPECT_TRUE(ReadTextFile(FIGURE_SOURCE, text));
    std::vector<int> chapterLines; // line numbers of "# Chapter" lines
    int number = 0;
    for (size_t start = 0; start < text.size();) {
        ++number;
        if (text.compare(start, 10, "# Chapter ") == 0) chapterLines.push_back(number);
        const size_t end = text.find('\n', start);
        start = end == std::string::npos ? text.size() : end + 1;
    }
    std::vector<int> chapters;
    for (const SourceFigure& figure : Collection().source.Figures)
        chapters.push_back(static_cast<int>(
            std::upper_bound(chapterLines.begin(), chapterLines.end(), figure.Line) -
            chapterLines.begin()));
    return chapters;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

} // namespace

TEST(ShippedCollection, RunsFromEasyToHardWithinAndAcrossChapters) {
    const std::vector<FigureRecord>& records = Collection().records;
    const std::vector<int> chapters = ChapterOfEachFigure();
    ASSERT_EQ(chapters.size(), records.size());
    std::vector<double> scores;
    for (const FigureRecord& record : records) {
        EXPECT_TRUE(RateDifficulty(record).Complete);
        scores.push_back(RateForPlayer(record).Score);
    }
    std::vector<std::vector<double>> byChapter(static_cast<size_t>(chapters.back()) + 1);
    for (size_t i = 0; i < records.size(); ++i) {
        EXPECT_GE(chapters[i], 1) << "figure " << i + 1 << " comes before every chapter";
        if (i > 0 && chapters[i] == chapters[i - 1]) {
            EXPECT_GE(scores[i], scores[i - 1]) << "figure " << i + 1;
        }
        byChapter[static_cast<size_t>(chapters[i])].push_back(scores[i]);
    }
    double before = -1;
    for (size_t c = 1; c < byChapter.size(); ++c) {
        ASSERT_FALSE(byChapter[c].empty()) << "chapter " << c;
        EXPECT_GE(Median(byChapter[c]), before) << "chapter " << c;
        before = Median(byChapter[c]);
    }
    // The first ten teach the moves and the last twenty are the hardest of all.
    ASSERT_GE(scores.size(), 30u);
    const auto lessonsEnd = scores.begin() + 10, masterpieces = scores.end() - 20;
    EXPECT_LE(*std::max_element(scores.begin(), lessonsEnd),
              *std::min_element(lessonsEnd, scores.end()));
    EXPECT_GE(*std::min_element(masterpieces, scores.end()),
              *std::max_element(scores.begin(), masterpieces));
    // The first figures teach the game: square turns and straight edges only.
    for (size_t i = 0; i < 8; ++i) {
        EXPECT_FALSE(Uses(records[i], 2, 4) || UsesOdd(records[i])) << "figure " << i + 1;
        EXPECT_EQ(RateDifficulty(records[i]).CutCells, 0) << "figure " << i + 1;
    }
}

TEST(ShippedCollection, HoldsNamedFiguresClassicShapesAndEveryKindOfTurn) {
    int named = 0, symmetric = 0, diagonal = 0, odd = 0, squareWithDiagonal = 0;
    std::set<std::string> names;
    for (const SourceFigure& figure : Collection().source.Figures) {
        const FigureRecord& r = figure.Record;
        named += figure.Name.rfind("Pattern", 0) != 0;
        names.insert(figure.Name);
        symmetric += IsMirrorSymmetric(r);
        diagonal += Uses(r, 2, 4);
        odd += UsesOdd(r);
        squareWithDiagonal += Uses(r, 0, 4) && Uses(r, 2, 4);
    }
    EXPECT_GE(named, 90);
    EXPECT_GE(symmetric, 40);
    EXPECT_GE(diagonal, 60);
    // Odd triangles share no edge direction with the others, so a figure joined
    // along edges never mixes them in; square and 45 degree turns mix.
    EXPECT_GE(odd, 45);
    EXPECT_GE(squareWithDiagonal, 40);
    for (const char* classic :
         {"Square", "Bar", "Large triangle", "Large right triangle", "Parallelogram", "Trapezoid",
          "Right trapezoid", "Cross", "Four-pointed star", "Windmill", "House", "Sailing boat",
          "Arrow", "Fish", "Cat", "Rocket", "Letter L", "Digit 7"})
        EXPECT_TRUE(names.count(classic)) << classic;
}

TEST(ShippedCollection, IsSplitIntoNamedChaptersOfDifferentShapes) {
    std::string text;
    ASSERT_TRUE(ReadTextFile(FIGURE_SOURCE, text));
    int chapters = 0;
    for (size_t at = text.find("\n# Chapter "); at != std::string::npos;
         at = text.find("\n# Chapter ", at + 1))
        ++chapters;
    EXPECT_GE(chapters, 10);
    std::set<ShapeKey> shapes;
    for (const SourceFigure& figure : Collection().source.Figures) {
        EXPECT_EQ(figure.Name.find("Pattern"), std::string::npos) << figure.Name;
        EXPECT_TRUE(shapes.insert(CanonicalRegionKey(figure.Record)).second) << figure.Name;
    }
}

// A designer judges the figure after every put-down against the whole collection.
TEST(ShippedCollection, JudgingOneFigureAgainstAllOthersIsQuick) {
    const std::vector<FigureRecord>& records = Collection().records;
    double slowest = 0, total = 0;
    for (size_t i = 0; i < records.size(); ++i) {
        std::vector<FigureRecord> others = records;
        others.erase(others.begin() + static_cast<long>(i));
        const auto start = std::chrono::steady_clock::now();
        EXPECT_TRUE(JudgeFigure(records[i], others).Passed()) << "figure " << i + 1;
        const double ms =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count();
        slowest = std::max(slowest, ms);
        total += ms;
    }
    std::printf("JudgeFigure against %zu others: %.1f ms on average, %.1f ms at most\n",
                records.size() - 1, total / records.size(), slowest);
    EXPECT_LT(slowest, 1000.0); // far above the measured times, for a busy machine
}
