#include "commands.h"

#include "figures/difficulty.h"
#include "figures/figure_shape.h"
#include "figures/figure_source.h"
#include "figures/player_model.h"
#include "support/figure_files.h"

#include <QImage>
#include <algorithm>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <sys/wait.h>

namespace {

struct ToolRun {
    int status = 0;
    std::string out, err;
};

ToolRun Figures(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    ToolRun run;
    run.status = RunFiguresCommand(args, out, err);
    run.out = out.str();
    run.err = err.str();
    return run;
}

int Lines(const std::string& text) {
    return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
}

std::string OneFigureFile(const FigureRecord& figure, const std::string& name) {
    const std::string path = TempPath(name);
    WriteRecords(path, {figure});
    return path;
}

} // namespace

TEST(Commands, WrongUsageIsExitStatusTwoWithTheSynopsis) {
    EXPECT_EQ(Figures({}).status, 2);
    const ToolRun unknown = Figures({"draw", "x"});
    EXPECT_EQ(unknown.status, 2);
    EXPECT_NE(unknown.err.find("unknown command 'draw'"), std::string::npos);
    const ToolRun missing = Figures({"grid", "file.dat"});
    EXPECT_EQ(missing.status, 2);
    EXPECT_EQ(missing.err, "usage: trigonet-figures grid FILE N\n");
    EXPECT_EQ(Figures({"solve", "f", "1", "--limit", "many"}).status, 2);
    EXPECT_EQ(Figures({"solve", "f", "1", "--depth", "3"}).status, 2);
    EXPECT_EQ(Figures({"generate", "1", "1", "--interest", "low"}).status, 2);
}

TEST(Commands, BuildTurnsTheSourceIntoRecords) {
    const std::string source = TempPath("source.txt");
    {
        std::ofstream(source) << "# two figures\nBig square: 42 27 0, 38 23 8, 52 27 0, 48 23 8, "
                                 "42 37 0, 38 33 8, 52 37 0, 48 33 8\n"
                              << "House: 42 37 0, 38 33 8, 52 37 0, 48 33 8, 47 27 0, 43 23 8, "
                                 "37 27 0, 53 27 4\n";
    }
    const std::string out = TempPath("built.dat");
    const ToolRun run = Figures({"build", source, out});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(ReadText(out).size(), 48u);
    EXPECT_EQ(ReadText(out), ReadText(OneFigureFile(BigSquare(), "square-only.dat")) +
                                 ReadText(OneFigureFile(SoundHouse(), "house-only.dat")));
}

TEST(Commands, BuildRefusesAPlacementOffTheBoardNamingItsLine) {
    const std::string source = TempPath("bad-source.txt");
    {
        std::ofstream(source) << "\nEdge: 2 27 0, 38 23 8, 52 27 0, 48 23 8, 42 37 0, 38 33 8, "
                                 "52 37 0, 48 33 8\n";
    }
    const ToolRun run = Figures({"build", source, TempPath("never.dat")});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err,
              source + ":2: Edge, triangle 1 is off the board or has no such orientation\n");
}

TEST(Commands, GridPrintsTheCellsInScanOrder) {
    const ToolRun run = Figures({"grid", OneFigureFile(SoundHouse(), "house.dat"), "1"});
    ASSERT_EQ(run.status, 0) << run.err;
    std::istringstream lines(run.out);
    std::string first, second;
    std::getline(lines, first);
    std::getline(lines, second);
    // The roof's top row starts at column 39 with the left slope's half cell.
    EXPECT_EQ(first, "39 20 29");
    EXPECT_EQ(second, "40 20 64");
    EXPECT_EQ(Lines(run.out), 200 + 100 + 2 * 55); // body, roof square, the slopes
}

TEST(Commands, SolvePrintsArrangementsNodesAndLayable) {
    const std::string file = OneFigureFile(BigSquare(), "square.dat");
    const ToolRun run = Figures({"solve", file, "1"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out.substr(0, 17), "arrangements: 16\n");
    EXPECT_NE(run.out.find("\nnodes: "), std::string::npos);
    EXPECT_EQ(run.out.substr(run.out.size() - 13), "layable: yes\n");
    EXPECT_EQ(Lines(run.out), 3);
    const ToolRun limited = Figures({"solve", file, "1", "--limit", "2"});
    EXPECT_EQ(limited.out.substr(0, limited.out.find('\n')), "arrangements: 2 (limit reached)");
}

TEST(Commands, BadInputGetsOneLineAndExitStatusOne) {
    FigureRecord badTurn = BigSquare();
    badTurn[4].Orient = 200;
    const std::string good = OneFigureFile(BigSquare(), "good.dat");
    const std::string bad = OneFigureFile(badTurn, "bad-turn.dat");
    const std::string partial = TempPath("short.dat");
    WriteBytes(partial, std::vector<uint8_t>(30, 45));
    const std::vector<std::vector<std::string>> cases = {
        {"grid", TempPath("missing.dat"), "1"},
        {"grid", partial, "1"},
        {"grid", good, "0"},
        {"solve", good, "2"},
        {"solve", good, "first"},
        {"grid", bad, "1"},
        {"solve", bad, "1"},
        {"check", partial},
        {"sheet", bad, TempPath("never.png")},
    };
    for (const auto& args : cases) {
        const ToolRun run = Figures(args);
        EXPECT_EQ(run.status, 1) << args[0] << " " << args[1];
        EXPECT_EQ(Lines(run.err), 1) << run.err;
        EXPECT_TRUE(run.out.empty());
    }
    EXPECT_EQ(Figures({"solve", good, "2"}).err, "figure 2 is out of range 1..1\n");
}

TEST(Commands, CheckPrintsOneLinePerProblem) {
    const std::string clean = TempPath("clean.dat");
    WriteRecords(clean, {SoundHouse(), BigSquare()});
    const ToolRun ok = Figures({"check", clean});
    EXPECT_EQ(ok.status, 0);
    EXPECT_TRUE(ok.out.empty());

    FigureRecord stacked = BigSquare();
    stacked[1] = stacked[0];
    FigureRecord badTurn = BigSquare();
    badTurn[0].Orient = 99;
    const std::string faulty = TempPath("faulty.dat");
    WriteRecords(faulty, {stacked, badTurn, SoundHouse(), SoundHouse()});
    const ToolRun run = Figures({"check", faulty});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out,
              "figure 1: rule 3 (layable): no order of the eight triangles passes the fit test\n"
              "figure 2: rule 1 (on the board): triangle 1 (42 27 99) is off the board or has "
              "no such orientation\n"
              "figure 4: rule 5 (distinct): same cells and values as figure 3\n"
              // The square short of a triangle and the house: one outline.
              "figure 3: rule 10 (no look-alike): its outline and figure 1's overlap by 93 %\n"
              "figure 4: rule 10 (no look-alike): its outline and figure 1's overlap by 93 %\n");
}

TEST(Commands, CheckReportsADamagedRecordAndJudgesTheRestWithoutIt) {
    // 48 bytes: a house, then one whose turns are past the tables.
    FigureRecord damaged = SoundHouse();
    for (Placement& p : damaged)
        p.Orient = 255;
    const std::string file = TempPath("damaged.dat");
    WriteRecords(file, {SoundHouse(), damaged});
    const ToolRun run = Figures({"check", file});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "figure 2: rule 1 (on the board): triangle 1 (42 37 255) is off the "
                       "board or has no such orientation\n");
    WriteRecords(file, {damaged, SoundHouse()});
    EXPECT_EQ(Lines(Figures({"check", file}).out), 1) << "the house is no duplicate of it";
}

TEST(Commands, SheetWritesAPicture) {
    const std::string png = TempPath("sheet.png");
    const ToolRun run =
        Figures({"sheet", OneFigureFile(SoundHouse(), "sheet.dat"), png, "--scale", "3"});
    ASSERT_EQ(run.status, 0) << run.err;
    const QImage image(QString::fromStdString(png));
    EXPECT_EQ(image.size(), QSize(300, 255));
}

TEST(Commands, TheProgramItselfReportsBadInputThroughItsExitStatus) {
    const std::string command =
        std::string(FIGURES_TOOL) + " grid " + TempPath("nowhere.dat") + " 1 2>/dev/null";
    const int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 1);
}

TEST(Commands, OrderSortsFromEasyToHardUnderChapterLines) {
    const std::string source = TempPath("unordered.txt");
    {
        std::ofstream out(source);
        out << "# header\n\n# Chapter 9: left from an earlier order\n"
            << FormatSourceLine({"House", SoundHouse(), 0}) << "\n"
            << FormatSourceLine({"Square", BigSquare(), 0}) << "\n";
    }
    const std::string sorted = TempPath("ordered.txt");
    const ToolRun run = Figures({"order", source, sorted});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(Lines(run.out), 2);
    // Both are square turns and the first lessons.
    SourceFigure first{"House", SoundHouse(), 0}, second{"Square", BigSquare(), 0};
    if (SimulatePlayer(BigSquare()).MeanEffort < SimulatePlayer(SoundHouse()).MeanEffort)
        std::swap(first, second);
    EXPECT_EQ(ReadText(sorted),
              "# header\n\n# Chapter 1: First steps with square turns (2 figures)\n" +
                  FormatSourceLine(first) + "\n" + FormatSourceLine(second) + "\n");
}

TEST(Commands, CheckRefusesCellsPastColumn73AndVerticesOnRow60) {
    FigureRecord right = SoundHouse(); // cells in columns 30..59
    ASSERT_TRUE(ShiftRecord(right, 15, 0));
    std::vector<Placement> p; // upright bar whose foot lies on row 60
    for (int y : {20, 30, 40, 50})
        AddSquare(p, 40, y);
    const std::string file = TempPath("edges.dat");
    WriteRecords(file, {right, ToRecord(p)});
    std::ostringstream out, err;
    EXPECT_EQ(RunFiguresCommand({"check", file}, out, err), 1);
    const std::string report = out.str();
    EXPECT_NE(report.find("figure 1: rule 2 (playing area): cells reach columns 45..74, outside "
                          "16..73\n"),
              std::string::npos)
        << report;
    EXPECT_NE(report.find("figure 2: rule 2 (playing area): vertices reach rows 20..60, outside "
                          "1..59\n"),
              std::string::npos)
        << report;
}

TEST(Commands, WorthNamesEachDullFigureAndEndsWithTheCounts) {
    const std::string source = TempPath("worth.txt");
    {
        std::ofstream out(source);
        out << FormatSourceLine({"Square", BigSquare(), 0}) << "\n";
    }
    const ToolRun run = Figures({"worth", source});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "1\tdull\t-\t-\tSquare\ndull 1, nicks 0, necks 0, series 0 of 0 figures (0 "
                       "of more than two), pairs at 85 % overlap 0, pairs sharing 6 of 8 0\n");
    EXPECT_EQ(Figures({"worth", TempPath("missing.txt")}).status, 1);
}

TEST(Commands, MendOffersChoicesApartFromEachOther) {
    const std::string source = TempPath("mend.txt");
    {
        std::ofstream out(source);
        out << FormatSourceLine({"Square", BigSquare(), 0}) << "\n"
            << FormatSourceLine({"House", SoundHouse(), 0}) << "\n";
    }
    // Only the dull square is mended, twice, and the two differ.
    const ToolRun run = Figures({"mend", source, "--choices", "2"});
    EXPECT_EQ(run.status, 0) << run.err;
    ASSERT_EQ(Lines(run.out), 2) << run.out;
    EXPECT_EQ(run.out.rfind("1\tSquare: ", 0), 0u);
    EXPECT_NE(run.out.find("\n1\tSquare: "), std::string::npos);
    const size_t cut = run.out.find('\n');
    EXPECT_NE(run.out.substr(0, cut + 1), run.out.substr(cut + 1));
}

TEST(Commands, MendKeepsAMirrorSymmetricFigureSymmetric) {
    const std::string source = TempPath("mend-symmetric.txt");
    {
        std::ofstream out(source);
        out << FormatSourceLine({"Square", BigSquare(), 0}) << "\n"
            << FormatSourceLine({"House", SoundHouse(), 0}) << "\n";
    }
    ASSERT_TRUE(IsMirrorSymmetric(BigSquare()));
    const ToolRun run = Figures({"mend", source, "--near", "30"});
    EXPECT_EQ(run.status, 0) << run.err;
    ASSERT_EQ(run.out.rfind("1\tSquare: ", 0), 0u) << run.out;
    FigureSource mended;
    std::string error;
    ASSERT_TRUE(ParseFigureSource(run.out.substr(2), mended, error)) << error;
    ASSERT_EQ(mended.Figures.size(), 1u);
    EXPECT_NE(mended.Figures[0].Record, BigSquare());
    EXPECT_TRUE(IsMirrorSymmetric(mended.Figures[0].Record)) << run.out;
}

TEST(Commands, ReadingRatesEveryFigureAndTakesTrialRecords) {
    const std::string source = TempPath("reading.txt");
    {
        std::ofstream out(source);
        out << FormatSourceLine({"Square", BigSquare(), 0}) << "\n"
            << FormatSourceLine({"House", SoundHouse(), 0}) << "\n";
    }
    const ToolRun run = Figures({"reading", source});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(Lines(run.out), 3);
    EXPECT_EQ(run.out.rfind("1\t", 0), 0u);
    const std::string trials = TempPath("trials.tsv");
    {
        std::ofstream out(trials);
        out << "trial\tkind\tplayer\tfigure\toutcome\tactions\n"
            << "x\ttrial\tp1\t1\tsolved\t60\nx\ttrial\tp1\t2\tgaveup\t90\nbroken\n";
    }
    const ToolRun fitted = Figures({"reading", source, trials});
    EXPECT_EQ(fitted.status, 0) << fitted.err;
    EXPECT_NE(fitted.out.find("trials: 2 figures, 1 lines skipped; fitted on 2, held out 0\n"),
              std::string::npos)
        << fitted.out;
    EXPECT_EQ(Figures({"reading", source, TempPath("none.tsv")}).status, 1);
    // A second file is judged only on figures the first never held.
    const std::string held = TempPath("held.tsv");
    {
        std::ofstream out(held);
        out << "trial\tkind\tplayer\tfigure\toutcome\tactions\n"
            << "y\ttrial\tp9\t1\tsolved\t10\ny\ttrial\tp9\t3\tsolved\t10\n";
    }
    const ToolRun judged = Figures({"reading", source, trials, held});
    EXPECT_EQ(judged.status, 0) << judged.err;
    EXPECT_NE(judged.out.find("new trials: 0 figures not fitted, 0 lines skipped"),
              std::string::npos)
        << judged.out;
    EXPECT_EQ(Figures({"reading", source, trials, TempPath("none.tsv")}).status, 1);
}

// The third edition with its first and last drawings swapped: fitted on the
// drawings the trials were played on, the weights are those of the third
// edition, and the first figure is rated as the last was.
TEST(Commands, ReadingFitsTheDrawingsTheTrialsWerePlayedOn) {
    FigureSource third;
    std::string error;
    ASSERT_TRUE(ParseFigureSource(ReadText(THIRD_EDITION), third, error)) << error;
    ASSERT_EQ(third.Figures.size(), 222u);
    std::swap(third.Figures.front().Record, third.Figures.back().Record);
    const std::string redrawn = TempPath("redrawn.txt");
    {
        std::ofstream out(redrawn);
        for (const SourceFigure& figure : third.Figures)
            out << FormatSourceLine(figure) << "\n";
    }
    const std::string trials = std::string(TRIALS_DIR) + "/trials.tsv";
    const ToolRun played = Figures({"reading", THIRD_EDITION, trials});
    const ToolRun replayed = Figures({"reading", redrawn, trials, "-", THIRD_EDITION});
    ASSERT_EQ(replayed.status, 0) << replayed.err;
    const auto weights = [](const std::string& text) {
        return text.substr(text.find("weights on every figure"));
    };
    const auto rating = [](const std::string& text, int figure) {
        std::istringstream in(text);
        std::string row;
        for (int i = 0; i < figure; ++i)
            std::getline(in, row);
        return row.substr(row.rfind('\t') + 1);
    };
    EXPECT_EQ(weights(replayed.out), weights(played.out));
    EXPECT_EQ(rating(replayed.out, 1), rating(played.out, 222));
    EXPECT_NE(rating(replayed.out, 1), rating(played.out, 1));
    EXPECT_NE(weights(Figures({"reading", redrawn, trials}).out), weights(played.out));
    EXPECT_EQ(Figures({"reading", redrawn, trials, "-", TempPath("none.txt")}).status, 1);
}
