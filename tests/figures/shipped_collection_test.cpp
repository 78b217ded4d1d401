#include "figures/figure_rules.h"
#include "figures/figure_shape.h"
#include "figures/figure_source.h"
#include "figures/look_alike.h"
#include "figures/record_file.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <functional>
#include <gtest/gtest.h>
#include <map>
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

// Every figure judged once for the whole program, as the designer judges an
// arrangement after a put-down: against all the others, by one judge that keeps
// what it has learnt of each record. The tests that read it share one process
// (see CMakeLists.txt).
// The time this thread has run: what the judging costs, whatever else the
// machine is busy with.
double ThreadMilliseconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

struct Judgement {
    std::vector<FigureVerdict> Verdicts;
    std::vector<double> Milliseconds;
};

const Judgement& Judged() {
    static const Judgement judged = [] {
        Judgement out;
        FigureJudge judge;
        const std::vector<FigureRecord>& records = Collection().records;
        for (size_t i = 0; i < records.size(); ++i) {
            std::vector<FigureRecord> others = records;
            others.erase(others.begin() + static_cast<long>(i));
            const double start = ThreadMilliseconds();
            out.Verdicts.push_back(judge.Judge(records[i], others));
            out.Milliseconds.push_back(ThreadMilliseconds() - start);
        }
        return out;
    }();
    return judged;
}

bool Uses(const FigureRecord& figure, int remainder, int modulus) {
    return std::any_of(figure.begin(), figure.end(),
                       [&](const Placement& p) { return p.Orient % modulus == remainder; });
}

bool UsesOdd(const FigureRecord& figure) {
    return Uses(figure, 1, 2);
}

// What the fourth edition holds at least: redrawn to be worth laying, it gave
// up a few mirror-symmetric figures and figures that mix square and 45° turns.
constexpr int MinSymmetric = 66, MinDiagonal = 126, MinOdd = 30, MinSquareWithDiagonal = 66;
struct Theme {
    const char* Title;
    std::set<std::string> Words; // a name with one of them, in lower case, shows the theme
};
// People fell to six when figures that no longer read as people were named
// for what fresh viewers saw in them.
const std::pair<Theme, int> MinThemes[] = {
    {{"People", {"person", "walker", "man", "handstand", "jump"}}, 6},
    {{"Animals",
      {"bird", "bat", "cat", "cat's", "kitten", "fish", "goldfish", "duck", "swan", "owl", "dog",
       "frog", "parrot", "jellyfish", "fox"}},
     18},
    {{"Letters and digits", {"letter", "digit", "italic"}}, 12}};

bool ShowsTheme(const std::string& name, const Theme& theme) {
    std::string word;
    for (size_t i = 0; i <= name.size(); ++i)
        if (i == name.size() || name[i] == ' ') {
            if (theme.Words.count(word)) return true;
            word.clear();
        } else {
            word += static_cast<char>(std::tolower(static_cast<unsigned char>(name[i])));
        }
    return false;
}
const char* const Classics[] = {
    "Square", "House",    "Arrow",  "Fish", "Cross", "Sailing boat", "Four-pointed star",
    "Castle", "Letter C", "Digit 7"};

} // namespace

TEST(ShippedCollection, TheBuildMadeTheCollectionFileFromTheSource) {
    const Shipped& c = Collection();
    ASSERT_EQ(c.source.Figures.size(), 222u);
    ASSERT_EQ(c.records.size(), 222u);
    for (size_t i = 0; i < c.records.size(); ++i)
        EXPECT_EQ(c.records[i], c.source.Figures[i].Record) << c.source.Figures[i].Name;
}

TEST(ShippedCollection, EveryFigurePassesEveryRule) {
    const std::vector<FigureRecord>& records = Collection().records;
    ASSERT_EQ(Judged().Verdicts.size(), records.size());
    EXPECT_LE(records.size(), static_cast<size_t>(MaxFigures));
    for (size_t i = 0; i < records.size(); ++i) {
        const FigureVerdict& verdict = Judged().Verdicts[i];
        if (verdict.Passed()) continue;
        ADD_FAILURE() << "figure " << i + 1 << " breaks a rule";
        // Worded as the collection tool words it, only when something is wrong.
        for (const RuleProblem& problem : CheckFigure(static_cast<int>(i + 1), records[i]))
            ADD_FAILURE() << FormatProblem(problem);
        if (verdict[RuleId::Distinct].State == RuleState::Failed)
            ADD_FAILURE() << "figure " << i + 1 << " has the shape of another";
    }
}

TEST(ShippedCollection, HoldsNoNearCopiesAndNoLookAlikes) {
    std::vector<std::string> names;
    for (const SourceFigure& figure : Collection().source.Figures)
        names.push_back(figure.Name);
    for (const RuleProblem& problem : CheckLookAlikes(Collection().records, names))
        ADD_FAILURE() << FormatProblem(problem);
}

TEST(ShippedCollection, EveryFigureCanBeSolvedAndLaid) {
    ASSERT_EQ(Judged().Verdicts.size(), Collection().records.size());
    for (size_t i = 0; i < Judged().Verdicts.size(); ++i) {
        const FigureVerdict& verdict = Judged().Verdicts[i];
        EXPECT_GE(verdict[RuleId::Recognised].Detail[0], 1) << "figure " << i + 1;
        EXPECT_TRUE(verdict[RuleId::Layable].Passed()) << "figure " << i + 1;
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

} // namespace

// How the order climbs is held to the trial players' records by the collection
// tool's tests (ShippedOrder): a model that laid the order out would pass
// whatever order it made.
TEST(ShippedCollection, OpensWithSquareTurnsAndEndsWithTwentyMasterpieces) {
    const std::vector<FigureRecord>& records = Collection().records;
    const std::vector<int> chapters = ChapterOfEachFigure();
    ASSERT_EQ(chapters.size(), records.size());
    for (size_t i = 0; i < records.size(); ++i) {
        EXPECT_GE(chapters[i], 1) << "figure " << i + 1 << " comes before every chapter";
        if (i > 0) {
            EXPECT_LE(chapters[i - 1], chapters[i]) << "figure " << i + 1;
        }
    }
    // The first figure teaches the game: square turns only.
    EXPECT_FALSE(Uses(records[0], 2, 4) || UsesOdd(records[0]));
    ASSERT_GE(records.size(), 30u);
    EXPECT_EQ(std::count(chapters.begin(), chapters.end(), chapters.back()), 20);
}

TEST(ShippedCollection, HoldsThemesAndEveryKindOfTurn) {
    int symmetric = 0, diagonal = 0, odd = 0, squareWithDiagonal = 0;
    std::set<std::string> names;
    for (const SourceFigure& figure : Collection().source.Figures) {
        const FigureRecord& r = figure.Record;
        EXPECT_TRUE(names.insert(figure.Name).second) << figure.Name << " twice";
        symmetric += IsMirrorSymmetric(r);
        diagonal += Uses(r, 2, 4);
        odd += UsesOdd(r);
        squareWithDiagonal += Uses(r, 0, 4) && Uses(r, 2, 4);
    }
    EXPECT_GE(symmetric, MinSymmetric);
    EXPECT_GE(diagonal, MinDiagonal);
    // Odd triangles share no edge direction with the others, so a figure joined
    // along edges never mixes them in; square and 45 degree turns mix.
    EXPECT_GE(odd, MinOdd);
    EXPECT_GE(squareWithDiagonal, MinSquareWithDiagonal);
    // Chapters climb and mix what they show, so a theme is told by the names.
    for (const auto& [theme, least] : MinThemes) {
        const auto count = std::count_if(names.begin(), names.end(), [&](const std::string& name) {
            return ShowsTheme(name, theme);
        });
        EXPECT_GE(count, least) << theme.Title;
    }
    for (const char* classic : Classics)
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
    ASSERT_EQ(Judged().Milliseconds.size(), records.size());
    double slowest = 0, total = 0;
    for (size_t i = 0; i < records.size(); ++i) {
        EXPECT_TRUE(Judged().Verdicts[i].Passed()) << "figure " << i + 1;
        slowest = std::max(slowest, Judged().Milliseconds[i]);
        total += Judged().Milliseconds[i];
    }
    std::printf("Judging one figure against %zu others: %.1f ms on average, %.1f ms at most\n",
                records.size() - 1, total / records.size(), slowest);
    EXPECT_LT(slowest, 1000.0); // far above the measured times, for a busy machine
}
