#include "commands.h"

#include "board/orientation.h"
#include "contact_sheet.h"
#include "figure_generator.h"
#include "figures/difficulty.h"
#include "figures/figure_rules.h"
#include "figures/figure_shape.h"
#include "figures/figure_source.h"
#include "figures/look_alike.h"
#include "figures/player_model.h"
#include "figures/record_file.h"
#include "figures/solver.h"
#include "reading.h"
#include "worth.h"

#include <QGuiApplication>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <map>
#include <memory>
#include <ostream>

namespace {

constexpr int ExitProblems = 1;
constexpr int ExitUsage = 2;

bool ParseCount(const std::string& word, long& value) {
    const char* end = word.data() + word.size();
    const auto [ptr, ec] = std::from_chars(word.data(), end, value);
    return ec == std::errc() && ptr == end;
}

// Options "--name value" after the positional words; false on an unknown option
// or a value that is not a whole number.
bool SplitOptions(const std::vector<std::string>& args, std::vector<std::string>& positional,
                  std::map<std::string, long>& options, std::string& error) {
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i].rfind("--", 0) != 0) {
            positional.push_back(args[i]);
            continue;
        }
        const std::string name = args[i].substr(2);
        if (!options.count(name)) {
            error = "unknown option " + args[i];
            return false;
        }
        long value = 0;
        if (i + 1 == args.size() || !ParseCount(args[i + 1], value) || value < 0) {
            error = "option " + args[i] + " needs a whole number";
            return false;
        }
        options[name] = value;
        ++i;
    }
    return true;
}

bool LoadSource(const std::string& path, FigureSource& source, std::string& error) {
    std::string text;
    if (!ReadTextFile(path, text)) {
        error = "cannot read " + path;
        return false;
    }
    if (!ParseFigureSource(text, source, error)) {
        error = path + ":" + error;
        return false;
    }
    if (source.Figures.empty()) {
        error = path + " holds no figures";
        return false;
    }
    return true;
}

// Every figure must pass FigureIsValid before any of them is stamped; `error`
// names the first one that fails by its line, its name and its triangle.
bool SourceIsValid(const std::string& path, const FigureSource& source, std::string& error) {
    for (const SourceFigure& figure : source.Figures) {
        if (FigureIsValid(figure.Record)) continue;
        const auto stray = std::find_if(figure.Record.begin(), figure.Record.end(),
                                        [](const Placement& p) { return !TriangleInBounds(p); });
        error = path + ":" + std::to_string(figure.Line) + ": " + figure.Name + ", triangle " +
                std::to_string(stray - figure.Record.begin() + 1) +
                " is off the board or has no such orientation";
        return false;
    }
    return true;
}

// The same for a record file, in PickFigure's words.
bool RecordsAreValid(const std::vector<FigureRecord>& records, std::string& error) {
    FigureRecord figure;
    for (size_t n = 1; n <= records.size(); ++n)
        if (!PickFigure(records, static_cast<long>(n), figure, error)) return false;
    return true;
}

int Build(const std::vector<std::string>& args, std::ostream& err) {
    FigureSource source;
    std::string error;
    if (!LoadSource(args[0], source, error) || !SourceIsValid(args[0], source, error)) {
        err << error << "\n";
        return ExitProblems;
    }
    if (source.Figures.size() > static_cast<size_t>(MaxFigures)) {
        err << args[0] << " holds " << source.Figures.size() << " figures; the game reads 222\n";
        return ExitProblems;
    }
    std::vector<FigureRecord> records;
    for (const SourceFigure& figure : source.Figures)
        records.push_back(figure.Record);
    if (!WriteRecordFile(args[1], records, error)) {
        err << error << "\n";
        return ExitProblems;
    }
    return 0;
}

int Check(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    std::vector<FigureRecord> records;
    std::string error;
    if (!ReadRecordFile(args[0], records, error)) {
        err << error << "\n";
        return ExitProblems;
    }
    // The source, when given, names the figures: its paradox pairs may look alike.
    std::vector<std::string> names;
    if (args.size() > 1) {
        FigureSource source;
        if (!LoadSource(args[1], source, error)) {
            err << error << "\n";
            return ExitProblems;
        }
        if (source.Figures.size() != records.size()) {
            err << args[1] << " holds " << source.Figures.size() << " figures, " << args[0] << " "
                << records.size() << "\n";
            return ExitProblems;
        }
        for (const SourceFigure& figure : source.Figures)
            names.push_back(figure.Name);
    }
    std::vector<RuleProblem> problems = CheckCollection(records);
    for (RuleProblem& problem : CheckLookAlikes(records, names))
        problems.push_back(std::move(problem));
    for (const RuleProblem& problem : problems)
        out << FormatProblem(problem) << "\n";
    return problems.empty() ? 0 : ExitProblems;
}

bool LoadFigure(const std::string& path, const std::string& numberWord, FigureRecord& figure,
                std::string& error) {
    std::vector<FigureRecord> records;
    if (!ReadRecordFile(path, records, error)) return false;
    long number = 0;
    if (!ParseCount(numberWord, number)) {
        error = "'" + numberWord + "' is not a figure number";
        return false;
    }
    return PickFigure(records, number, figure, error);
}

int PrintGrid(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    FigureRecord figure;
    std::string error;
    if (!LoadFigure(args[0], args[1], figure, error)) {
        err << error << "\n";
        return ExitProblems;
    }
    for (const FigureCell& c : FigureCells(TargetGrid(figure)))
        out << c.Col << " " << c.Row << " " << int(c.Value) << "\n";
    return 0;
}

int Solve(const std::vector<std::string>& args, long limit, std::ostream& out, std::ostream& err) {
    FigureRecord figure;
    std::string error;
    if (!LoadFigure(args[0], args[1], figure, error)) {
        err << error << "\n";
        return ExitProblems;
    }
    const SolveResult result = SolveFigure(figure, limit);
    out << "arrangements: " << result.Arrangements
        << (result.LimitReached ? " (limit reached)" : "") << "\n";
    out << "nodes: " << result.Nodes << "\n";
    out << "layable: " << (result.Layable ? "yes" : "no") << "\n";
    return 0;
}

int Sheet(const std::vector<std::string>& args, const std::map<std::string, long>& options,
          std::ostream& err) {
    std::vector<FigureRecord> records;
    std::string error;
    if (!ReadRecordFile(args[0], records, error) || !RecordsAreValid(records, error)) {
        err << error << "\n";
        return ExitProblems;
    }
    SheetLayout layout;
    layout.First = static_cast<int>(std::min(options.at("first"), 100000L));
    layout.Count = static_cast<int>(std::min(options.at("count"), 100000L));
    layout.Columns = static_cast<int>(std::clamp(options.at("columns"), 1L, 64L));
    layout.Scale = static_cast<int>(std::clamp(options.at("scale"), 1L, 8L));
    if (layout.First < 1 || layout.First > static_cast<int>(records.size())) {
        err << "figure " << layout.First << " is out of range 1.." << records.size() << "\n";
        return ExitProblems;
    }
    // Text on a QImage needs a font database, hence an application; no window is
    // shown, and the platform's chatter about a session it does not need is dropped.
    std::unique_ptr<QGuiApplication> app;
    if (!QGuiApplication::instance()) {
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
            if (type == QtCriticalMsg || type == QtFatalMsg)
                fprintf(stderr, "%s\n", qPrintable(text));
        });
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "trigonet-figures";
        static char* argv[] = {name, nullptr};
        app = std::make_unique<QGuiApplication>(argc, argv);
    }
    const QImage image = DrawContactSheet(records, layout);
    if (!image.save(QString::fromStdString(args[1]), "PNG")) {
        err << "cannot write " << args[1] << "\n";
        return ExitProblems;
    }
    return 0;
}

// Design helper: moves every figure of a source so that it is centred.
int Centre(const std::vector<std::string>& args, std::ostream& err) {
    FigureSource source;
    std::string error;
    if (!LoadSource(args[0], source, error) || !SourceIsValid(args[0], source, error)) {
        err << error << "\n";
        return ExitProblems;
    }
    for (SourceFigure& figure : source.Figures)
        if (!CentreFigure(figure.Record)) {
            err << args[0] << ":" << figure.Line << ": " << figure.Name
                << " cannot be centred on the board\n";
            return ExitProblems;
        }
    if (!WriteTextFile(args[1], FormatFigureSource(source))) {
        err << "cannot write " << args[1] << "\n";
        return ExitProblems;
    }
    return 0;
}

std::string OrientationKinds(const FigureRecord& figure) {
    bool square = false, diagonal = false, odd = false;
    for (const Placement& p : figure) {
        square |= p.Orient % 4 == 0;
        diagonal |= p.Orient % 4 == 2;
        odd |= p.Orient % 2 == 1;
    }
    std::string kinds;
    kinds += square ? 'S' : '-';
    kinds += diagonal ? 'D' : '-';
    kinds += odd ? 'O' : '-';
    return kinds;
}

// The chapters follow the order: the measure puts the orientation classes one
// after another, so a chapter is a class, with the first lessons and the last
// and hardest figures as chapters of their own.
constexpr int LessonCount = 10;
constexpr int MasterpieceCount = 20;

std::string ChapterOf(size_t index, size_t total, int orientationClass, size_t squareCount) {
    if (total >= 4 * MasterpieceCount && index + MasterpieceCount >= total) return "Masterpieces";
    switch (orientationClass) {
    case 0:
        if (index < LessonCount) return "First steps with square turns";
        return index < LessonCount + (squareCount - LessonCount) / 2 ? "Shapes on the square"
                                                                     : "Harder square shapes";
    case 1:
        return "The 45-degree lattice";
    case 2:
        return "The 22.5-degree lattice";
    }
    return "Mixed turns";
}

// Design helper: sorts a source from easy to hard and prints the table.
int Order(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    FigureSource source;
    std::string error;
    if (!LoadSource(args[0], source, error) || !SourceIsValid(args[0], source, error)) {
        err << error << "\n";
        return ExitProblems;
    }
    // The simulated player's mean effort decides; the older measure from the
    // outline's hidden edges stays beside it, and breaks ties.
    struct Rated {
        PlayerEffort Effort;
        PlayerDifficulty Difficulty;
        SourceFigure Figure;
    };
    std::vector<Rated> rated;
    for (const SourceFigure& figure : source.Figures)
        rated.push_back({SimulatePlayer(figure.Record), RateForPlayer(figure.Record), figure});
    std::stable_sort(rated.begin(), rated.end(), [](const Rated& a, const Rated& b) {
        if (a.Effort.MeanEffort != b.Effort.MeanEffort)
            return a.Effort.MeanEffort < b.Effort.MeanEffort;
        return a.Difficulty.Score < b.Difficulty.Score;
    });
    const size_t squareCount = static_cast<size_t>(std::count_if(
        rated.begin(), rated.end(), [](const Rated& r) { return r.Difficulty.Class == 0; }));
    std::vector<std::string> chapters;
    for (size_t i = 0; i < rated.size(); ++i)
        chapters.push_back(ChapterOf(i, rated.size(), rated[i].Difficulty.Class, squareCount));
    // Chapter lines of an earlier order are not header.
    std::string text;
    for (size_t start = 0; start < source.Header.size();) {
        const size_t end = source.Header.find('\n', start);
        const std::string line = source.Header.substr(start, end - start + 1);
        if (line.rfind("# Chapter ", 0) != 0 && line != "\n") text += line;
        start = end == std::string::npos ? source.Header.size() : end + 1;
    }
    int number = 0, chapter = 0;
    for (size_t i = 0; i < rated.size(); ++i) {
        const auto& [effort, difficulty, figure] = rated[i];
        if (i == 0 || chapters[i] != chapters[i - 1]) {
            const auto size =
                std::count(chapters.begin() + static_cast<long>(i), chapters.end(), chapters[i]);
            text += "\n# Chapter " + std::to_string(++chapter) + ": " + chapters[i] + " (" +
                    std::to_string(size) + " figures)\n";
        }
        text += FormatSourceLine(figure) + "\n";
        out << ++number << "\t" << effort.MeanEffort << "\t" << effort.SolvedShare << "\t"
            << difficulty.Score << "\t" << difficulty.HiddenShare << "\t"
            << difficulty.BlindTriangles << "\t" << difficulty.Ways << "\t"
            << OrientationKinds(figure.Record) << "\t"
            << (IsMirrorSymmetric(figure.Record) ? "sym" : "-") << "\t" << figure.Name << "\n";
    }
    if (!WriteTextFile(args[1], text)) {
        err << "cannot write " << args[1] << "\n";
        return ExitProblems;
    }
    return 0;
}

// Design helper: the pairs of a source that come near the look-alike rules.
int Alike(const std::vector<std::string>& args, const std::map<std::string, long>& options,
          std::ostream& out, std::ostream& err) {
    FigureSource source;
    std::string error;
    if (!LoadSource(args[0], source, error) || !SourceIsValid(args[0], source, error)) {
        err << error << "\n";
        return ExitProblems;
    }
    std::vector<FigureRecord> records;
    for (const SourceFigure& figure : source.Figures)
        records.push_back(figure.Record);
    const auto shared = static_cast<int>(std::min(options.at("shared"), 9L));
    const double overlap = static_cast<double>(std::min(options.at("percent"), 101L)) / 100;
    for (const LookAlikePair& pair : FindLookAlikes(records, shared, overlap))
        out << pair.First + 1 << "\t" << pair.Second + 1 << "\t" << pair.Shared << "\t"
            << static_cast<int>(pair.Overlap * 100) << "\t" << (pair.SameRegion ? "same" : "-")
            << "\t" << source.Figures[pair.First].Name << "\t" << source.Figures[pair.Second].Name
            << "\n";
    return 0;
}

int Generate(const std::vector<std::string>& args, long interestTenths, std::ostream& out,
             std::ostream& err) {
    long seed = 0, count = 0;
    if (!ParseCount(args[0], seed) || !ParseCount(args[1], count) || count < 1 || count > 1000) {
        err << "generate needs a seed and a count 1..1000\n";
        return ExitUsage;
    }
    FigureSource avoid;
    std::string error;
    if (args.size() > 2 && !LoadSource(args[2], avoid, error)) {
        err << error << "\n";
        return ExitProblems;
    }
    std::vector<FigureRecord> existing;
    for (const SourceFigure& figure : avoid.Figures)
        existing.push_back(figure.Record);
    for (const GeneratedFigure& figure :
         GenerateFigures(static_cast<uint32_t>(seed), static_cast<int>(count), existing,
                         static_cast<double>(interestTenths) / 10))
        out << FormatSourceLine({figure.Name, figure.Record, 0}) << "\n";
    return 0;
}

// One line for each figure with a fault of worth, then the counts and the series.
int Worth(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    FigureSource source;
    std::string error;
    if (!LoadSource(args[0], source, error) || !SourceIsValid(args[0], source, error)) {
        err << error << "\n";
        return ExitProblems;
    }
    std::vector<FigureRecord> records;
    for (const SourceFigure& figure : source.Figures)
        records.push_back(figure.Record);
    const CollectionWorth worth = JudgeCollectionWorth(records);
    int dull = 0, nicks = 0, necks = 0;
    for (size_t i = 0; i < records.size(); ++i) {
        const FigureWorth& w = worth.Figures[i];
        dull += w.Dull, nicks += w.Nick(), necks += w.Neck();
        if (w.Sound()) continue;
        out << i + 1 << "\t" << (w.Dull ? "dull" : "-") << "\t" << (w.Nick() ? "nick" : "-") << "\t"
            << (w.Neck() ? "neck" : "-") << "\t" << source.Figures[i].Name << "\n";
    }
    int inSeries = 0, overTwo = 0;
    for (const std::vector<int>& members : worth.Series) {
        inSeries += static_cast<int>(members.size());
        overTwo += members.size() > 2;
        out << "series";
        for (int i : members)
            out << "\t" << i + 1 << " " << source.Figures[i].Name;
        out << "\n";
    }
    out << "dull " << dull << ", nicks " << nicks << ", necks " << necks << ", series "
        << worth.Series.size() << " of " << inSeries << " figures (" << overTwo
        << " of more than two), pairs at 85 % overlap " << worth.NearPairs
        << ", pairs sharing 6 of 8 " << worth.SharingPairs << "\n";
    return 0;
}

// Design helper: each figure with a fault of worth, mended by moving a few of
// its triangles (MendFigure) and printed as a source line after its number, or
// its number and a dash when no mend was found.
//
// Given `near`, the collection is mended as a whole, each mend against the
// figures as they stand by then: a faulted figure is laid so that it stands
// apart from the rest if it can be, and then, while more than `near` pairs
// overlap by WorthOverlap, the figure in most of them is moved apart. A figure
// may be printed twice; its last line holds.
//
// Given more than one choice, each faulted figure gets that many mends to pick
// from by eye, each apart from the rest of the collection and from the others
// offered, as the closest mend by overlap need not keep the picture.
int Mend(const std::vector<std::string>& args, long moves, long near, long choices,
         std::ostream& out, std::ostream& err) {
    FigureSource source;
    std::string error;
    if (!LoadSource(args[0], source, error) || !SourceIsValid(args[0], source, error)) {
        err << error << "\n";
        return ExitProblems;
    }
    const int depth = static_cast<int>(std::clamp(moves, 1L, 4L));
    std::vector<FigureRecord> records;
    for (const SourceFigure& figure : source.Figures)
        records.push_back(figure.Record);
    const auto print = [&](size_t i, const std::optional<FigureRecord>& mended) {
        out << i + 1 << "\t"
            << (mended ? FormatSourceLine({source.Figures[i].Name, *mended, 0}) : std::string("-"))
            << "\n"
            << std::flush;
    };
    for (size_t i = 0; i < records.size() && choices > 1; ++i) {
        if (JudgeWorth(records[i]).Sound()) continue;
        std::vector<FigureRecord> offered;
        while (static_cast<long>(offered.size()) < choices) {
            const std::optional<FigureRecord> mended =
                MendFigure(records[i], depth, [&](const FigureRecord& r) {
                    return StandsApart(r, records, static_cast<int>(i)) &&
                           StandsApart(r, offered, -1);
                });
            if (!mended) break;
            offered.push_back(*mended);
            print(i, mended);
        }
    }
    if (choices > 1) return 0;
    // A mirror-symmetric figure stays so: the picture is mostly in its symmetry.
    const auto keepsSymmetry = [](const FigureRecord& from) {
        return [symmetric = IsMirrorSymmetric(from)](const FigureRecord& r) {
            return !symmetric || IsMirrorSymmetric(r);
        };
    };
    for (size_t i = 0; i < records.size(); ++i) {
        if (JudgeWorth(records[i]).Sound()) continue;
        const auto symmetric = keepsSymmetry(records[i]);
        std::optional<FigureRecord> mended;
        if (near >= 0)
            mended = MendFigure(records[i], depth, [&](const FigureRecord& r) {
                return symmetric(r) && StandsApart(r, records, static_cast<int>(i));
            });
        // Failing that, one the collection's rules allow: a near copy of
        // another figure would be no mend.
        if (!mended)
            mended = MendFigure(records[i], depth, [&](const FigureRecord& r) {
                return symmetric(r) &&
                       StandsApart(r, records, static_cast<int>(i), LookAlikeOverlap);
            });
        if (mended) records[i] = *mended;
        print(i, mended);
    }
    if (near < 0) return 0;
    std::vector<bool> tried(records.size(), false);
    for (;;) {
        std::vector<int> pairs(records.size(), 0);
        int count = 0;
        for (const LookAlikePair& pair : FindLookAlikes(records, TriangleCount + 1, WorthOverlap))
            ++pairs[pair.First], ++pairs[pair.Second], ++count;
        if (count <= near) break;
        int pick = -1;
        for (int i = 0; i < static_cast<int>(records.size()); ++i)
            if (!tried[i] && pairs[i] > 0 && (pick < 0 || pairs[i] > pairs[pick])) pick = i;
        if (pick < 0) break;
        tried[pick] = true;
        const auto symmetric = keepsSymmetry(records[pick]);
        const std::optional<FigureRecord> mended =
            MendFigure(records[pick], depth, [&](const FigureRecord& r) {
                return symmetric(r) && StandsApart(r, records, pick);
            });
        if (!mended) continue;
        records[pick] = *mended;
        print(static_cast<size_t>(pick), mended);
    }
    return 0;
}

// The outline-only measure of every figure; then its rank correlation with the
// source's order, or, given trial records, fitted on two thirds of the figures
// tried and correlated with the trials on the rest. Given a second file of
// trials, run after the terms were chosen, the weights fitted on every figure
// of the first are judged on the figures only the second holds: the one check
// that no choice of terms has seen. Given PLAYED, the collection the trials
// were played on when SOURCE has since redrawn some figures, the weights are
// fitted on the drawings the players saw and rate SOURCE's own.
int Reading(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    FigureSource source, played;
    std::string error;
    if (!LoadSource(args[0], source, error) || !SourceIsValid(args[0], source, error)) {
        err << error << "\n";
        return ExitProblems;
    }
    std::vector<FigureReading> readings, playedReadings;
    std::vector<double> effort, order;
    for (size_t i = 0; i < source.Figures.size(); ++i) {
        readings.push_back(ReadFigure(source.Figures[i].Record));
        effort.push_back(ReadingEffort(readings.back(), GuessedWeights));
        order.push_back(static_cast<double>(i));
    }
    playedReadings = readings;
    if (args.size() > 3) {
        if (!LoadSource(args[3], played, error) || !SourceIsValid(args[3], played, error)) {
            err << error << "\n";
            return ExitProblems;
        }
        if (played.Figures.size() != source.Figures.size()) {
            err << args[3] << " has " << played.Figures.size() << " figures, " << args[0] << " "
                << source.Figures.size() << "\n";
            return ExitProblems;
        }
        for (size_t i = 0; i < played.Figures.size(); ++i)
            playedReadings[i] = ReadFigure(played.Figures[i].Record);
    }
    std::string text, heldText;
    for (size_t a = 1; a < args.size() && a < 3; ++a)
        if (!(a == 2 && args[a] == "-") && !ReadTextFile(args[a], a == 1 ? text : heldText)) {
            err << "cannot read " << args[a] << "\n";
            return ExitProblems;
        }
    int skipped = 0;
    const std::map<int, double> trials = TrialEffort(text, skipped);
    std::vector<FigureReading> allReadings;
    std::vector<double> allEffort;
    for (const auto& [figure, mean] : trials)
        if (figure <= static_cast<int>(readings.size())) {
            allReadings.push_back(playedReadings[figure - 1]);
            allEffort.push_back(mean);
        }
    // The last column rates by the weights fitted on every figure tried.
    const ReadingWeights all =
        args.size() > 1 ? FitReading(allReadings, allEffort) : GuessedWeights;
    for (size_t i = 0; i < source.Figures.size(); ++i) {
        const FigureReading& r = readings[i];
        out << i + 1 << "\t" << effort[i] << "\t" << r.Cuts << "\t" << r.Seams << "\t" << r.Hidden
            << "\t" << r.Stretches << "\t" << (r.OddTurn ? "odd" : "-") << "\t"
            << source.Figures[i].Name << "\t" << r.Square << "\t" << r.Slanted << "\t"
            << ReadingEffort(r, all) << "\n";
    }
    const double floor = *std::min_element(effort.begin(), effort.end());
    out << "rank correlation with the order " << Spearman(effort, order) << ", "
        << std::count(effort.begin(), effort.end(), floor) << " figures on the floor " << floor
        << "\n";
    if (args.size() < 2) return 0;
    std::vector<FigureReading> fitReadings, heldReadings;
    std::vector<double> fitEffort, heldEffort;
    int k = 0;
    for (const auto& [figure, mean] : trials) {
        if (figure > static_cast<int>(readings.size())) continue;
        const bool held = k++ % 3 == 2;
        (held ? heldReadings : fitReadings).push_back(playedReadings[figure - 1]);
        (held ? heldEffort : fitEffort).push_back(mean);
    }
    const ReadingWeights weights = FitReading(fitReadings, fitEffort);
    std::vector<double> guessed, fitted;
    for (const FigureReading& r : heldReadings) {
        guessed.push_back(ReadingEffort(r, GuessedWeights));
        fitted.push_back(ReadingEffort(r, weights));
    }
    out << "trials: " << trials.size() << " figures, " << skipped << " lines skipped; fitted on "
        << fitEffort.size() << ", held out " << heldEffort.size() << "\nweights";
    for (double w : weights)
        out << " " << w;
    out << "\nheld-out rank correlation " << Spearman(fitted, heldEffort) << " (guessed weights "
        << Spearman(guessed, heldEffort) << ")\n";
    if (const std::vector<double> splits = SplitCorrelations(allReadings, allEffort, 200, 1);
        !splits.empty())
        out << "over " << splits.size() << " random splits: median " << splits[splits.size() / 2]
            << ", quartiles " << splits[splits.size() / 4] << " to "
            << splits[splits.size() * 3 / 4] << "\n";
    out << "weights on every figure";
    for (double w : all)
        out << " " << w;
    out << "\n";
    if (args.size() < 3 || args[2] == "-") return 0;
    int heldSkipped = 0;
    std::vector<double> predicted, guessedHeld, actual;
    for (const auto& [figure, mean] : TrialEffort(heldText, heldSkipped)) {
        if (trials.count(figure) || figure > static_cast<int>(readings.size())) continue;
        predicted.push_back(ReadingEffort(playedReadings[figure - 1], all));
        guessedHeld.push_back(ReadingEffort(playedReadings[figure - 1], GuessedWeights));
        actual.push_back(mean);
    }
    out << "new trials: " << actual.size() << " figures not fitted, " << heldSkipped
        << " lines skipped; rank correlation " << Spearman(predicted, actual)
        << " (guessed weights " << Spearman(guessedHeld, actual) << ")\n";
    return 0;
}

struct Command {
    const char* name;
    size_t words; // positional words it needs
    const char* synopsis;
};

const Command Commands[] = {
    {"build", 2, "build SOURCE OUT"},
    {"check", 1, "check FILE [SOURCE]"},
    {"grid", 2, "grid FILE N"},
    {"solve", 2, "solve FILE N [--limit L]"},
    {"sheet", 2, "sheet FILE OUT.png [--first N] [--count M] [--columns C] [--scale S]"},
    {"centre", 2, "centre SOURCE OUT"},
    {"order", 2, "order SOURCE OUT"},
    {"generate", 2, "generate SEED COUNT [AVOID-SOURCE] [--interest TENTHS]"},
    {"alike", 1, "alike SOURCE [--shared N] [--percent P]"},
    {"worth", 1, "worth SOURCE"},
    {"mend", 1, "mend SOURCE [--moves M] [--near N] [--choices K]"},
    {"reading", 1, "reading SOURCE [TRIALS.tsv [HELD.tsv|- [PLAYED]]]"},
};

} // namespace

std::string FiguresUsage() {
    std::string usage = "usage:";
    for (const Command& command : Commands)
        usage += std::string("\n  trigonet-figures ") + command.synopsis;
    return usage;
}

int RunFiguresCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const Command* command = nullptr;
    for (const Command& c : Commands)
        if (!args.empty() && args[0] == c.name) command = &c;
    if (!command) {
        err << (args.empty() ? "no command given" : "unknown command '" + args[0] + "'") << "\n"
            << FiguresUsage() << "\n";
        return ExitUsage;
    }
    std::map<std::string, long> options;
    if (command->name == std::string("solve")) options = {{"limit", 0}};
    if (command->name == std::string("sheet"))
        options = {{"first", 1}, {"count", 0}, {"columns", 12}, {"scale", 1}};
    if (command->name == std::string("alike")) options = {{"shared", 7}, {"percent", 90}};
    if (command->name == std::string("mend"))
        options = {{"moves", 2}, {"near", -1}, {"choices", 1}};
    if (command->name == std::string("generate"))
        options = {{"interest", std::lround(MinInterest * 10)}};
    std::vector<std::string> words;
    std::string error;
    if (!SplitOptions({args.begin() + 1, args.end()}, words, options, error)) {
        err << error << "\n";
        return ExitUsage;
    }
    const size_t optional =
        command->name == std::string("reading")                                             ? 3
        : command->name == std::string("generate") || command->name == std::string("check") ? 1
                                                                                            : 0;
    if (words.size() < command->words || words.size() > command->words + optional) {
        err << "usage: trigonet-figures " << command->synopsis << "\n";
        return ExitUsage;
    }
    const std::string name = command->name;
    if (name == "build") return Build(words, err);
    if (name == "check") return Check(words, out, err);
    if (name == "grid") return PrintGrid(words, out, err);
    if (name == "solve") return Solve(words, options["limit"], out, err);
    if (name == "sheet") return Sheet(words, options, err);
    if (name == "centre") return Centre(words, err);
    if (name == "order") return Order(words, out, err);
    if (name == "alike") return Alike(words, options, out, err);
    if (name == "worth") return Worth(words, out, err);
    if (name == "mend")
        return Mend(words, options["moves"], options["near"], options["choices"], out, err);
    if (name == "reading") return Reading(words, out, err);
    return Generate(words, options["interest"], out, err);
}
